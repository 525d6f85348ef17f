#include "image/ParameterBlock.h"

#include "common/IntOrDefault.h"
#include "common/XmlDoc.h"
#include "configuration/ParGenElements.h"
#include "configuration/ParGenLists.h"
#include "image/ImageLayout.h"
#include "image/RecordFields.h"

#include <QFileInfo>

namespace veldrin {
namespace {

using pargen::Element;

// The fields a configuration sets, at the offsets of their first copies.
const RecordField<ParameterBlock> Fields[] = {
    {12, &ParameterBlock::SerialBaud},
    {18, &ParameterBlock::SerialParity},
    {20, &ParameterBlock::SerialStopBits},
    {32, &ParameterBlock::TimeOut},
    {36, &ParameterBlock::CommIdle},
    {40, &ParameterBlock::IpAddress},
    {44, &ParameterBlock::SubnetMask},
    {48, &ParameterBlock::Gateway},
    {54, &ParameterBlock::Port},
    {72, &ParameterBlock::RequestCount},
    {97, &ParameterBlock::Rs232Flag},
    {264, &ParameterBlock::EthProtocol},
    {268, &ParameterBlock::SerialAsciiFlag},
    {420, &ParameterBlock::FirstWriteRequest},
};

// The second copies the device also reads.
const RecordField<ParameterBlock> Copies[] = {
    {56, &ParameterBlock::Port},
    {60, &ParameterBlock::SerialBaud},
    {66, &ParameterBlock::SerialParity},
    {68, &ParameterBlock::SerialStopBits},
};

// The values every block holds.
struct FixedValue {
    int offset;
    std::variant<std::uint16_t, std::uint32_t> value;
};
const FixedValue Fixed[] = {
    {0, std::uint32_t{250000}},  {16, std::uint16_t{8}},      {52, std::uint16_t{10000}},
    {64, std::uint16_t{8}},      {76, std::uint32_t{409600}}, {156, std::uint32_t{10}},
    {168, std::uint32_t{10000}}, {172, std::uint32_t{1}},     {176, std::uint32_t{2}},
    {180, std::uint32_t{3}},
};

// The element's integer with the block's own values for a text that is no integer and for a
// missing element.
std::int32_t value(const XmlNode& root, Element element)
{
    const pargen::ElementRow& row = pargen::Row(element);
    const XmlNode node = root.child(pargen::Name(element));
    return node.isNull() ? row.parameterBlockMissing : IntOrDefault(node.text(), row.parameterBlock);
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
    if (index < 0 || index >= static_cast<int>(pargen::BaudRates.size()))
        return 9600;
    return pargen::BaudRates[static_cast<std::size_t>(index)];
}

void ReadParameterBlock(const QString& parGenPath, ParameterBlock& block)
{
    if (QFileInfo::exists(parGenPath))
        ReadParameterBlock(XmlDoc::Load(parGenPath), block);
}

void ReadParameterBlock(const XmlDoc& parGen, ParameterBlock& block)
{
    const XmlNode root = parGen.root();

    for (std::size_t i = 0; i < 4; ++i) {
        block.IpAddress[i] = low<std::uint8_t>(value(root, pargen::IpAddress[i]));
        block.SubnetMask[i] = low<std::uint8_t>(value(root, pargen::SubnetMask[i]));
        block.Gateway[i] = low<std::uint8_t>(value(root, pargen::Gateway[i]));
    }
    const XmlNode enableGateway = root.child(pargen::Name(Element::EN_GAT));
    if (enableGateway.isNull() || enableGateway.text() != u"1")
        block.Gateway.fill(255);

    block.Port = low<std::uint16_t>(value(root, Element::PORT));
    block.EthProtocol = low<std::uint32_t>(value(root, Element::PROT_TYPE));
    block.Rs232Flag = value(root, Element::Sel_Ser) == 0 ? 1 : 0;
    block.SerialBaud = BaudRateOfIndex(value(root, Element::Baud_Rate));
    block.SerialParity = low<std::uint16_t>(value(root, Element::Parity));
    block.TimeOut = low<std::uint32_t>(value(root, Element::Time_Out));
    block.CommIdle = low<std::uint32_t>(value(root, Element::Comm_Idle));
    // Unlike bank.bin, the whole value is tested: 260 is not Modbus ASCII here.
    const std::int32_t protocol = value(root, Element::Ser_Prot);
    block.SerialAsciiFlag = protocol == 1 || protocol == 4 ? 1 : 0;
    // The list index 1 (two stop bits) is stored as 2.
    const std::int32_t stopBits = value(root, Element::Ser_StopBits);
    block.SerialStopBits = stopBits == 1 ? 2 : low<std::uint32_t>(stopBits);
}

QByteArray EncodeParameterBlock(const ParameterBlock& block)
{
    QByteArray bytes(ParameterBlockSize, '\0');
    char* at = bytes.data();
    for (const FixedValue& fixed : Fixed)
        std::visit([&](auto value) { PutLittleEndian(at + fixed.offset, value); }, fixed.value);
    EncodeFields<ParameterBlock>(at, block, Fields);
    EncodeFields<ParameterBlock>(at, block, Copies);
    return bytes;
}

ParameterBlock DecodeParameterBlock(const char* block)
{
    ParameterBlock b;
    DecodeFields<ParameterBlock>(block, b, Fields);
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
