#include "image/RequestRecords.h"

#include "common/VeldrinError.h"
#include "image/ImageFiles.h"
#include "support/TestData.h"

#include <QFile>

#include <gtest/gtest.h>

#include <functional>

namespace veldrin {
namespace {

using test::Attributes;
using test::ConfigDir;
using test::Hex;
using test::ReadRow;
using test::SetAccessFile;
using test::WriteRow;

struct Compiled {
    RequestRecords records{};
    RequestCounts counts;
    QByteArray bytes;
};

Compiled compile(const QString& path)
{
    Compiled c;
    ClearRequestRecords(c.records);
    c.counts = ReadRequestRecords(path, c.records);
    AppendRequestRecords(c.bytes, c.records);
    return c;
}

Compiled compile(const std::vector<Attributes>& reads, const std::vector<Attributes>& writes)
{
    ConfigDir dir;
    dir.writeSetAccess(SetAccessFile(reads, writes));
    return compile(dir.setAccess());
}

QString dataFile(const char* name)
{
    return test::DataDir() + QStringLiteral("/image/") + QLatin1String(name);
}

TEST(RequestRecords, OneReadAndOneWriteRowGiveTheirSixtyFourBytes)
{
    const Compiled c = compile(dataFile("setaccess-two-rows-good.xml"));
    EXPECT_EQ(c.counts, (RequestCounts{2, 2}));
    ASSERT_EQ(c.bytes.size(), RequestRecordsSize);
    EXPECT_EQ(c.bytes.left(32), Hex("00 00 00 00 E8 03 00 00 01 03 64 00 0A 00 00 00 00 00 00 00 00 00 00 00 "
                                    "03 00 00 00 00 00 14 00"));
    EXPECT_EQ(c.bytes.mid(32, 32), Hex("14 00 03 00 F4 01 00 00 02 05 05 00 01 00 00 00 00 00 00 00 00 00 00 "
                                       "00 00 00 00 00 00 00 01 01"));
    EXPECT_EQ(c.bytes.mid(64), QByteArray(RequestRecordsSize - 64, '\0'));
}

TEST(RequestRecords, WithoutTheFileEverySlotIsZero)
{
    ConfigDir dir;
    const Compiled c = compile(dir.setAccess());
    EXPECT_EQ(c.counts, (RequestCounts{0, 0}));
    EXPECT_EQ(c.bytes, QByteArray(RequestRecordsSize, '\0'));
}

TEST(RequestRecords, ReadsComeFirstThenWritesWithoutGaps)
{
    EXPECT_EQ(compile({}, {}).counts, (RequestCounts{0, 0}));
    EXPECT_EQ(compile({}, {}).bytes, QByteArray(RequestRecordsSize, '\0'));

    const Compiled writesOnly = compile({}, {WriteRow(), WriteRow({{"Slave_ID", "9"}})});
    EXPECT_EQ(writesOnly.counts, (RequestCounts{2, 1}));
    EXPECT_EQ(writesOnly.records[0].FunctionCode, 5);
    EXPECT_EQ(writesOnly.records[1].Slave_ID, 9);

    const Compiled readsOnly = compile({ReadRow(), ReadRow(), ReadRow()}, {});
    EXPECT_EQ(readsOnly.counts, (RequestCounts{3, 0}));

    const Compiled mixed =
        compile({ReadRow({{"Slave_ID", "1"}}), ReadRow({{"Slave_ID", "2"}}), ReadRow({{"Slave_ID", "3"}})},
                {WriteRow({{"Slave_ID", "4"}}), WriteRow({{"Slave_ID", "5"}})});
    EXPECT_EQ(mixed.counts, (RequestCounts{5, 4}));
    for (int slot = 0; slot < 5; ++slot)
        EXPECT_EQ(mixed.records[slot].Slave_ID, slot + 1);
    EXPECT_EQ(mixed.records[2].FunctionCode, 3);
    EXPECT_EQ(mixed.records[3].FunctionCode, 5);
    EXPECT_EQ(mixed.records[5], RequestRecord{});
}

// A file edited by hand: the write section first, a second read section, rows of other names.
TEST(RequestRecords, SectionsAreFoundByNameInAnyOrderAndOnlyTheFirstOfEachIsRead)
{
    ConfigDir dir;
    dir.writeSetAccess(QByteArrayLiteral(
        "<EtherNetIP_to_Modbus><Modbus_Write><row Slave_ID=\"7\" Type=\"Holding Register\" Address=\"1\" "
        "NPoint=\"2\" PollTime=\"0\" OnChange=\"Y\" MaxError=\"0\" Position=\"0\" Bit=\"\"/></Modbus_Write>"
        "<Modbus_Read><point Slave_ID=\"3\" Type=\"Input Register\" Address=\"2\" NPoint=\"1\" "
        "PollTime=\"100\" MaxError=\"1\" Position=\"4\" Bit=\"\"><note/></point></Modbus_Read>"
        "<Modbus_Read><row Slave_ID=\"not read\"/></Modbus_Read></EtherNetIP_to_Modbus>"));
    const Compiled c = compile(dir.setAccess());
    EXPECT_EQ(c.counts, (RequestCounts{2, 2}));
    EXPECT_EQ(c.records[0].Slave_ID, 3);
    EXPECT_EQ(c.records[0].FunctionCode, 4);
    EXPECT_EQ(c.records[1].Slave_ID, 7);
    EXPECT_EQ(c.records[1].FunctionCode, 16);
}

struct RowCase {
    bool write;
    test::Changes changes;
    int functionCode;
    int byteCount;
    int bit;
    const char* label;
};

void PrintTo(const RowCase& c, std::ostream* os)
{
    *os << c.label;
}

class RequestRow : public testing::TestWithParam<RowCase> {};

TEST_P(RequestRow, GetsItsCodeByteCountAndBit)
{
    const RowCase& c = GetParam();
    const Compiled compiled =
        c.write ? compile({}, {WriteRow(c.changes)}) : compile({ReadRow(c.changes)}, {});
    const RequestRecord& r = compiled.records[0];
    EXPECT_EQ(r.FunctionCode, c.functionCode);
    EXPECT_EQ(r.ByteCount, c.byteCount);
    EXPECT_EQ(r.Bit, c.bit);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, RequestRow,
    testing::Values(
        RowCase{
            false, {{"Type", "Coil Status"}, {"NPoint", "2000"}, {"Bit", "5"}}, 1, 250, 5, "read coils 2000"},
        RowCase{false, {{"Type", "coil status"}, {"NPoint", "9"}, {"Bit", "0"}}, 1, 2, 0, "read coils 9"},
        RowCase{
            false, {{"Type", "\t input status  "}, {"NPoint", "1"}, {"Bit", "7"}}, 2, 1, 7, "input status"},
        RowCase{false, {{"Type", "Holding Register"}, {"NPoint", "125"}}, 3, 250, 0, "holding 125"},
        RowCase{false, {{"Type", "Holding Register"}, {"NPoint", "200"}}, 3, 144, 0, "holding 200 wraps"},
        RowCase{false, {{"Type", "Input Register"}, {"NPoint", "4"}}, 4, 8, 0, "input register"},
        RowCase{false, {{"Type", ""}, {"NPoint", "4"}}, 4, 8, 0, "empty type"},
        RowCase{false, {{"Type", "Holding Registers"}, {"NPoint", "1"}}, 4, 2, 0, "unknown type"},
        // A register row ignores its Bit, present or not.
        RowCase{false, {{"Bit", "7"}}, 3, 20, 0, "register with bit"},
        RowCase{false, {{"Bit", std::nullopt}}, 3, 20, 0, "register without bit"},
        // NPoint is stored as 16 bits before anything is computed from it.
        RowCase{false, {{"Type", "Coil Status"}, {"NPoint", "65535"}, {"Bit", "0"}}, 1, 0, 0, "coils 65535"},
        RowCase{false, {{"Type", "Coil Status"}, {"NPoint", "65537"}, {"Bit", "0"}}, 1, 1, 0, "coils 65537"},
        RowCase{true,
                {{"Type", "Holding Register"}, {"NPoint", "1"}, {"Bit", ""}},
                6,
                2,
                0,
                "write one register"},
        RowCase{true,
                {{"Type", "Holding Register"}, {"NPoint", "2"}, {"Bit", std::nullopt}},
                16,
                4,
                0,
                "write registers"},
        RowCase{true, {{"Type", "Coil Status"}, {"NPoint", "1"}, {"Bit", "3"}}, 5, 1, 3, "write one coil"},
        RowCase{true, {{"Type", "Coil Status"}, {"NPoint", "16"}, {"Bit", "0"}}, 15, 2, 0, "write coils"},
        RowCase{true,
                {{"Type", " COIL status"}, {"NPoint", "65537"}, {"Bit", "2"}},
                5,
                1,
                2,
                "write coils 65537"},
        RowCase{
            true, {{"Type", "Input Status"}, {"NPoint", "3"}, {"Bit", "4"}}, 16, 6, 0, "write other type"}));

TEST(RequestRecords, OnChangeIsSetOnlyByYOnWriteRows)
{
    for (const auto& [text, flag] : std::vector<std::pair<const char*, int>>{
             {"Y", 1}, {"y", 1}, {" Y\t", 1}, {"N", 0}, {"", 0}, {"YES", 0}, {"1", 0}}) {
        EXPECT_EQ(compile({}, {WriteRow({{"OnChange", text}})}).records[0].OnChangeFlag, flag) << text;
    }
    Attributes read = ReadRow();
    read.emplace_back("OnChange", "Y");
    EXPECT_EQ(compile({read}, {}).records[0].OnChangeFlag, 0);
}

TEST(RequestRecords, IntegersKeepTheLowBitsOfTheirField)
{
    const RequestRecord r = compile({ReadRow({{"Slave_ID", "300"},
                                              {"Address", "-1"},
                                              {"Position", "$3E7"},
                                              {"PollTime", "4294967297"},
                                              {"MaxError", "-1"}})},
                                    {})
                                .records[0];
    EXPECT_EQ(r.Slave_ID, 44);
    EXPECT_EQ(r.Address, 0xFFFF);
    EXPECT_EQ(r.Position, 999);
    EXPECT_EQ(r.PollTime, 1u);
    EXPECT_EQ(r.MaxError, 0xFFFFFFFFu);
}

TEST(RequestRecords, MnemonicsChangeNothing)
{
    EXPECT_EQ(
        compile({ReadRow({{"Mnemonic", "Tank \u00e9"}})}, {WriteRow({{"Mnemonic", std::nullopt}})}).bytes,
        compile({ReadRow()}, {WriteRow()}).bytes);
}

TEST(RequestRecords, NotesAndWhitespaceInASectionAreNotRows)
{
    const Compiled c = compile(dataFile("setaccess-notes-among-rows.xml"));
    EXPECT_EQ(c.counts, (RequestCounts{1, 0}));
    EXPECT_EQ(c.records[0].Address, 100);
    EXPECT_EQ(compile(dataFile("setaccess-pretty-printed-empty-sections.xml")).counts, (RequestCounts{0, 0}));
}

TEST(RequestRecords, AllThousandAndTwentyFourSlotsCanBeFilled)
{
    const Compiled c =
        compile(std::vector<Attributes>(512, ReadRow()), std::vector<Attributes>(512, WriteRow()));
    EXPECT_EQ(c.counts, (RequestCounts{1024, 513}));
    EXPECT_EQ(c.records[1023].FunctionCode, 5);
}

struct StopCase {
    const char* label;
    std::function<QByteArray()> file;
    const char* message;
};

void PrintTo(const StopCase& c, std::ostream* os)
{
    *os << c.label;
}

QByteArray dataBytes(const char* name)
{
    QFile file(dataFile(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class RequestRecordsStop : public testing::TestWithParam<StopCase> {};

TEST_P(RequestRecordsStop, NamesTheFileTheSectionTheRowAndTheAttribute)
{
    ConfigDir dir;
    dir.writeSetAccess(GetParam().file());
    RequestRecords records{};
    try {
        ReadRequestRecords(dir.setAccess(), records);
        FAIL() << "compiled";
    } catch (const VeldrinError& error) {
        EXPECT_EQ(error.message(), QString::fromUtf8(GetParam().message));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RequestRecordsStop,
    testing::Values(
        StopCase{"coil row without Bit", [] { return dataBytes("setaccess-coil-row-without-bit.xml"); },
                 "ModbusM_SetAccess.xml, Modbus_Read row 3: attribute Bit is missing"},
        StopCase{"empty Slave_ID", [] { return dataBytes("setaccess-empty-slave-id.xml"); },
                 "ModbusM_SetAccess.xml, Modbus_Read row 1: attribute Slave_ID is empty"},
        StopCase{"PollTime not a number", [] { return dataBytes("setaccess-poll-time-not-a-number.xml"); },
                 "ModbusM_SetAccess.xml, Modbus_Write row 2: attribute PollTime is not an integer: \"fast\""},
        StopCase{"text among rows", [] { return dataBytes("setaccess-text-among-rows.xml"); },
                 "ModbusM_SetAccess.xml, Modbus_Read row 2: attribute Slave_ID is missing"},
        StopCase{"Modbus_Write missing", [] { return dataBytes("setaccess-modbus-write-missing.xml"); },
                 "ModbusM_SetAccess.xml: section Modbus_Write is missing"},
        StopCase{
            "declaration first", [] { return dataBytes("setaccess-declaration-first.xml"); },
            "ModbusM_SetAccess.xml: section Modbus_Read is missing (the file begins with an XML declaration, "
            "so its root element is not read)"},
        StopCase{
            "comment first", [] { return "<!-- note -->" + SetAccessFile({ReadRow()}, {}); },
            "ModbusM_SetAccess.xml: section Modbus_Read is missing (the file begins with a comment, so its "
            "root element is not read)"},
        StopCase{"Address beyond 32 bits",
                 [] {
                     return SetAccessFile({ReadRow({{"Address", "99999999999"}})}, {});
                 },
                 "ModbusM_SetAccess.xml, Modbus_Read row 1: attribute Address is outside the 32-bit integer "
                 "range: "
                 "\"99999999999\""},
        StopCase{"NPoint with a blank after it",
                 [] {
                     return SetAccessFile({ReadRow({{"NPoint", "12 "}})}, {});
                 },
                 "ModbusM_SetAccess.xml, Modbus_Read row 1: attribute NPoint is not an integer: \"12 \""},
        StopCase{"MaxError beyond 64 bits",
                 [] {
                     return SetAccessFile({}, {WriteRow({{"MaxError", "99999999999999999999"}})});
                 },
                 "ModbusM_SetAccess.xml, Modbus_Write row 1: attribute MaxError is not an integer: "
                 "\"99999999999999999999\""},
        StopCase{"Type missing",
                 [] {
                     return SetAccessFile({}, {WriteRow({{"Type", std::nullopt}})});
                 },
                 "ModbusM_SetAccess.xml, Modbus_Write row 1: attribute Type is missing"},
        StopCase{"OnChange missing",
                 [] {
                     return SetAccessFile({}, {WriteRow({{"OnChange", std::nullopt}})});
                 },
                 "ModbusM_SetAccess.xml, Modbus_Write row 1: attribute OnChange is missing"},
        StopCase{"write coil without Bit",
                 [] {
                     return SetAccessFile({}, {WriteRow({{"Bit", std::nullopt}})});
                 },
                 "ModbusM_SetAccess.xml, Modbus_Write row 1: attribute Bit is missing"},
        // The first bad attribute in the order they are read is the one reported.
        StopCase{"two bad attributes",
                 [] {
                     return SetAccessFile({ReadRow({{"Position", "x"}, {"NPoint", ""}})}, {});
                 },
                 "ModbusM_SetAccess.xml, Modbus_Read row 1: attribute NPoint is empty"},
        StopCase{"a long text is cut",
                 [] {
                     return SetAccessFile({ReadRow({{"Address", QString(50, u'a')}})}, {});
                 },
                 "ModbusM_SetAccess.xml, Modbus_Read row 1: attribute Address is not an integer: "
                 "\"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa...\""},
        // The reads are compiled first wherever their section stands.
        StopCase{"bad rows in both sections, writes first in the file",
                 [] {
                     return QByteArrayLiteral("<EtherNetIP_to_Modbus><Modbus_Write><row/></Modbus_Write>"
                                              "<Modbus_Read><row Slave_ID=\"1\"/></Modbus_Read>"
                                              "</EtherNetIP_to_Modbus>");
                 },
                 "ModbusM_SetAccess.xml, Modbus_Read row 1: attribute Address is missing"},
        StopCase{
            "more than 1024 read rows",
            [] {
                return SetAccessFile(std::vector<Attributes>(1025, ReadRow()), {WriteRow({{"Bit", ""}})});
            },
            "ModbusM_SetAccess.xml, Modbus_Read row 1025: more than 1024 requests in Modbus_Read and "
            "Modbus_Write together; the device holds at most 1024"},
        StopCase{"more than 1024 rows",
                 [] {
                     return SetAccessFile(std::vector<Attributes>(600, ReadRow()),
                                          std::vector<Attributes>(425, WriteRow()));
                 },
                 "ModbusM_SetAccess.xml, Modbus_Write row 425: more than 1024 requests in Modbus_Read and "
                 "Modbus_Write together; the device holds at most 1024"}));

// Even when a row that does not compile comes before the fault.
TEST(RequestRecords, AFileThatDoesNotLoadStopsTheCompile)
{
    for (const char* file : {"<EtherNetIP_to_Modbus><Modbus_Read>",
                             "<EtherNetIP_to_Modbus><Modbus_Read><row Slave_ID=\"x\"/></Modbus_Read>"}) {
        ConfigDir dir;
        dir.writeSetAccess(file);
        RequestRecords records{};
        try {
            ReadRequestRecords(dir.setAccess(), records);
            ADD_FAILURE() << "compiled " << file;
        } catch (const VeldrinError& error) {
            EXPECT_TRUE(error.message().contains(QStringLiteral("ModbusM_SetAccess.xml is not well-formed")))
                << error.what();
        }
    }
}

TEST(RequestRecords, DecodingGivesBackEveryField)
{
    RequestRecords records{};
    records[7] = RequestRecord{999, 7, 100000000, 247, 16, 65535, 123, 4000000000u, 246, 1};
    QByteArray bytes;
    AppendRequestRecords(bytes, records);
    EXPECT_EQ(DecodeRequestRecord(bytes.constData() + 7 * RequestRecordSize), records[7]);
}

} // namespace
} // namespace veldrin
