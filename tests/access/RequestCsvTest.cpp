#include "access/RequestCsv.h"

#include "access/AccessTestRows.h"
#include "access/RequestTablesFile.h"
#include "lang/StringTable.h"
#include "support/EnglishStrings.h"
#include "support/TestData.h"

#include <QFile>

#include <gtest/gtest.h>

namespace veldrin {
namespace {

using test::ReadRow;
using test::WriteRow;

TEST(RequestCsv, ExportsTheUsedRowsWithTheFilesAttributeNames)
{
    RequestTable table;
    table.row(1) = WriteRow({"1", "Holding Register", "100", "2", "0", "Y", "3", "10", "", "Pump, \"main\""});
    table.row(2) = WriteRow({"2", "Coil Status", "0", "8", "500", "N", "0", "0", "0", " Tür\nauf"});
    table.row(4) = WriteRow({"3", "Coil Status", "0", "8", "500", "N", "0", "0", "0", "not used"});
    EXPECT_EQ(RequestCsvBytes(TableKind::Write, table),
              QByteArray("\xEF\xBB\xBF"
                         "Slave_ID,Type,Address,NPoint,PollTime,OnChange,MaxError,Position,Bit,Mnemonic\r\n"
                         "1,Holding Register,100,2,0,Y,3,10,,\"Pump, \"\"main\"\"\"\r\n"
                         "2,Coil Status,0,8,500,N,0,0,0,\" T\xC3\xBCr\nauf\"\r\n"));
    EXPECT_EQ(
        RequestCsvBytes(TableKind::Read, RequestTable()),
        QByteArray("\xEF\xBB\xBFSlave_ID,Type,Address,NPoint,PollTime,MaxError,Position,Bit,Mnemonic\r\n"));
}

struct ReadCase {
    const char* what;
    TableKind kind;
    QByteArray csv;
    std::vector<RequestRow> rows; // when it reads
    QStringList problems;         // when it does not
};

TEST(RequestCsv, ReadsWhatSpreadsheetsWriteAndNamesTheLineAndColumnOfEachRefusal)
{
    const QByteArray header = "Slave_ID,Type,Address,NPoint,PollTime,MaxError,Position,Bit,Mnemonic\r\n";
    const QByteArray row = "1,Holding Register,100,10,1000,3,0,,Levels\r\n";
    const RequestRow levels = ReadRow({"1", "Holding Register", "100", "10", "1000", "3", "0", "", "Levels"});
    QByteArray tooMany = header;
    for (int i = 0; i <= RowCount; ++i)
        tooMany += row;

    const std::vector<ReadCase> cases{
        {"with a byte-order mark and CR LF", TableKind::Read, "\xEF\xBB\xBF" + header + row, {levels}, {}},
        {"semicolons, LF, no mark",
         TableKind::Read,
         "Slave_ID;Type;Address;NPoint;PollTime;MaxError;Position;Bit;Mnemonic\n"
         "1;Holding Register;100;10;1000;3;0;;Levels\n",
         {levels},
         {}},
        {"columns in another order, some missing, names in any case",
         TableKind::Read,
         " position ,slave_id,TYPE\n7,2,coil status\n",
         {ReadRow({"2", "Coil Status", "", "", "", "", "7", "", ""})},
         {}},
        {"quotes, separators and a line break in a field",
         TableKind::Read,
         header + "1,Holding Register,100,10,1000,3,0,,\"a, \"\"b\"\"\r\nc;d\"\r\n",
         {ReadRow({"1", "Holding Register", "100", "10", "1000", "3", "0", "", "a, \"b\"\r\nc;d"})},
         {}},
        {"blank lines skipped, the last line without its break",
         TableKind::Read,
         "\n" + header + ",,,,,,,,\r\n" + row.chopped(2),
         {levels},
         {}},
        {"the write table's On Change",
         TableKind::Write,
         "Slave_ID,OnChange\n1,y\n2,\n",
         {WriteRow({"1", "", "", "", "", "Y"}), WriteRow({"2"})},
         {}},

        {"a type not in the list, a position and a start bit out of range",
         TableKind::Read,
         header + "1,Holding,100,10,1000,3,0,,Levels\n1,Coil Status,0,1,100,3,1000,8,\n",
         {},
         {"Line 2, column Type: \"Holding\" is not among the column's entries.",
          "Line 3, column Position: \"1000\" is not among the column's entries.",
          "Line 3, column Bit: \"8\" is not among the column's entries."}},
        {"an On Change other than Y, N or empty",
         TableKind::Write,
         "Slave_ID,OnChange\n1,X\n",
         {},
         {"Line 2, column OnChange: \"X\" is not among the column's entries."}},
        {"a line after a quoted line break is counted right",
         TableKind::Read,
         header + "1,Holding Register,0,1,1,0,0,,\"two\nlines\"\n1,Holding Register,0,1,1,0,0\n",
         {},
         {"Line 4 has 7 fields; the header has 9."}},
        {"a row with data but no Slave ID",
         TableKind::Read,
         "Slave_ID,Mnemonic\n ,spare\n",
         {},
         {"Line 2, column Slave_ID: a row with data needs a Slave ID; the rows after an empty one would "
          "not be saved."}},
        {"an unknown column",
         TableKind::Read,
         "Slave_ID,OnChange,Comment\n",
         {},
         {"Unknown columns: \"OnChange\", \"Comment\". The columns are: Slave_ID, Type, Address, NPoint, "
          "PollTime, MaxError, Position, Bit, Mnemonic."}},
        {"a column twice", TableKind::Read, "Slave_ID,Type,type\n", {}, {"The column Type appears twice."}},
        {"no Slave_ID column",
         TableKind::Read,
         "Type,Address\nCoil Status,1\n",
         {},
         {"The file has no Slave_ID column."}},
        {"a quote not closed",
         TableKind::Read,
         header + "1,\"Holding Register,0\n",
         {},
         {"Line 2: a quoted field is not closed."}},
        {"text after a closing quote",
         TableKind::Read,
         header + "1,\"Holding\" Register,0\n",
         {},
         {"Line 2: text follows a closing quote."}},
        {"more rows than the table holds",
         TableKind::Read,
         tooMany,
         {},
         {"Line 514: the table has room for 512 rows, so this row and the ones after it do not fit."}},
        {"not UTF-8",
         TableKind::Read,
         header + row + "1,Holding Register,0,1,1,0,0,,T\xFCr\n",
         {},
         {"Line 3 is not UTF-8 text."}},
        {"an empty file", TableKind::Read, "\xEF\xBB\xBF\r\n", {}, {"The file holds no header line."}},
    };
    const StringTable strings = test::EnglishStrings();
    for (const ReadCase& c : cases) {
        const CsvRows read = ReadRequestCsv(c.kind, c.csv, RowCount);
        QStringList problems;
        for (const CsvProblem& problem : read.problems)
            problems.append(CsvProblemText(problem, strings));
        EXPECT_EQ(problems, c.problems) << c.what;
        if (c.problems.isEmpty()) {
            EXPECT_EQ(read.rows, c.rows) << c.what;
        }
    }
}

TEST(RequestCsv, ImportReplacesTheTableOrAppendsAfterItsUsedRows)
{
    RequestTable table;
    table.row(1) = ReadRow({"1", "Holding Register"});
    table.row(2) = ReadRow({"2", "Holding Register"});
    const std::vector<RequestRow> rows{ReadRow({"7", "Coil Status"})};
    RequestTable appended = table;
    PutImportedRows(appended, rows, true);
    EXPECT_EQ(appended.row(3), rows[0]);
    EXPECT_EQ(appended.row(1), table.row(1));
    PutImportedRows(table, rows, false);
    EXPECT_EQ(table.row(1), rows[0]);
    EXPECT_EQ(UsedRowCount(table), 1);
}

// Export then import gives the very file back.
void expectRoundTrip(const RequestTables& tables, const char* what)
{
    const QByteArray file = RequestTablesBytes(tables);
    RequestTables again;
    for (TableKind kind : {TableKind::Read, TableKind::Write}) {
        const CsvRows read = ReadRequestCsv(kind, RequestCsvBytes(kind, tables.table(kind)), RowCount);
        ASSERT_TRUE(read.problems.empty()) << what;
        PutImportedRows(again.table(kind), read.rows, false);
    }
    EXPECT_EQ(RequestTablesBytes(again), file) << what;
}

TEST(RequestCsv, ExportThenImportGivesTheSameFile)
{
    expectRoundTrip(ReadRequestTables(test::SamplesDir() + QStringLiteral("/Demo/ModbusM_SetAccess.xml")),
                    "the sample");
    RequestTables full;
    for (int n = 1; n <= RowCount; ++n) {
        full.Modbus_Read.row(n) =
            ReadRow({"1", n % 2 ? "Holding Register" : "Input Status", "0", "1", "1000", "3", "7",
                     n % 2 ? "" : "5", n % 3 ? "Temp; \"zone\", Tür" : " padded "});
        full.Modbus_Write.row(n) =
            WriteRow({"2", "Coil Status", "1", "3", "0", n % 2 ? "Y" : "N", "0", "9", "2", "Ventil ä,ö"});
    }
    expectRoundTrip(full, "full tables");
}

} // namespace
} // namespace veldrin
