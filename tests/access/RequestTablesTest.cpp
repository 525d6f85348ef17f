#include "access/RequestTables.h"

#include "AccessTestRows.h"
#include "access/RequestTablesFile.h"
#include "common/VeldrinError.h"
#include "support/ErrorOf.h"
#include "support/TempProgramDir.h"
#include "support/TestData.h"

#include <QDir>

#include <gtest/gtest.h>

namespace veldrin {
namespace {

using test::ReadRow;
using test::WriteRow;

QString dataFile(const char* name)
{
    return test::DataDir() + u'/' + QString::fromLatin1(name);
}

TEST(RequestTablesFile, EmptyTablesGiveTwoEmptySectionsAndReadBackEmpty)
{
    test::TempProgramDir dir;
    const QString path = dir.file(QStringLiteral("ModbusM_SetAccess.xml"));
    WriteRequestTables(path, RequestTables{});
    EXPECT_EQ(dir.read(QStringLiteral("ModbusM_SetAccess.xml")),
              QByteArray("<EtherNetIP_to_Modbus><Modbus_Read/><Modbus_Write/></EtherNetIP_to_Modbus>"));
    EXPECT_EQ(ReadRequestTables(path), RequestTables{});
}

TEST(RequestTablesFile, WritesEveryAttributeInFileOrderWithTextsUnchanged)
{
    RequestTables tables;
    tables.Modbus_Read.row(1) = ReadRow({"1", "Holding Register", "0", "10", "1000", "3", "0", "", ""});
    // Write rows: an OnChange never ticked is written empty; texts keep their blanks.
    tables.Modbus_Write.row(1) =
        WriteRow({" 2", "coil status", "5", "1", "500", "", "0", "20", "3", "Pump <1> & \"B\""});
    EXPECT_EQ(
        RequestTablesBytes(tables),
        QByteArray("<EtherNetIP_to_Modbus><Modbus_Read><row Slave_ID=\"1\" Type=\"Holding Register\" "
                   "Address=\"0\" NPoint=\"10\" PollTime=\"1000\" MaxError=\"3\" Position=\"0\" Bit=\"\" "
                   "Mnemonic=\"\"/></Modbus_Read><Modbus_Write><row Slave_ID=\" 2\" Type=\"coil status\" "
                   "Address=\"5\" NPoint=\"1\" PollTime=\"500\" OnChange=\"\" MaxError=\"0\" "
                   "Position=\"20\" Bit=\"3\" Mnemonic=\"Pump &lt;1> &amp; &quot;B&quot;\"/>"
                   "</Modbus_Write></EtherNetIP_to_Modbus>"));
}

TEST(RequestTablesFile, OnlyUsedRowsAreWrittenAndReadBack)
{
    test::TempProgramDir dir;
    const QString path = dir.file(QStringLiteral("ModbusM_SetAccess.xml"));
    RequestTables tables;
    for (int n = 1; n <= 3; ++n)
        tables.Modbus_Read.row(n) = ReadRow(
            {"1", "Input Register", qPrintable(QString::number(n * 10)), "2", "100", "0", "0", "", "é €"});
    tables.Modbus_Read.row(5) = ReadRow({"9", "Coil Status", "0", "1", "100", "0", "0", "0", "lost"});
    // A Slave ID of blanks ends the write table like an empty one.
    tables.Modbus_Write.row(1) = WriteRow({"4", "Holding Register", "0", "1", "0", "Y", "0", "0", "", ""});
    tables.Modbus_Write.row(2) = WriteRow({"  \t", "Holding Register", "0", "1", "0", "N", "0", "0", "", ""});
    tables.Modbus_Write.row(3) = WriteRow({"5", "Holding Register", "0", "1", "0", "N", "0", "0", "", ""});
    WriteRequestTables(path, tables);

    RequestTables expected;
    for (int n = 1; n <= 3; ++n)
        expected.Modbus_Read.row(n) = tables.Modbus_Read.row(n);
    expected.Modbus_Write.row(1) = tables.Modbus_Write.row(1);
    EXPECT_EQ(ReadRequestTables(path), expected);
    EXPECT_EQ(UsedRowCount(tables.Modbus_Read), 3);
    EXPECT_EQ(UsedRowCount(tables.Modbus_Write), 1);
}

TEST(RequestTablesFile, AFullTableRoundTrips)
{
    test::TempProgramDir dir;
    const QString path = dir.file(QStringLiteral("ModbusM_SetAccess.xml"));
    RequestTables tables;
    for (int n = 1; n <= RowCount; ++n) {
        tables.Modbus_Read.row(n) = ReadRow({"1", "Holding Register", "0", "1", "100", "0", "0", "", ""});
        tables.Modbus_Read.row(n)[Cell::Mnemonic] = QString::number(n);
        tables.Modbus_Write.row(n) = WriteRow({"2", "Coil Status", "0", "1", "0", "Y", "0", "0", "7", ""});
    }
    WriteRequestTables(path, tables);
    EXPECT_EQ(ReadRequestTables(path), tables);
}

TEST(RequestTablesFile, AMissingFileGivesEmptyTables)
{
    test::TempProgramDir dir;
    EXPECT_EQ(ReadRequestTables(dir.file(QStringLiteral("none.xml"))), RequestTables{});
}

TEST(RequestTablesFile, OnlyRowElementsAreRows)
{
    const RequestTables tables = ReadRequestTables(dataFile("setaccess-comment-among-rows.xml"));
    EXPECT_EQ(tables.Modbus_Read.row(1)[Cell::Mnemonic], QStringLiteral("first"));
    EXPECT_EQ(tables.Modbus_Read.row(2), ReadRow({"2", "Coil Status", "5", "8", "500", "0", "20", "3", ""}));
    EXPECT_EQ(UsedRowCount(tables.Modbus_Read), 2);
}

TEST(RequestTablesFile, AMissingSectionOrAttributeReadsAsEmptyCells)
{
    const RequestTables tables =
        ReadRequestTables(dataFile("setaccess-no-write-section-missing-attributes.xml"));
    RequestTables expected;
    expected.Modbus_Read.row(1) = ReadRow({"7", "Input Register", "100"});
    expected.Modbus_Read.row(2)[Cell::Mnemonic] = QStringLiteral("only a name");
    EXPECT_EQ(tables, expected);
}

TEST(RequestTablesFile, FilesThatCannotBeShownWholeAreRefusedNamingTheFile)
{
    test::TempProgramDir dir;
    QByteArray tooMany = "<EtherNetIP_to_Modbus><Modbus_Read/><Modbus_Write>";
    for (int n = 0; n <= RowCount; ++n)
        tooMany += "<row Slave_ID=\"1\"/>";
    dir.write(QStringLiteral("too-many.xml"), tooMany + "</Modbus_Write></EtherNetIP_to_Modbus>");
    dir.mkdir(QStringLiteral("folder.xml"));

    const struct {
        QString path;
        QString reason;
    } cases[] = {
        {dataFile("setaccess-declaration-first.xml"),
         QStringLiteral("begins with an XML declaration instead of its root element EtherNetIP_to_Modbus")},
        {dataFile("setaccess-not-well-formed.xml"), QStringLiteral("is not well-formed XML: line 1")},
        {dir.file(QStringLiteral("too-many.xml")),
         QStringLiteral("Modbus_Write holds 513 rows, more than the 512 a table can show")},
        {dir.file(QStringLiteral("folder.xml")), QStringLiteral("is not a regular file")},
    };
    for (const auto& c : cases) {
        const QString message = test::ErrorOf([&] { ReadRequestTables(c.path); });
        EXPECT_TRUE(message.contains(QDir::toNativeSeparators(c.path))) << message.toStdString();
        EXPECT_TRUE(message.contains(c.reason)) << message.toStdString();
    }
}

TEST(RequestTablesFile, ExactlyAFullSectionIsRead)
{
    test::TempProgramDir dir;
    QByteArray full = "<EtherNetIP_to_Modbus><Modbus_Read>";
    for (int n = 1; n <= RowCount; ++n)
        full += "<row Slave_ID=\"" + QByteArray::number(n) + "\"/>";
    dir.write(QStringLiteral("full.xml"), full + "</Modbus_Read></EtherNetIP_to_Modbus>");
    const RequestTables tables = ReadRequestTables(dir.file(QStringLiteral("full.xml")));
    EXPECT_EQ(tables.Modbus_Read.row(RowCount)[Cell::Slave_ID], QStringLiteral("512"));
    EXPECT_EQ(tables.Modbus_Write, RequestTable{});
}

TEST(RequestTablesFile, AFailedWriteNamesTheFileAndTheCell)
{
    test::TempProgramDir dir;
    RequestTables tables;
    tables.Modbus_Read.row(1) = ReadRow({"1", "Holding Register", "0", "1", "100", "0", "0", "", ""});
    tables.Modbus_Write.row(1) =
        WriteRow({"1", "Holding Register", "0", "1", "100", "", "0", "0", "", "a\x01"});
    const QString path = dir.file(QStringLiteral("ModbusM_SetAccess.xml"));
    dir.write(QStringLiteral("ModbusM_SetAccess.xml"), "previous");
    EXPECT_EQ(test::ErrorOf([&] { WriteRequestTables(path, tables); }),
              QStringLiteral("Cannot save %1: Modbus_Write row 1, Mnemonic holds a character that cannot be "
                             "saved in an XML file")
                  .arg(QDir::toNativeSeparators(path)));
    EXPECT_EQ(dir.read(QStringLiteral("ModbusM_SetAccess.xml")), QByteArray("previous"));

    const QString nowhere = dir.file(QStringLiteral("missing/ModbusM_SetAccess.xml"));
    EXPECT_TRUE(test::ErrorOf([&] {
                    WriteRequestTables(nowhere, RequestTables{});
                }).contains(QDir::toNativeSeparators(nowhere)));
}

// Rows 1 to 3 and 512 filled, each told apart by its Slave ID.
RequestTable numberedTable()
{
    RequestTable table;
    for (int n : {1, 2, 3, RowCount})
        table.row(n)[Cell::Slave_ID] = QString::number(n);
    return table;
}

std::vector<QString> slaveIds(const RequestTable& table, std::initializer_list<int> rows)
{
    std::vector<QString> ids;
    for (int n : rows)
        ids.push_back(table.row(n)[Cell::Slave_ID]);
    return ids;
}

TEST(RequestRows, InsertAndDeleteAtTheFirstAndLastRow)
{
    const std::vector<QString> none;
    const QString e;
    const auto s = [](int n) {
        return QString::number(n);
    };
    const std::initializer_list<int> watched = {1, 2, 3, 4, 511, 512};

    RequestTable table = numberedTable();
    Insert_Row(table, 1);
    EXPECT_EQ(slaveIds(table, watched), (std::vector<QString>{e, s(1), s(2), s(3), e, e}));
    EXPECT_EQ(UsedRowCount(table), 0);

    table = numberedTable();
    Delete_Row(table, 1);
    EXPECT_EQ(slaveIds(table, watched), (std::vector<QString>{s(2), s(3), e, e, s(512), e}));

    table = numberedTable();
    Insert_Row(table, RowCount);
    EXPECT_EQ(slaveIds(table, watched), (std::vector<QString>{s(1), s(2), s(3), e, e, e}));

    table = numberedTable();
    Delete_Row(table, RowCount);
    EXPECT_EQ(slaveIds(table, watched), (std::vector<QString>{s(1), s(2), s(3), e, e, e}));

    // Rows outside the table change nothing.
    table = numberedTable();
    Insert_Row(table, 0);
    Delete_Row(table, RowCount + 1);
    EXPECT_EQ(table, numberedTable());
}

TEST(RequestRows, BitTypesAndTheLastByte)
{
    EXPECT_TRUE(IsBitType(TableKind::Read, QStringLiteral(" input status\t")));
    EXPECT_TRUE(IsBitType(TableKind::Write, QStringLiteral("COIL status")));
    EXPECT_FALSE(IsBitType(TableKind::Write, QStringLiteral("Input Status")));
    EXPECT_FALSE(IsBitType(TableKind::Read, QStringLiteral("Holding Register")));
    EXPECT_FALSE(IsBitType(TableKind::Read, QStringLiteral("Coïl Status")));

    EXPECT_EQ(LastByte(true, 999, 8, 0), 999);
    EXPECT_EQ(LastByte(true, 999, 1, 7), 999);
    EXPECT_EQ(LastByte(true, 999, 2, 7), 1000);
    EXPECT_EQ(LastByte(true, 900, 16, 0), 901);
    EXPECT_EQ(LastByte(false, 990, 5, 0), 999);
    EXPECT_EQ(LastByte(false, 990, 6, 0), 1001);
}

TEST(RequestRows, RowsNotSavedAreThoseHoldingDataAfterTheUsedRows)
{
    RequestTable table;
    table.row(1)[Cell::Slave_ID] = QStringLiteral("1");
    table.row(2)[Cell::Type] = QStringLiteral("Coil Status"); // no Slave ID: ends the used rows
    table.row(3)[Cell::OnChange] = QStringLiteral("N");       // a box ticked and cleared again
    table.row(4)[Cell::Mnemonic] = QStringLiteral("  ");
    table.row(5)[Cell::Mnemonic] = QStringLiteral("x");
    table.row(6)[Cell::Slave_ID] = QStringLiteral("6");
    table.row(7)[Cell::OnChange] = QStringLiteral("Y");
    table.row(RowCount)[Cell::Bit] = QStringLiteral("0");
    EXPECT_EQ(RowsNotSaved(table), (std::vector<int>{2, 5, 6, 7, RowCount}));
}

} // namespace
} // namespace veldrin
