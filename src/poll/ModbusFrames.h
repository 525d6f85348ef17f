// The bytes of Modbus requests and answers on a serial line: RTU frames (address, PDU, CRC)
// and ASCII frames (':', the same bytes in hex, LRC, CR LF), built from and read back into
// PDUs.
#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <cstdint>

namespace veldrin {

// A protocol data unit: the function code and the data after it. Kept as plain bytes, so the
// configurator handles requests and answers without loading a serial-bus library.
struct ModbusPdu {
    // As on the line: an exception answer has bit 7 set.
    std::uint8_t functionCode = 0;
    QByteArray data;

    bool isException() const { return (functionCode & 0x80) != 0; }
    // The function the PDU answers, without the exception flag.
    int function() const { return functionCode & 0x7F; }
    // The exception code of an exception answer, else 0.
    int exceptionCode() const
    {
        return isException() && !data.isEmpty() ? static_cast<std::uint8_t>(data[0]) : 0;
    }
    bool operator==(const ModbusPdu&) const = default;
};

// The CRC-16 of RTU frames (polynomial 0xA001 reflected, start 0xFFFF); the frame carries it
// low byte first.
std::uint16_t ModbusCrc(QByteArrayView bytes);
// The LRC of ASCII frames: the two's complement of the byte sum of address and PDU.
std::uint8_t ModbusLrc(QByteArrayView bytes);

QByteArray RtuFrame(int slave, const ModbusPdu& pdu);
QByteArray AsciiFrame(int slave, const ModbusPdu& pdu);
QByteArray FrameOf(int slave, const ModbusPdu& pdu, bool ascii);

// What an answer read from the line turned out to be.
enum class FrameFault {
    None,
    // The bytes do not form a frame: a missing ':' or CR LF, an odd count or non-hex
    // characters in ASCII, too few bytes in RTU.
    Framing,
    // The frame is whole but its check (CRC or LRC) does not match.
    Check,
};

struct ReceivedFrame {
    FrameFault fault = FrameFault::None;
    int slave = -1;
    ModbusPdu pdu;
};

// An answer's RTU frame, checked against its CRC.
ReceivedFrame ReadRtuFrame(QByteArrayView frame);
// An answer's ASCII frame, ':' to CR LF, checked against its LRC.
ReceivedFrame ReadAsciiFrame(QByteArrayView frame);

// How many bytes the RTU answer that starts with bytes will have, from its function code and
// byte count: 0 while too few bytes have come to tell. The answer to functionCode: an
// exception is 5 bytes, a read 5 + its byte count, a write 8.
int RtuAnswerLength(QByteArrayView bytes);

} // namespace veldrin
