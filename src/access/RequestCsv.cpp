#include "access/RequestCsv.h"

#include "access/RequestColumns.h"
#include "common/ReadWholeFile.h"
#include "common/TextRules.h"
#include "common/VeldrinError.h"
#include "lang/StringTable.h"

#include <QDir>
#include <QStringDecoder>
#include <QStringList>

#include <optional>

namespace veldrin {
namespace {

constexpr int NotAnEntryText = 244;      // "Line %1, column %2: \"%3\" is not among the column's entries."
constexpr int NotUtf8Text = 245;         // "Line %1 is not UTF-8 text."
constexpr int NoHeaderText = 246;        // "The file holds no header line."
constexpr int UnknownColumnsText = 247;  // "Unknown columns: %1. The columns are: %2."
constexpr int DuplicateColumnText = 248; // "The column %1 appears twice."
constexpr int NoSlaveColumnText = 249;   // "The file has no %1 column."
constexpr int UnclosedQuoteText = 250;   // "Line %1: a quoted field is not closed."
constexpr int TextAfterQuoteText = 251;  // "Line %1: text follows a closing quote."
constexpr int FieldCountText = 252;      // "Line %1 has %2 fields; the header has %3."
constexpr int TooManyRowsText = 253;     // "Line %1: the table has room for %2 rows, ..."
constexpr int EmptySlaveText = 254;      // "Line %1, column %2: a row with data needs a Slave ID; ..."
constexpr int NothingImportedText = 258; // "Nothing was imported from %1:"
constexpr int MoreText = 224;            // "... and %1 more."
// The problems a message lists; more would make a box taller than a screen.
constexpr std::size_t ShownProblems = 12;
// Far above what 512 rows of any sensible width take.
constexpr qint64 MiB = qint64{1024} * 1024;
constexpr qint64 CsvSizeLimit = 16 * MiB;

const QString Utf8Bom = QStringLiteral("\uFEFF");

bool needsQuotes(const QString& field)
{
    for (QChar c : field) {
        if (c == u',' || c == u';' || c == u'"' || c == u'\r' || c == u'\n')
            return true;
    }
    return !field.isEmpty() && (field.front().isSpace() || field.back().isSpace());
}

void appendField(QString& line, const QString& field)
{
    if (!needsQuotes(field)) {
        line += field;
        return;
    }
    line += u'"';
    line += QString(field).replace(u'"', QStringLiteral("\"\""));
    line += u'"';
}

QString csvLine(const QStringList& fields)
{
    QString line;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += u',';
        appendField(line, fields[i]);
    }
    return line + QStringLiteral("\r\n");
}

// One line of the file as fields, and the line it starts on.
struct Record {
    int line = 0;
    QStringList fields;
};

// Splits the text into records; a quoted field may hold separators, quotes (doubled) and
// line breaks. Stops at the first fault with the problem.
class RecordReader {
public:
    RecordReader(const QString& text, QChar separator) : m_text(text), m_separator(separator) {}

    // The next record, or nothing at the end of the text or at a fault.
    std::optional<Record> next()
    {
        if (m_at >= m_text.size() || m_problem)
            return std::nullopt;
        Record record{m_line, {}};
        while (true) {
            std::optional<QString> field = m_text[m_at] == u'"' ? quotedField() : plainField();
            if (!field)
                return std::nullopt;
            record.fields.append(*field);
            if (m_at < m_text.size() && m_text[m_at] == m_separator) {
                ++m_at;
                continue;
            }
            if (m_at < m_text.size()) { // a line break
                ++m_at;
                ++m_line;
            }
            return record;
        }
    }
    const std::optional<CsvProblem>& problem() const { return m_problem; }

private:
    QString plainField()
    {
        const qsizetype start = m_at;
        while (m_at < m_text.size() && m_text[m_at] != m_separator && m_text[m_at] != u'\n')
            ++m_at;
        qsizetype end = m_at;
        if (end > start && m_at < m_text.size() && m_text[m_at] == u'\n' && m_text[end - 1] == u'\r')
            --end;
        return m_text.mid(start, end - start);
    }

    std::optional<QString> quotedField()
    {
        const int startLine = m_line;
        QString field;
        ++m_at;
        while (true) {
            if (m_at >= m_text.size()) {
                m_problem = CsvProblem{CsvFault::UnclosedQuote, startLine};
                return std::nullopt;
            }
            const QChar c = m_text[m_at++];
            if (c == u'"') {
                if (m_at < m_text.size() && m_text[m_at] == u'"') {
                    field += u'"';
                    ++m_at;
                    continue;
                }
                break;
            }
            if (c == u'\n')
                ++m_line;
            field += c;
        }
        // After the closing quote: the separator, the line's end, or the text's.
        if (m_at < m_text.size() && m_text[m_at] == u'\r' && m_at + 1 < m_text.size() &&
            m_text[m_at + 1] == u'\n')
            ++m_at;
        if (m_at < m_text.size() && m_text[m_at] != m_separator && m_text[m_at] != u'\n') {
            m_problem = CsvProblem{CsvFault::TextAfterQuote, m_line};
            return std::nullopt;
        }
        return field;
    }

    const QString& m_text;
    QChar m_separator;
    qsizetype m_at = 0;
    int m_line = 1;
    std::optional<CsvProblem> m_problem;
};

// The text of the file without its byte-order mark, or the first line that is not UTF-8.
std::optional<QString> decodedText(QByteArrayView bytes, std::vector<CsvProblem>& problems)
{
    QString text;
    text.reserve(bytes.size());
    int line = 1;
    for (qsizetype start = 0; start < bytes.size(); ++line) {
        qsizetype end = bytes.indexOf('\n', start);
        end = end < 0 ? bytes.size() : end + 1;
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        text += decoder.decode(bytes.sliced(start, end - start));
        if (decoder.hasError()) {
            problems.push_back({CsvFault::NotUtf8, line});
            return std::nullopt;
        }
        start = end;
    }
    if (text.startsWith(Utf8Bom))
        text.remove(0, 1);
    return text;
}

// The separator the header line uses: a semicolon where it has one and no comma.
QChar separatorOf(const QString& text)
{
    const QStringView header = QStringView(text).left(text.indexOf(u'\n'));
    return header.contains(u';') && !header.contains(u',') ? QChar(u';') : QChar(u',');
}

bool allBlank(const QStringList& fields)
{
    return std::all_of(fields.begin(), fields.end(), [](const QString& f) { return Trim(f).isEmpty(); });
}

} // namespace

QByteArray RequestCsvBytes(TableKind kind, const RequestTable& table)
{
    const std::vector<Cell>& cells = TableCells(kind);
    QStringList names;
    for (Cell cell : cells)
        names.append(CellName(cell));
    QString text = Utf8Bom + csvLine(names);
    const int used = UsedRowCount(table);
    for (int number = 1; number <= used; ++number) {
        QStringList fields;
        for (Cell cell : cells)
            fields.append(table.row(number)[cell]);
        text += csvLine(fields);
    }
    return text.toUtf8();
}

CsvRows ReadRequestCsv(TableKind kind, QByteArrayView bytes, int room)
{
    CsvRows result;
    const std::optional<QString> text = decodedText(bytes, result.problems);
    if (!text)
        return result;
    RecordReader reader(*text, separatorOf(*text));

    // The header: each column's cell, found by its name.
    std::optional<Record> header = reader.next();
    while (header && allBlank(header->fields))
        header = reader.next();
    if (!header) {
        result.problems.push_back(reader.problem().value_or(CsvProblem{CsvFault::NoHeader}));
        return result;
    }
    const std::vector<Cell>& cells = TableCells(kind);
    std::vector<Cell> columns;
    QStringList unknown;
    for (const QString& field : header->fields) {
        const QString name = Trim(field);
        const auto cell = std::find_if(cells.begin(), cells.end(), [&](Cell c) {
            return CellName(c).compare(name, Qt::CaseInsensitive) == 0;
        });
        if (cell == cells.end()) {
            unknown.append(QStringLiteral("\"%1\"").arg(name));
            continue;
        }
        if (std::find(columns.begin(), columns.end(), *cell) != columns.end()) {
            result.problems.push_back({CsvFault::DuplicateColumn, header->line, CellName(*cell)});
            return result;
        }
        columns.push_back(*cell);
    }
    if (!unknown.isEmpty()) {
        QStringList names;
        for (Cell cell : cells)
            names.append(CellName(cell));
        result.problems.push_back({CsvFault::UnknownColumns, header->line, names.join(QStringLiteral(", ")),
                                   unknown.join(QStringLiteral(", "))});
        return result;
    }
    if (std::find(columns.begin(), columns.end(), Cell::Slave_ID) == columns.end()) {
        result.problems.push_back({CsvFault::NoSlaveColumn, header->line, CellName(Cell::Slave_ID)});
        return result;
    }
    std::vector<PastedColumn> rules;
    rules.reserve(columns.size());
    for (Cell cell : columns)
        rules.emplace_back(kind, cell);

    while (std::optional<Record> record = reader.next()) {
        if (allBlank(record->fields))
            continue;
        if (static_cast<int>(result.rows.size()) >= room) {
            result.problems.push_back({CsvFault::TooManyRows, record->line, {}, {}, 0, room});
            return result;
        }
        if (record->fields.size() != static_cast<qsizetype>(columns.size())) {
            result.problems.push_back({CsvFault::FieldCount,
                                       record->line,
                                       {},
                                       {},
                                       static_cast<int>(record->fields.size()),
                                       static_cast<int>(columns.size())});
            result.rows.emplace_back();
            continue;
        }
        RequestRow row;
        for (std::size_t i = 0; i < columns.size(); ++i) {
            const QString& field = record->fields[static_cast<qsizetype>(i)];
            if (const QString* value = rules[i].value(field))
                row[columns[i]] = *value;
            else
                result.problems.push_back({CsvFault::NotAnEntry, record->line, CellName(columns[i]), field});
        }
        if (Trim(row[Cell::Slave_ID]).isEmpty())
            result.problems.push_back({CsvFault::EmptySlave, record->line, CellName(Cell::Slave_ID)});
        result.rows.push_back(std::move(row));
    }
    if (reader.problem())
        result.problems.push_back(*reader.problem());
    return result;
}

QByteArray ReadCsvFile(const QString& path)
{
    FileContents contents = ReadWholeFile(path, CsvSizeLimit);
    const QString name = QDir::toNativeSeparators(path);
    switch (contents.status) {
    case FileContents::Status::Read:
        return std::move(contents.bytes);
    case FileContents::Status::Missing:
        throw VeldrinError(QStringLiteral("%1 does not exist.").arg(name));
    case FileContents::Status::NotAFile:
        throw VeldrinError(QStringLiteral("%1 is not a file.").arg(name));
    case FileContents::Status::TooLarge:
        throw VeldrinError(
            QStringLiteral("%1 is larger than %2 MiB, far more than a table of requests takes.")
                .arg(name)
                .arg(CsvSizeLimit / MiB));
    case FileContents::Status::Unreadable:
        break;
    }
    throw VeldrinError(QStringLiteral("Cannot read %1: %2").arg(name, contents.reason));
}

QString CsvRefusalMessage(const QString& fileName, const std::vector<CsvProblem>& problems,
                          const StringTable& strings)
{
    QStringList lines{strings[NothingImportedText].arg(QDir::toNativeSeparators(fileName))};
    for (std::size_t i = 0; i < problems.size() && i < ShownProblems; ++i)
        lines.append(CsvProblemText(problems[i], strings));
    if (problems.size() > ShownProblems)
        lines.append(strings[MoreText].arg(problems.size() - ShownProblems));
    return lines.join(u'\n');
}

QString CsvProblemText(const CsvProblem& problem, const StringTable& strings)
{
    switch (problem.fault) {
    case CsvFault::NotUtf8:
        return strings[NotUtf8Text].arg(problem.line);
    case CsvFault::NoHeader:
        return strings[NoHeaderText];
    case CsvFault::UnknownColumns:
        return strings[UnknownColumnsText].arg(problem.text, problem.column);
    case CsvFault::DuplicateColumn:
        return strings[DuplicateColumnText].arg(problem.column);
    case CsvFault::NoSlaveColumn:
        return strings[NoSlaveColumnText].arg(problem.column);
    case CsvFault::UnclosedQuote:
        return strings[UnclosedQuoteText].arg(problem.line);
    case CsvFault::TextAfterQuote:
        return strings[TextAfterQuoteText].arg(problem.line);
    case CsvFault::FieldCount:
        return strings[FieldCountText].arg(problem.line).arg(problem.count).arg(problem.expected);
    case CsvFault::TooManyRows:
        return strings[TooManyRowsText].arg(problem.line).arg(problem.expected);
    case CsvFault::EmptySlave:
        return strings[EmptySlaveText].arg(problem.line).arg(problem.column);
    case CsvFault::NotAnEntry:
        return strings[NotAnEntryText].arg(problem.line).arg(problem.column, problem.text);
    }
    return {};
}

void PutImportedRows(RequestTable& table, const std::vector<RequestRow>& rows, bool append)
{
    if (!append)
        table = RequestTable();
    int number = append ? UsedRowCount(table) + 1 : 1;
    for (const RequestRow& row : rows) {
        if (number > RowCount)
            break;
        table.row(number++) = row;
    }
}

} // namespace veldrin
