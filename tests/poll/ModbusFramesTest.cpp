#include "poll/ModbusFrames.h"

#include "lang/StringTable.h"
#include "poll/PollEngine.h"
#include "poll/PollRequest.h"
#include "poll/PollResults.h"
#include "poll/SerialPortPath.h"
#include "poll/TrafficLog.h"
#include "support/EnglishStrings.h"
#include "support/RequestRows.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace veldrin {
namespace {

QByteArray hex(const char* text)
{
    return QByteArray::fromHex(text);
}

TEST(ModbusFrames, RtuFrameEndsWithTheCrcLowByteFirst)
{
    EXPECT_EQ(RtuFrame(1, ReadPdu(3, 0, 2)), hex("010300000002c40b"));
    EXPECT_EQ(RtuFrame(1, ReadPdu(3, 99, 2)), hex("0103006300023415"));
    EXPECT_EQ(RtuFrame(17, ReadPdu(1, 19, 37)), hex("1101001300250e84"));
}

TEST(ModbusFrames, AsciiFrameIsColonHexLrcAndCrLf)
{
    EXPECT_EQ(AsciiFrame(1, ReadPdu(3, 0, 10)), QByteArray(":01030000000AF2\r\n"));
    // 0x11 + 0x01 + 0x13 + 0x25 = 0x4A, two's complement 0xB6.
    EXPECT_EQ(AsciiFrame(17, ReadPdu(1, 19, 37)), QByteArray(":110100130025B6\r\n"));
    EXPECT_EQ(ModbusLrc(hex("0103")), 0xFC);
}

struct ReadCase {
    const char* name;
    bool ascii;
    QByteArray frame;
    FrameFault fault;
    int slave;
    int functionCode;
};

class ReadFrame : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadFrame, ChecksTheFrame)
{
    const ReadCase& c = GetParam();
    const ReceivedFrame frame = c.ascii ? ReadAsciiFrame(c.frame) : ReadRtuFrame(c.frame);
    EXPECT_EQ(frame.fault, c.fault);
    if (c.fault == FrameFault::None) {
        EXPECT_EQ(frame.slave, c.slave);
        EXPECT_EQ(frame.pdu.functionCode, c.functionCode);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadFrame,
    testing::Values(
        ReadCase{"RtuRead", false, hex("01030403e803e9bb3d"), FrameFault::None, 1, 3},
        ReadCase{"RtuException", false, hex("018302c0f1"), FrameFault::None, 1, 0x83},
        ReadCase{"RtuCrcSpoiled", false, hex("01030403e903e9bb3d"), FrameFault::Check, 0, 0},
        ReadCase{"RtuCrcSwapped", false, hex("01030403e803e93dbb"), FrameFault::Check, 0, 0},
        ReadCase{"RtuTooShort", false, hex("0103c0"), FrameFault::Framing, 0, 0},
        ReadCase{"AsciiRead", true, QByteArray(":01030203E80F\r\n"), FrameFault::None, 1, 3},
        ReadCase{"AsciiLowerCaseHex", true, QByteArray(":01030203e80f\r\n"), FrameFault::None, 1, 3},
        ReadCase{"AsciiLrcSpoiled", true, QByteArray(":01030203E80E\r\n"), FrameFault::Check, 0, 0},
        ReadCase{"AsciiDataSpoiled", true, QByteArray(":01030213E80F\r\n"), FrameFault::Check, 0, 0},
        ReadCase{"AsciiNoColon", true, QByteArray("01030203E80F\r\n"), FrameFault::Framing, 0, 0},
        ReadCase{"AsciiNoCrLf", true, QByteArray(":01030203E80F"), FrameFault::Framing, 0, 0},
        ReadCase{"AsciiNotHex", true, QByteArray(":0103020GE80F\r\n"), FrameFault::Framing, 0, 0},
        ReadCase{"AsciiOddDigits", true, QByteArray(":01030203E80\r\n"), FrameFault::Framing, 0, 0}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(ModbusFrames, RtuAnswerLengthFollowsFunctionAndByteCount)
{
    EXPECT_EQ(RtuAnswerLength(hex("01")), 0);
    EXPECT_EQ(RtuAnswerLength(hex("0103")), 0);
    EXPECT_EQ(RtuAnswerLength(hex("010304")), 9);
    EXPECT_EQ(RtuAnswerLength(hex("010102")), 7);
    EXPECT_EQ(RtuAnswerLength(hex("0183")), 5);
    EXPECT_EQ(RtuAnswerLength(hex("0110")), 8);
}

struct AnswerCase {
    const char* name;
    PollRequest request;
    QByteArray rtuAnswer;
    RowStatus status;
    std::vector<std::uint16_t> values;
    QString text;
};

PollRequest read(int slave, int functionCode, int address, int points)
{
    PollRequest request;
    request.slave = slave;
    request.functionCode = functionCode;
    request.address = address;
    request.points = points;
    request.pdu = ReadPdu(functionCode, address, points);
    return request;
}

PollRequest write(int slave, int functionCode, int address, std::vector<std::uint16_t> values)
{
    PollRequest request;
    request.kind = TableKind::Write;
    request.slave = slave;
    request.functionCode = functionCode;
    request.address = address;
    request.points = static_cast<int>(values.size());
    request.pdu = WritePdu(functionCode, address, request.points, values);
    return request;
}

QByteArray rtu(const char* addressAndPdu)
{
    const QByteArray bytes = hex(addressAndPdu);
    return RtuFrame(static_cast<std::uint8_t>(bytes[0]), {static_cast<std::uint8_t>(bytes[1]), bytes.mid(2)});
}

QByteArray spoiled(QByteArray frame)
{
    frame[frame.size() - 1] = static_cast<char>(frame[frame.size() - 1] ^ 0x01);
    return frame;
}

class Answer : public testing::TestWithParam<AnswerCase> {};

TEST_P(Answer, GivesStatusAndValues)
{
    const AnswerCase& c = GetParam();
    RowResult result;
    result.request = c.request;
    TakeAnswer(result, ReadRtuFrame(c.rtuAnswer));
    EXPECT_EQ(result.status, c.status);
    EXPECT_EQ(result.values, c.values);
    EXPECT_EQ(RowStatusText(result, test::EnglishStrings()), c.text);
    EXPECT_EQ(result.sent, 1);
    const bool answered = c.status == RowStatus::Ok || c.status == RowStatus::Exception;
    EXPECT_EQ(result.answered, answered ? 1 : 0);
    EXPECT_EQ(result.failed, answered ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Answer,
    testing::Values(
        AnswerCase{"Registers", read(1, 3, 0, 2), rtu("01030403e803e9"), RowStatus::Ok, {1000, 1001}, "OK"},
        // Ten coils come as two whole bytes; only the ten asked for count.
        AnswerCase{"BitsCutToCount",
                   read(1, 1, 0, 10),
                   rtu("010102c9ff"),
                   RowStatus::Ok,
                   {1, 0, 0, 1, 0, 0, 1, 1, 1, 1},
                   "OK"},
        AnswerCase{"InputStatus", read(2, 2, 0, 3), rtu("02020105"), RowStatus::Ok, {1, 0, 1}, "OK"},
        AnswerCase{"IllegalFunction",
                   read(1, 4, 0, 1),
                   rtu("018401"),
                   RowStatus::Exception,
                   {},
                   "Exception 1 (Illegal Function)"},
        AnswerCase{"IllegalDataAddress",
                   read(1, 3, 99, 2),
                   rtu("018302"),
                   RowStatus::Exception,
                   {},
                   "Exception 2 (Illegal Data Address)"},
        AnswerCase{"ServerDeviceBusy",
                   read(1, 3, 0, 1),
                   rtu("018306"),
                   RowStatus::Exception,
                   {},
                   "Exception 6 (Server Device Busy)"},
        AnswerCase{"OtherSlave",
                   read(1, 3, 0, 1),
                   rtu("02030203e8"),
                   RowStatus::WrongSlave,
                   {},
                   "Answer from slave 2"},
        AnswerCase{
            "OtherFunction", read(1, 3, 0, 1), rtu("01040203e8"), RowStatus::WrongAnswer, {}, "Wrong answer"},
        AnswerCase{"ExceptionOfOtherFunction",
                   read(1, 3, 0, 1),
                   rtu("018402"),
                   RowStatus::WrongAnswer,
                   {},
                   "Wrong answer"},
        AnswerCase{"ByteCountTooSmall",
                   read(1, 3, 0, 2),
                   rtu("01030203e8"),
                   RowStatus::WrongAnswer,
                   {},
                   "Wrong answer"},
        AnswerCase{
            "ByteCountLies", read(1, 3, 0, 1), rtu("01030403e8"), RowStatus::WrongAnswer, {}, "Wrong answer"},
        AnswerCase{"SpoiledCrc",
                   read(1, 3, 0, 1),
                   spoiled(rtu("01030203e8")),
                   RowStatus::CheckError,
                   {},
                   "CRC or LRC error"},
        AnswerCase{"Garbage", read(1, 3, 0, 1), hex("ff"), RowStatus::FramingError, {}, "Framing error"},
        AnswerCase{
            "SingleRegisterEchoed", write(1, 6, 10, {4321}), rtu("0106000a10e1"), RowStatus::Ok, {}, "OK"},
        AnswerCase{"SingleRegisterNotEchoed",
                   write(1, 6, 10, {4321}),
                   rtu("0106000a10e2"),
                   RowStatus::WrongAnswer,
                   {},
                   "Wrong answer"},
        AnswerCase{"MultipleCoilsAcknowledged",
                   write(1, 15, 4, {1, 0, 1}),
                   rtu("010f00040003"),
                   RowStatus::Ok,
                   {},
                   "OK"}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(ModbusFrames, WritePdusCarryTheTypedValues)
{
    EXPECT_EQ(RtuFrame(1, WritePdu(5, 7, 1, {1})).left(6), hex("01050007ff00"));
    EXPECT_EQ(RtuFrame(1, WritePdu(5, 7, 1, {0})).left(6), hex("010500070000"));
    // Ten coils, the first and the last on: two bytes, bit 0 of the first and bit 1 of the second.
    EXPECT_EQ(RtuFrame(1, WritePdu(15, 0, 10, {1, 0, 0, 0, 0, 0, 0, 0, 0, 1})).left(9),
              hex("010f0000000a020102"));
    // Registers not typed are sent as 0.
    EXPECT_EQ(RtuFrame(1, WritePdu(16, 2, 2, {0x1234})).left(11), hex("0110000200020412340000"));
}

TEST(ModbusFrames, ExceptionNamesAreTheStandardOnes)
{
    const std::pair<int, const char*> names[] = {{1, "Illegal Function"},
                                                 {2, "Illegal Data Address"},
                                                 {3, "Illegal Data Value"},
                                                 {4, "Server Device Failure"},
                                                 {5, "Acknowledge"},
                                                 {6, "Server Device Busy"},
                                                 {8, "Memory Parity Error"},
                                                 {10, "Gateway Path Unavailable"},
                                                 {11, "Gateway Target Device Failed to Respond"},
                                                 {9, "Unknown Exception"}};
    for (const auto& [code, name] : names)
        EXPECT_EQ(ExceptionName(code), QString::fromLatin1(name)) << code;
}

TEST(ModbusFrames, ValuesShowDecimalAndHexOrBits)
{
    RowResult registers;
    registers.request = read(1, 3, 0, 2);
    registers.values = {1000, 65535};
    EXPECT_EQ(ValuesText(registers), QStringLiteral("1000 (0x03E8), 65535 (0xFFFF)"));
    RowResult bits;
    bits.request = read(1, 1, 0, 4);
    bits.values = {1, 0, 0, 1};
    EXPECT_EQ(ValuesText(bits), QStringLiteral("1001"));
}

TEST(PollRequest, NumberListsTakeSinglesAndRanges)
{
    EXPECT_EQ(ParseNumberList(QStringLiteral("1,3-7"), 1, 512), (std::vector<int>{1, 3, 4, 5, 6, 7}));
    EXPECT_EQ(ParseNumberList(QStringLiteral(" 5 , 2-3,3"), 1, 512), (std::vector<int>{2, 3, 5}));
    EXPECT_EQ(ParseNumberList(QStringLiteral("1-247"), 1, 247)->size(), 247U);
    for (const char* bad : {"", "0", "1-", "-3", "3-1", "1-248", "a", "1,,2", "1-2-3"})
        EXPECT_FALSE(ParseNumberList(QString::fromLatin1(bad), 1, 247)) << bad;
}

TEST(PollRequest, RowsGiveReadsWithLandingAndListedWrites)
{
    RequestTables tables;
    test::FillRow(tables.Modbus_Read.row(1), "1", "Holding Register", "0", "3", "0", "");
    test::FillRow(tables.Modbus_Read.row(2), "1", "Coil Status", "0", "10", "10", "3");
    test::FillRow(tables.Modbus_Read.row(3), "300", "Coil Status", "0", "10", "10", "3"); // fails the checks
    test::FillRow(tables.Modbus_Read.row(4), "2", "Input Register", "5", "2", "20", "");
    test::FillRow(tables.Modbus_Write.row(1), "1", "Holding Register", "10", "1", "0", "");
    tables.Modbus_Write.row(1)[Cell::OnChange] = QStringLiteral("N");

    const auto all = PollRequests(tables, std::nullopt, {{1, {4321}}});
    ASSERT_EQ(all.size(), 4U);
    EXPECT_EQ(all[0].row, 1);
    EXPECT_EQ(all[0].functionCode, 3);
    EXPECT_EQ(all[0].landing, (BitRange{0, 47}));
    EXPECT_EQ(all[1].functionCode, 1);
    EXPECT_EQ(all[1].landing, (BitRange{83, 92}));
    EXPECT_EQ(all[2].row, 4);
    EXPECT_EQ(all[2].functionCode, 4);
    EXPECT_TRUE(all[3].write());
    EXPECT_EQ(all[3].functionCode, 6);
    EXPECT_EQ(all[3].pdu.data, hex("000a10e1"));

    const auto chosen = PollRequests(tables, std::vector<int>{2, 4});
    ASSERT_EQ(chosen.size(), 3U);
    EXPECT_EQ(chosen[0].row, 2);
    EXPECT_EQ(chosen[1].row, 4);
    EXPECT_TRUE(chosen[2].write());
}

TEST(PollResults, SummaryNamesSlavesThatAnsweredAndThatNeverDid)
{
    std::vector<RowResult> results(4);
    results[0].request = read(1, 3, 0, 10);
    results[0].sent = 2;
    results[0].answered = 1;
    results[1].request = read(3, 3, 0, 1);
    results[1].sent = 2;
    results[2].request = read(2, 3, 0, 1);
    results[2].sent = 1;
    results[2].answered = 1;               // an exception is an answer
    results[3].request = read(4, 3, 0, 1); // never sent
    const SerialLine line = SerialLineOf(3, 0, 0, 0);
    const PollSummary summary = Summarize(results, 2, 42.0, line);
    EXPECT_EQ(summary.answered, (std::vector<int>{1, 2}));
    EXPECT_EQ(summary.silent, (std::vector<int>{3}));
    EXPECT_DOUBLE_EQ(summary.estimateMs, TransactionMs(line, 3, 10, 0) + 2 * TransactionMs(line, 3, 1, 0));
    EXPECT_EQ(PresentSlaves(results), (std::vector<int>{1, 2}));
}

TEST(TrafficLog, LinesShowTimeDirectionAndBytes)
{
    const QTime at(14, 3, 7, 218);
    TrafficLog rtu;
    rtu.add(true, hex("010300000002c40b"), at);
    rtu.add(false, hex("018302c0f1"), at);
    EXPECT_EQ(rtu.text(),
              QStringLiteral("14:03:07.218 TX 01 03 00 00 00 02 C4 0B\n14:03:07.218 RX 01 83 02 C0 F1\n"));
    TrafficLog ascii(true);
    ascii.add(true, QByteArray(":01030000000AF2\r\n"), at);
    ascii.add(false, QByteArray(":0103\x01\r"), at);
    EXPECT_EQ(ascii.text(),
              QStringLiteral("14:03:07.218 TX :01030000000AF2\n14:03:07.218 RX :0103<01><0D>\n"));
}

TEST(TrafficLog, KeepsTheLatestTenThousandFramesAndSavesThem)
{
    TrafficLog log;
    for (int i = 0; i < 10005; ++i)
        log.add(true, QByteArray::number(i));
    ASSERT_EQ(log.entries().size(), 10000U);
    EXPECT_EQ(log.entries().front().bytes, QByteArray("5"));
    EXPECT_EQ(log.entries().back().bytes, QByteArray("10004"));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("traffic.txt"));
    log.save(path);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().count('\n'), 10000);
    EXPECT_ANY_THROW(log.save(dir.path()));
}

TEST(SerialPortPath, TypedLinksLeadToTheirDeviceAndMissingOnesToNothing)
{
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("usb-adapter-port0"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/null"), link));
    EXPECT_EQ(CanonicalPortPath(QStringLiteral("  ") + link + QStringLiteral(" ")),
              QStringLiteral("/dev/null"));
    EXPECT_EQ(CanonicalPortPath(QStringLiteral("null")), QStringLiteral("/dev/null"));
    EXPECT_FALSE(CanonicalPortPath(dir.filePath(QStringLiteral("gone"))));
    EXPECT_FALSE(CanonicalPortPath(QString()));
}

TEST(SerialPortPath, OpenFailuresSayWhy)
{
    const StringTable& strings = test::EnglishStrings();
    EXPECT_EQ(PortOpenMessage(QStringLiteral("/dev/ttyUSB7"), QSerialPort::DeviceNotFoundError, {}, strings),
              QStringLiteral("The serial port /dev/ttyUSB7 does not exist."));
    EXPECT_EQ(PortOpenMessage(QStringLiteral("/dev/ttyUSB0"), QSerialPort::PermissionError,
                              QStringLiteral("Permission error while locking the device"), strings),
              QStringLiteral(
                  "The serial port /dev/ttyUSB0 is busy: another program holds it. Close that program and "
                  "try again."));
    EXPECT_EQ(PortOpenMessage(QStringLiteral("/dev/ttyUSB0"), QSerialPort::PermissionError,
                              QStringLiteral("Permission denied"), strings),
              strings[214]);
    EXPECT_EQ(PortOpenMessage(QStringLiteral("/dev/ttyS0"), QSerialPort::OpenError,
                              QStringLiteral("Input/output error"), strings),
              QStringLiteral("The serial port /dev/ttyS0 cannot be opened: Input/output error"));
}

struct LineCase {
    int baud, parity, stop, protocol;
    qint32 rate;
    QSerialPort::DataBits data;
    QSerialPort::Parity parityOut;
    QSerialPort::StopBits stopOut;
};

TEST(SerialPortPath, PortTakesTheConfigurationsLine)
{
    const LineCase cases[] = {
        {7, 0, 0, 0, 115200, QSerialPort::Data8, QSerialPort::NoParity, QSerialPort::OneStop},
        {3, 2, 0, 0, 9600, QSerialPort::Data8, QSerialPort::EvenParity, QSerialPort::OneStop},
        {0, 1, 1, 1, 1200, QSerialPort::Data7, QSerialPort::OddParity, QSerialPort::TwoStop},
        {4, 0, 1, 1, 19200, QSerialPort::Data7, QSerialPort::NoParity, QSerialPort::TwoStop},
    };
    for (const LineCase& c : cases) {
        QSerialPort port;
        ApplyLine(port, SerialLineOf(c.baud, c.parity, c.stop, c.protocol));
        EXPECT_EQ(port.baudRate(), c.rate);
        EXPECT_EQ(port.dataBits(), c.data);
        EXPECT_EQ(port.parity(), c.parityOut);
        EXPECT_EQ(port.stopBits(), c.stopOut);
        EXPECT_EQ(port.flowControl(), QSerialPort::NoFlowControl);
    }
}

} // namespace
} // namespace veldrin
