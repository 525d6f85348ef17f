#include "access/AccessChecks.h"

#include "AccessTestRows.h"
#include "access/RowMessages.h"
#include "common/VeldrinError.h"
#include "lang/StringTable.h"
#include "support/EnglishStrings.h"
#include "support/TempProgramDir.h"
#include "support/TestData.h"

#include <QDir>

#include <gtest/gtest.h>

namespace veldrin {
namespace {

using test::ReadRow;
using test::WriteRow;

// A read row of holding registers and a write row of coils that pass every check.
RequestRow goodRead()
{
    return ReadRow({"1", "Holding Register", "0", "10", "1000", "3", "0", "", "name"});
}
RequestRow goodWrite()
{
    return WriteRow({"2", "Coil Status", "5", "1", "500", "Y", "0", "20", "3", "name"});
}

struct CheckCase {
    const char* what;
    std::vector<RequestRow> read;
    std::vector<RequestRow> write;
    const char* message; // "" when every check passes
};

// The message, or "<none>".
QString orNone(const std::optional<QString>& message)
{
    return message.value_or(QStringLiteral("<none>"));
}

RequestTables tablesOf(const CheckCase& c)
{
    RequestTables tables;
    for (std::size_t i = 0; i < c.read.size(); ++i)
        tables.Modbus_Read.rows[i] = c.read[i];
    for (std::size_t i = 0; i < c.write.size(); ++i)
        tables.Modbus_Write.rows[i] = c.write[i];
    return tables;
}

RequestRow with(RequestRow row, Cell cell, const char* text)
{
    row[cell] = QString::fromUtf8(text);
    return row;
}

RequestRow withCells(RequestRow row, std::initializer_list<std::pair<Cell, const char*>> cells)
{
    for (const auto& [cell, text] : cells)
        row[cell] = QString::fromUtf8(text);
    return row;
}

const RequestRow readCoil = ReadRow({"1", "Coil Status", "0", "8", "1000", "0", "999", "0", ""});
const RequestRow writeRegisters = WriteRow({"1", "Holding Register", "0", "1", "1000", "", "0", "0", "", ""});

class Checks : public ::testing::TestWithParam<CheckCase> {};

TEST_P(Checks, GiveTheFirstFailingRulesMessage)
{
    const CheckCase& c = GetParam();
    const std::optional<QString> message = Controllo_dati(tablesOf(c), test::EnglishStrings());
    EXPECT_EQ(message.value_or(QString()), QString::fromUtf8(c.message)) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    RequestTables, Checks,
    ::testing::Values(
        CheckCase{"empty tables", {}, {}, ""},
        CheckCase{"good rows", {goodRead(), goodRead()}, {goodWrite()}, ""},
        // Slave ID, Type and Address.
        CheckCase{"slave 0",
                  {with(goodRead(), Cell::Slave_ID, "0")},
                  {},
                  "Error row 1!! [Modbus Read] Slave ID must be between 1 and 247"},
        CheckCase{"slave 248 in row 3",
                  {goodRead(), goodRead(), with(goodRead(), Cell::Slave_ID, "248")},
                  {},
                  "Error row 3!! [Modbus Read] Slave ID must be between 1 and 247"},
        CheckCase{"slave with a trailing blank",
                  {with(goodRead(), Cell::Slave_ID, "5 ")},
                  {},
                  "Error row 1!! [Modbus Read] Slave ID must be between 1 and 247"},
        CheckCase{
            "slave in hexadecimal with leading blanks", {with(goodRead(), Cell::Slave_ID, "  $F7")}, {}, ""},
        CheckCase{
            "empty type",
            {with(goodRead(), Cell::Type, "")},
            {},
            "Error row 1!! [Modbus Read] Type must be Coil Status or Input Status or Holding Register or "
            "Input Register"},
        CheckCase{"empty write type",
                  {},
                  {with(goodWrite(), Cell::Type, "")},
                  "Error row 1!! [Modbus Write] Type must be Coil Status or Holding Register"},
        CheckCase{"first failing rule wins",
                  {withCells(goodRead(), {{Cell::Type, ""}, {Cell::Slave_ID, "0"}})},
                  {},
                  "Error row 1!! [Modbus Read] Slave ID must be between 1 and 247"},
        CheckCase{"address 65535", {with(goodRead(), Cell::Address, "65535")}, {}, ""},
        CheckCase{"address 65536",
                  {with(goodRead(), Cell::Address, "65536")},
                  {},
                  "Error row 1!! [Modbus Read] Address must be between 0 and 65535"},
        CheckCase{"write address -1",
                  {},
                  {with(goodWrite(), Cell::Address, "-1")},
                  "Error row 1!! [Modbus Write] Address must be between 0 and 65535"},
        // NPoint limits by type.
        CheckCase{"read registers 125", {with(goodRead(), Cell::NPoint, "125")}, {}, ""},
        CheckCase{"read registers 126",
                  {with(goodRead(), Cell::NPoint, "126")},
                  {},
                  "Error row 1!! [Modbus Read] NPoint must be between 1 and 125"},
        CheckCase{"read registers 0",
                  {with(goodRead(), Cell::NPoint, "0")},
                  {},
                  "Error row 1!! [Modbus Read] NPoint must be between 1 and 125"},
        CheckCase{"read coils 2000",
                  {withCells(readCoil, {{Cell::NPoint, "2000"}, {Cell::Position, "0"}})},
                  {},
                  ""},
        CheckCase{"read inputs 2001",
                  {withCells(readCoil, {{Cell::Type, "input status"}, {Cell::NPoint, "2001"}})},
                  {},
                  "Error row 1!! [Modbus Read] NPoint must be between 1 and 2000"},
        CheckCase{"write coils 1968",
                  {},
                  {withCells(goodWrite(), {{Cell::NPoint, "1968"}, {Cell::Position, "0"}})},
                  ""},
        CheckCase{"write coils 1969",
                  {},
                  {with(goodWrite(), Cell::NPoint, "1969")},
                  "Error row 1!! [Modbus Write] NPoint must be between 1 and 1968"},
        CheckCase{"write registers 123", {}, {with(writeRegisters, Cell::NPoint, "123")}, ""},
        CheckCase{"write registers 124",
                  {},
                  {with(writeRegisters, Cell::NPoint, "124")},
                  "Error row 1!! [Modbus Write] NPoint must be between 1 and 123"},
        CheckCase{"write input status is a register type",
                  {},
                  {withCells(writeRegisters, {{Cell::Type, "Input Status"}, {Cell::NPoint, "124"}})},
                  "Error row 1!! [Modbus Write] NPoint must be between 1 and 123"},
        // Poll time and error limit.
        CheckCase{"read poll time 0",
                  {with(goodRead(), Cell::PollTime, "0")},
                  {},
                  "Error row 1!! [Modbus Read] Poll Time must be between 1 and 100000000"},
        CheckCase{"write poll time 0", {}, {with(goodWrite(), Cell::PollTime, "0")}, ""},
        CheckCase{"write poll time 100000001",
                  {},
                  {with(goodWrite(), Cell::PollTime, "100000001")},
                  "Error row 1!! [Modbus Write] Poll Time must be between 0 and 100000000"},
        CheckCase{"poll time beyond 32 bits",
                  {with(goodRead(), Cell::PollTime, "4294968296")},
                  {},
                  "Error row 1!! [Modbus Read] Poll Time must be between 1 and 100000000"},
        CheckCase{"max error 100000000", {with(goodRead(), Cell::MaxError, "100000000")}, {}, ""},
        CheckCase{"max error empty",
                  {},
                  {with(goodWrite(), Cell::MaxError, "")},
                  "Error row 1!! [Modbus Write] Max Error must be between 0 and 100000000"},
        // Position and the last byte.
        CheckCase{"position 1000",
                  {with(goodRead(), Cell::Position, "1000")},
                  {},
                  "Error row 1!! [Modbus Read] Position must be between 0 and 999"},
        CheckCase{"write position -1",
                  {},
                  {with(goodWrite(), Cell::Position, "-1")},
                  "Error row 1!! [Modbus Write] Position must be between 0 and 999"},
        CheckCase{"registers ending at 999",
                  {withCells(goodRead(), {{Cell::Position, "990"}, {Cell::NPoint, "5"}})},
                  {},
                  ""},
        CheckCase{"registers ending at 1001",
                  {withCells(goodRead(), {{Cell::Position, "990"}, {Cell::NPoint, "6"}})},
                  {},
                  "Error row 1!! [Modbus Read] Too many bytes to save starting from the Position indicate"},
        CheckCase{"8 coils at 999 from bit 0", {readCoil}, {}, ""},
        CheckCase{"9 coils at 999 from bit 0",
                  {with(readCoil, Cell::NPoint, "9")},
                  {},
                  "Error row 1!! [Modbus Read] Too many bytes to save starting from the Position indicate"},
        CheckCase{
            "1 coil at 999 bit 7", {withCells(readCoil, {{Cell::NPoint, "1"}, {Cell::Bit, "7"}})}, {}, ""},
        CheckCase{"2 coils at 999 from bit 7",
                  {withCells(readCoil, {{Cell::NPoint, "2"}, {Cell::Bit, "7"}})},
                  {},
                  "Error row 1!! [Modbus Read] Too many bytes to save starting from the Position indicate"},
        CheckCase{"16 write coils at 900",
                  {},
                  {withCells(goodWrite(), {{Cell::Position, "900"}, {Cell::Bit, "0"}, {Cell::NPoint, "16"}})},
                  ""},
        CheckCase{"write registers past the area",
                  {},
                  {withCells(writeRegisters, {{Cell::Position, "999"}, {Cell::NPoint, "1"}})},
                  "Error row 1!! [Modbus Write] Too many bytes to read starting from the Position indicate"},
        // Start bit: needed on bit rows only, and only 0 to 7.
        CheckCase{"read coil without start bit",
                  {with(readCoil, Cell::Bit, "")},
                  {},
                  "Error row 1!! [Modbus Read] Bit must be between 0 and 7"},
        CheckCase{"write coil without start bit",
                  {},
                  {with(goodWrite(), Cell::Bit, "")},
                  "Error row 1!! [Modbus Write] Bit must be between 0 and 7"},
        CheckCase{"register row without start bit",
                  {with(goodRead(), Cell::Bit, "")},
                  {with(writeRegisters, Cell::Bit, "")},
                  ""},
        CheckCase{"register row with any start bit", {with(goodRead(), Cell::Bit, "x")}, {}, ""},
        CheckCase{"coil with start bit 8",
                  {withCells(readCoil, {{Cell::Position, "0"}, {Cell::Bit, "8"}})},
                  {},
                  "Error row 1!! [Modbus Read] Bit must be between 0 and 7"},
        CheckCase{"coil with start bit -1",
                  {},
                  {with(goodWrite(), Cell::Bit, "-1")},
                  "Error row 1!! [Modbus Write] Bit must be between 0 and 7"},
        // Used rows only, read table first.
        CheckCase{"rows after an empty slave are not checked",
                  {goodRead(), with(goodRead(), Cell::Slave_ID, " "), ReadRow({"x", "", "y"})},
                  {},
                  ""},
        CheckCase{"errors in both tables: the read one",
                  {goodRead(), with(goodRead(), Cell::MaxError, "-5")},
                  {with(goodWrite(), Cell::Slave_ID, "0")},
                  "Error row 2!! [Modbus Read] Max Error must be between 0 and 100000000"},
        CheckCase{"error in the write table",
                  {goodRead()},
                  {goodWrite(), goodWrite(), with(goodWrite(), Cell::Slave_ID, "0")},
                  "Error row 3!! [Modbus Write] Slave ID must be between 1 and 247"}),
    [](const ::testing::TestParamInfo<CheckCase>& param) {
        std::string name;
        for (const char* p = param.param.what; *p; ++p)
            name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
        return name;
    });

TEST(Checks, UseTheLanguagesTexts)
{
    StringTable strings = test::EnglishStrings();
    strings.set(157, QStringLiteral("Errore riga "));
    strings.set(161, QStringLiteral(": NPoint tra 1 e "));
    RequestTables tables;
    tables.Modbus_Read.row(1) = with(goodRead(), Cell::NPoint, "200");
    EXPECT_EQ(orNone(Controllo_dati(tables, strings)), QStringLiteral("Errore riga 1: NPoint tra 1 e 125"));
}

TEST(CheckSetAccessFile, GivesTheFirstMessageOfAConfigurationsFile)
{
    const StringTable strings = test::EnglishStrings();
    EXPECT_EQ(orNone(CheckSetAccessFile(test::DataDir() + QStringLiteral("/setaccess-valid.xml"), strings)),
              QStringLiteral("<none>"));
    EXPECT_EQ(orNone(CheckSetAccessFile(
                  test::DataDir() + QStringLiteral("/setaccess-write-row2-npoint-124.xml"), strings)),
              QStringLiteral("Error row 2!! [Modbus Write] NPoint must be between 1 and 123"));

    // The sample configuration shipped with the program passes.
    EXPECT_EQ(orNone(CheckSetAccessFile(
                  test::DistDir() + QStringLiteral("/PROJECTS/Demo/ModbusM_SetAccess.xml"), strings)),
              QStringLiteral("<none>"));

    test::TempProgramDir dir;
    EXPECT_EQ(orNone(CheckSetAccessFile(dir.file(QStringLiteral("ModbusM_SetAccess.xml")), strings)),
              QStringLiteral("<none>"));
    const QString broken = test::DataDir() + QStringLiteral("/setaccess-not-well-formed.xml");
    try {
        CheckSetAccessFile(broken, strings);
        ADD_FAILURE() << "no error for a file that does not parse";
    } catch (const VeldrinError& error) {
        EXPECT_TRUE(error.message().startsWith(QDir::toNativeSeparators(broken)))
            << error.message().toStdString();
    }
}

TEST(RowMessages, NameTheRowsThatWouldBeLost)
{
    const StringTable strings = test::EnglishStrings();
    RequestTables tables;
    EXPECT_EQ(orNone(RowsNotSavedQuestion(tables, strings)), QStringLiteral("<none>"));
    tables.Modbus_Read.row(1) = goodRead();
    tables.Modbus_Read.row(3) = goodRead();
    for (int n : {7, 8, 9, 12})
        tables.Modbus_Write.row(n)[Cell::Mnemonic] = QStringLiteral("kept?");
    EXPECT_EQ(orNone(RowsNotSavedQuestion(tables, strings)),
              QStringLiteral("Only the rows before the first empty Slave ID are saved. These rows hold data "
                             "and will be lost:\nModbus Read: 3\nModbus Write: 7-9, 12\nSave without them?"));

    EXPECT_EQ(orNone(InsertRowRefusal(TableKind::Write, tables.Modbus_Write, strings)),
              QStringLiteral("<none>"));
    tables.Modbus_Write.row(RowCount)[Cell::Slave_ID] = QStringLiteral("1");
    EXPECT_EQ(
        orNone(InsertRowRefusal(TableKind::Write, tables.Modbus_Write, strings)),
        QStringLiteral("Row 512 of Modbus Write holds data, which inserting a row would push out of the "
                       "table. Delete or clear a row first."));
}

// A paste of a whole column of wrong types names a dozen cells, then says how many more.
TEST(RowMessages, APasteReportNamesTheFirstCellsAndCountsTheRest)
{
    const StringTable strings = test::EnglishStrings();
    std::vector<RefusedPaste> refused;
    for (int row = 0; row < 14; ++row)
        refused.push_back({row, 2, QStringLiteral("Foo")});
    const QStringList lines = PasteRefusalMessage(TableKind::Read, refused, strings).split(u'\n');
    ASSERT_EQ(lines.size(), 14);
    EXPECT_EQ(lines[1], QStringLiteral("Row 1, Type: \"Foo\""));
    EXPECT_EQ(lines[12], QStringLiteral("Row 12, Type: \"Foo\""));
    EXPECT_EQ(lines[13], QStringLiteral("... and 2 more."));
    refused.resize(12);
    EXPECT_EQ(PasteRefusalMessage(TableKind::Read, refused, strings).split(u'\n').size(), 13);
}

} // namespace
} // namespace veldrin
