// A request table as CSV, the form spreadsheets read and write: a header line of the file's
// attribute names, then one line per used row with the cells as the grid holds them.
#pragma once

#include "access/RequestTables.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <vector>

namespace veldrin {

class StringTable;

// UTF-8 with a byte-order mark (so spreadsheet programs read non-ASCII mnemonics right),
// comma-separated, CR LF line ends; a field that holds a separator, a quote, a line break or
// blanks at either end is quoted, its quotes doubled.
QByteArray RequestCsvBytes(TableKind kind, const RequestTable& table);

// What keeps a CSV file from being imported.
enum class CsvFault {
    NotUtf8,         // line: the first line that is not UTF-8 text
    NoHeader,        // the file holds no header line
    UnknownColumns,  // text: the names the table does not have; column: the names it has
    DuplicateColumn, // text: the name
    NoSlaveColumn,   // the header lacks Slave_ID, without which no row is used
    UnclosedQuote,   // line: where the quoted field starts
    TextAfterQuote,  // line
    FieldCount,      // line; count: the line's fields; expected: the header's
    TooManyRows,     // line: the first row with no room left; expected: the room
    EmptySlave,      // line, column: a row with data but no Slave ID, which would end the table
    NotAnEntry,      // line, column, text: a value the column cannot hold
};

struct CsvProblem {
    CsvFault fault = CsvFault::NoHeader;
    int line = 0; // 1-based, the line a row starts on
    QString column{};
    QString text{};
    int count = 0;
    int expected = 0;
    bool operator==(const CsvProblem&) const = default;
};

struct CsvRows {
    std::vector<RequestRow> rows;
    // Every value a column cannot hold, in file order, or the one fault that stopped the
    // reading. Nothing is imported while there is any.
    std::vector<CsvProblem> problems;
};

// The rows of a CSV file for the table: separated by commas or, as many spreadsheets write
// in Europe, by semicolons (the header line tells which); with or without a byte-order mark;
// CR LF or LF line ends; the columns in any order, a missing column read as empty. Lines whose
// fields are all blank are skipped. Each value goes through the rule a pasted text follows
// (a list takes one of its entries, letter case ignored). At most room rows are taken.
CsvRows ReadRequestCsv(TableKind kind, QByteArrayView bytes, int room);

// The bytes of the CSV file at path; VeldrinError naming the file when it cannot be read or
// is larger than any table's CSV could be.
QByteArray ReadCsvFile(const QString& path);

// The problem in words, naming the line and the column.
QString CsvProblemText(const CsvProblem& problem, const StringTable& strings);
// That nothing was imported from the file, and why: each problem on a line of its own, a long
// list ending with how many more there are.
QString CsvRefusalMessage(const QString& fileName, const std::vector<CsvProblem>& problems,
                          const StringTable& strings);

// Puts rows into the table: in place of all its rows, or after its used rows.
void PutImportedRows(RequestTable& table, const std::vector<RequestRow>& rows, bool append);

} // namespace veldrin
