#include "poll/ModbusFrames.h"

namespace veldrin {
namespace {

QByteArray addressAndPdu(int slave, const ModbusPdu& pdu)
{
    QByteArray bytes;
    bytes.append(static_cast<char>(slave));
    bytes.append(static_cast<char>(pdu.functionCode));
    bytes.append(pdu.data);
    return bytes;
}

ReceivedFrame readAddressAndPdu(QByteArrayView bytes)
{
    ReceivedFrame frame;
    frame.slave = static_cast<std::uint8_t>(bytes[0]);
    frame.pdu.functionCode = static_cast<std::uint8_t>(bytes[1]);
    frame.pdu.data = bytes.sliced(2).toByteArray();
    return frame;
}

ReceivedFrame faulty(FrameFault fault)
{
    ReceivedFrame frame;
    frame.fault = fault;
    return frame;
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

std::uint16_t ModbusCrc(QByteArrayView bytes)
{
    std::uint16_t crc = 0xFFFF;
    for (char byte : bytes) {
        crc ^= static_cast<std::uint8_t>(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) != 0 ? static_cast<std::uint16_t>((crc >> 1) ^ 0xA001)
                                 : static_cast<std::uint16_t>(crc >> 1);
    }
    return crc;
}

std::uint8_t ModbusLrc(QByteArrayView bytes)
{
    std::uint8_t sum = 0;
    for (char byte : bytes)
        sum = static_cast<std::uint8_t>(sum + static_cast<std::uint8_t>(byte));
    return static_cast<std::uint8_t>(-sum);
}

QByteArray RtuFrame(int slave, const ModbusPdu& pdu)
{
    QByteArray frame = addressAndPdu(slave, pdu);
    const std::uint16_t crc = ModbusCrc(frame);
    frame.append(static_cast<char>(crc & 0xFF));
    frame.append(static_cast<char>(crc >> 8));
    return frame;
}

QByteArray AsciiFrame(int slave, const ModbusPdu& pdu)
{
    QByteArray bytes = addressAndPdu(slave, pdu);
    bytes.append(static_cast<char>(ModbusLrc(bytes)));
    return ':' + bytes.toHex().toUpper() + "\r\n";
}

QByteArray FrameOf(int slave, const ModbusPdu& pdu, bool ascii)
{
    return ascii ? AsciiFrame(slave, pdu) : RtuFrame(slave, pdu);
}

ReceivedFrame ReadRtuFrame(QByteArrayView frame)
{
    if (frame.size() < 4)
        return faulty(FrameFault::Framing);
    const QByteArrayView body = frame.first(frame.size() - 2);
    const std::uint16_t crc =
        static_cast<std::uint8_t>(frame[frame.size() - 2]) |
        static_cast<std::uint16_t>(static_cast<std::uint8_t>(frame[frame.size() - 1]) << 8);
    if (crc != ModbusCrc(body))
        return faulty(FrameFault::Check);
    return readAddressAndPdu(body);
}

ReceivedFrame ReadAsciiFrame(QByteArrayView frame)
{
    if (frame.size() < 9 || frame[0] != ':' || !frame.endsWith("\r\n") || frame.size() % 2 == 0)
        return faulty(FrameFault::Framing);
    const QByteArrayView hex = frame.sliced(1, frame.size() - 3);
    QByteArray bytes;
    for (qsizetype i = 0; i < hex.size(); i += 2) {
        const int high = hexValue(hex[i]);
        const int low = hexValue(hex[i + 1]);
        if (high < 0 || low < 0)
            return faulty(FrameFault::Framing);
        bytes.append(static_cast<char>(high * 16 + low));
    }
    const QByteArrayView body = QByteArrayView(bytes).first(bytes.size() - 1);
    if (static_cast<std::uint8_t>(bytes.back()) != ModbusLrc(body))
        return faulty(FrameFault::Check);
    return readAddressAndPdu(body);
}

int RtuAnswerLength(QByteArrayView bytes)
{
    if (bytes.size() < 2)
        return 0;
    const auto code = static_cast<std::uint8_t>(bytes[1]);
    if ((code & 0x80) != 0)
        return 5;
    switch (code) {
    case 1:
    case 2:
    case 3:
    case 4:
        return bytes.size() < 3 ? 0 : 5 + static_cast<std::uint8_t>(bytes[2]);
    default:
        return 8;
    }
}

} // namespace veldrin
