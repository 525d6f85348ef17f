#include "image/ParameterBlock.h"

#include "common/IntOrDefault.h"
#include "common/XmlDoc.h"
#include "image/ImageLayout.h"
#include "image/LittleEndian.h"

#include <QFileInfo>

namespace veldrin {
namespace {

// Offsets in the block of the fields and of its fixed values.
namespace at {
constexpr int Fixed250000 = 0;
constexpr int SerialBaud = 12;
constexpr int Fixed8 = 16;
constexpr int SerialParity = 18;
constexpr int SerialStopBits = 20;
constexpr int TimeOut = 32;
constexpr int CommIdle = 36;
constexpr int IpAddress = 40;
constexpr int SubnetMask = 44;
constexpr int Gateway = 48;
constexpr int Fixed10000 = 52;
constexpr int Port = 54;
constexpr int PortCopy = 56;
constexpr int SerialBaudCopy = 60;
constexpr int Fixed8Second = 64;
constexpr int SerialParityCopy = 66;
constexpr int SerialStopBitsCopy = 68;
constexpr int RequestCount = 72;
constexpr int Fixed409600 = 76;
constexpr int Rs232Flag = 97;
constexpr int Fixed10 = 156;
constexpr int Fixed10000Second = 168;
constexpr int Fixed1 = 172;
constexpr int Fixed2 = 176;
constexpr int Fixed3 = 180;
constexpr int EthProtocol = 264;
constexpr int SerialAsciiFlag = 268;
constexpr int FirstWriteRequest = 420;
} // namespace at

constexpr std::uint32_t BaudRates[] = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};

// The element's integer: fallback for a text that is not one, missing for a missing element.
std::int32_t value(const XmlNode& root, const char* element, int fallback, int missing)
{
    const XmlNode node = root.child(QString::fromLatin1(element));
    return node.isNull() ? missing : IntOrDefault(node.text(), fallback);
}

std::int32_t value(const XmlNode& root, const char* element, int fallback)
{
    return value(root, element, fallback, fallback);
}

template <std::unsigned_integral T> T low(std::int32_t number)
{
    return static_cast<T>(static_cast<std::uint32_t>(number));
}

} // namespace

void ResetParameterBlock(ParameterBlock& block)
{
    block = ParameterBlock{};
}

std::uint32_t BaudRateOfIndex(int index)
{
    if (index < 0 || index >= static_cast<int>(std::size(BaudRates)))
        return 9600;
    return BaudRates[index];
}

void ReadParameterBlock(const QString& parGenPath, ParameterBlock& block)
{
    if (!QFileInfo::exists(parGenPath))
        return;
    const XmlDoc doc = XmlDoc::Load(parGenPath);
    const XmlNode root = doc.root();

    const char* const ip[] = {"IP1", "IP2", "IP3", "IP4"};
    const int ipFallback[] = {192, 168, 0, 5};
    const char* const sub[] = {"SUB1", "SUB2", "SUB3", "SUB4"};
    const char* const gat[] = {"GAT1", "GAT2", "GAT3", "GAT4"};
    const int gatFallback[] = {192, 168, 0, 1};
    for (std::size_t i = 0; i < 4; ++i) {
        block.IpAddress[i] = low<std::uint8_t>(value(root, ip[i], ipFallback[i]));
        // A missing last mask octet reads as 0, a bad one as 255.
        block.SubnetMask[i] = low<std::uint8_t>(value(root, sub[i], 255, i == 3 ? 0 : 255));
        block.Gateway[i] = low<std::uint8_t>(value(root, gat[i], gatFallback[i]));
    }
    const XmlNode enableGateway = root.child(QStringLiteral("EN_GAT"));
    if (enableGateway.isNull() || enableGateway.text() != u"1")
        block.Gateway.fill(255);

    block.Port = low<std::uint16_t>(value(root, "PORT", 10001));
    block.EthProtocol = low<std::uint32_t>(value(root, "PROT_TYPE", 0));
    block.Rs232Flag = value(root, "Sel_Ser", 0) == 0 ? 1 : 0;
    block.SerialBaud = BaudRateOfIndex(value(root, "Baud_Rate", 7));
    block.SerialParity = low<std::uint16_t>(value(root, "Parity", 0));
    block.TimeOut = low<std::uint32_t>(value(root, "Time_Out", 1000));
    block.CommIdle = low<std::uint32_t>(value(root, "Comm_Idle", 100));
    // Unlike bank.bin, the whole value is tested: 260 is not Modbus ASCII here.
    const std::int32_t protocol = value(root, "Ser_Prot", 0);
    block.SerialAsciiFlag = protocol == 1 || protocol == 4 ? 1 : 0;
    // The list index 1 (two stop bits) is stored as 2.
    const std::int32_t stopBits = value(root, "Ser_StopBits", 0);
    block.SerialStopBits = stopBits == 1 ? 2 : low<std::uint32_t>(stopBits);
}

QByteArray EncodeParameterBlock(const ParameterBlock& b)
{
    QByteArray bytes(ParameterBlockSize, '\0');
    char* block = bytes.data();
    const auto put32 = [block](int offset, std::uint32_t v) {
        PutLittleEndian(block + offset, v);
    };
    const auto put16 = [block](int offset, std::uint16_t v) {
        PutLittleEndian(block + offset, v);
    };

    put32(at::Fixed250000, 250000);
    put32(at::SerialBaud, b.SerialBaud);
    put16(at::Fixed8, 8);
    put16(at::SerialParity, b.SerialParity);
    put32(at::SerialStopBits, b.SerialStopBits);
    put32(at::TimeOut, b.TimeOut);
    put32(at::CommIdle, b.CommIdle);
    for (std::size_t i = 0; i < 4; ++i) {
        PutLittleEndian(block + at::IpAddress + i, b.IpAddress[i]);
        PutLittleEndian(block + at::SubnetMask + i, b.SubnetMask[i]);
        PutLittleEndian(block + at::Gateway + i, b.Gateway[i]);
    }
    put16(at::Fixed10000, 10000);
    put16(at::Port, b.Port);
    put16(at::PortCopy, b.Port);
    put32(at::SerialBaudCopy, b.SerialBaud);
    put16(at::Fixed8Second, 8);
    put16(at::SerialParityCopy, b.SerialParity);
    put32(at::SerialStopBitsCopy, b.SerialStopBits);
    put32(at::RequestCount, b.RequestCount);
    put32(at::Fixed409600, 409600);
    PutLittleEndian(block + at::Rs232Flag, b.Rs232Flag);
    put32(at::Fixed10, 10);
    put32(at::Fixed10000Second, 10000);
    put32(at::Fixed1, 1);
    put32(at::Fixed2, 2);
    put32(at::Fixed3, 3);
    put32(at::EthProtocol, b.EthProtocol);
    put32(at::SerialAsciiFlag, b.SerialAsciiFlag);
    put32(at::FirstWriteRequest, b.FirstWriteRequest);
    return bytes;
}

ParameterBlock DecodeParameterBlock(const char* block)
{
    ParameterBlock b;
    b.SerialBaud = GetLittleEndian<std::uint32_t>(block + at::SerialBaud);
    b.SerialParity = GetLittleEndian<std::uint16_t>(block + at::SerialParity);
    b.SerialStopBits = GetLittleEndian<std::uint32_t>(block + at::SerialStopBits);
    b.TimeOut = GetLittleEndian<std::uint32_t>(block + at::TimeOut);
    b.CommIdle = GetLittleEndian<std::uint32_t>(block + at::CommIdle);
    for (std::size_t i = 0; i < 4; ++i) {
        b.IpAddress[i] = GetLittleEndian<std::uint8_t>(block + at::IpAddress + i);
        b.SubnetMask[i] = GetLittleEndian<std::uint8_t>(block + at::SubnetMask + i);
        b.Gateway[i] = GetLittleEndian<std::uint8_t>(block + at::Gateway + i);
    }
    b.Port = GetLittleEndian<std::uint16_t>(block + at::Port);
    b.RequestCount = GetLittleEndian<std::uint32_t>(block + at::RequestCount);
    b.Rs232Flag = GetLittleEndian<std::uint8_t>(block + at::Rs232Flag);
    b.EthProtocol = GetLittleEndian<std::uint32_t>(block + at::EthProtocol);
    b.SerialAsciiFlag = GetLittleEndian<std::uint32_t>(block + at::SerialAsciiFlag);
    b.FirstWriteRequest = GetLittleEndian<std::uint32_t>(block + at::FirstWriteRequest);
    return b;
}

std::uint32_t ParameterChecksum(const char* bytes, qsizetype size)
{
    std::uint32_t sum = 0;
    for (qsizetype i = 0; i < size; ++i)
        sum += static_cast<std::uint8_t>(bytes[i]);
    return sum;
}

void AppendParameterSection(QByteArray& image, const ParameterBlock& block)
{
    const qsizetype start = image.size();
    image.append(EncodeParameterBlock(block));
    image.append(ParameterFillerSize, '\0');
    const std::uint32_t checksum = ParameterChecksum(image.constData() + start, image.size() - start);
    char bytes[ParameterChecksumSize];
    PutLittleEndian(bytes, checksum);
    image.append(bytes, ParameterChecksumSize);
}

} // namespace veldrin
