#include "access/RequestColumns.h"

#include "common/TextRules.h"

namespace veldrin {
namespace {

QStringList numbers(int count)
{
    QStringList list;
    list.reserve(count);
    for (int i = 0; i < count; ++i)
        list.append(QString::number(i));
    return list;
}

// Whether list is "0", "1", ... in order, so that a number is its own index in it.
bool isNumbered(const QStringList& list)
{
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (list[i] != QString::number(i))
            return false;
    }
    return true;
}

} // namespace

const std::vector<GridColumn>& GridColumns(TableKind kind)
{
    using E = CellEditor;
    static const std::vector<GridColumn> read{
        {std::nullopt, E::Fixed, 136, 40},  {Cell::Slave_ID, E::Text, 137, 60},
        {Cell::Type, E::List, 138, 115},    {Cell::Address, E::Text, 139, 60},
        {Cell::NPoint, E::Text, 140, 60},   {Cell::PollTime, E::Text, 141, 64},
        {Cell::MaxError, E::Text, 142, 64}, {Cell::Position, E::List, 143, 61},
        {Cell::Bit, E::List, 144, 64},      {Cell::Mnemonic, E::Text, 145, 151},
    };
    static const std::vector<GridColumn> write{
        {std::nullopt, E::Fixed, 146, 40},   {Cell::Slave_ID, E::Text, 147, 60},
        {Cell::Type, E::List, 148, 115},     {Cell::Address, E::Text, 149, 60},
        {Cell::NPoint, E::Text, 150, 60},    {Cell::PollTime, E::Text, 151, 64},
        {Cell::OnChange, E::Check, 152, 68}, {Cell::MaxError, E::Text, 153, 64},
        {Cell::Position, E::List, 154, 64},  {Cell::Bit, E::List, 155, 64},
        {Cell::Mnemonic, E::Text, 156, 88},
    };
    return kind == TableKind::Read ? read : write;
}

const QStringList& ListEntries(TableKind kind, Cell cell)
{
    static const QStringList readTypes{QStringLiteral("Coil Status"), QStringLiteral("Input Status"),
                                       QStringLiteral("Holding Register"), QStringLiteral("Input Register")};
    static const QStringList writeTypes{QStringLiteral("Coil Status"), QStringLiteral("Holding Register")};
    static const QStringList readPositions = numbers(NByte_IN);
    static const QStringList writePositions = numbers(NByte_OUT);
    static const QStringList bits = numbers(8);
    static const QStringList none;
    switch (cell) {
    case Cell::Type:
        return kind == TableKind::Read ? readTypes : writeTypes;
    case Cell::Position:
        return kind == TableKind::Read ? readPositions : writePositions;
    case Cell::Bit:
        return bits;
    default:
        return none;
    }
}

// A list's entries, found without copying the pasted text: in a list of numbers the number is
// the index; elsewhere the first entry equal to the text but for case, compared one by one.
struct PastedColumn::Entries {
    explicit Entries(const QStringList& list) : entries(list), numbered(isNumbered(list)) {}

    const QString* find(QStringView text) const
    {
        if (numbered) {
            // Digits only, without a leading zero: as the entries are written.
            if (text.isEmpty() || text.size() > 9 || (text[0] == u'0' && text.size() > 1))
                return nullptr;
            qsizetype number = 0;
            for (QChar c : text) {
                if (c < u'0' || c > u'9')
                    return nullptr;
                number = number * 10 + (c.unicode() - u'0');
            }
            return number < entries.size() ? &entries[number] : nullptr;
        }
        for (const QString& entry : entries) {
            if (EqualAsciiUpper(entry, text))
                return &entry;
        }
        return nullptr;
    }

    const QStringList& entries;
    const bool numbered;
};

PastedColumn::PastedColumn(TableKind kind, Cell cell)
{
    static const Entries readTypes(ListEntries(TableKind::Read, Cell::Type));
    static const Entries writeTypes(ListEntries(TableKind::Write, Cell::Type));
    static const Entries readPositions(ListEntries(TableKind::Read, Cell::Position));
    static const Entries writePositions(ListEntries(TableKind::Write, Cell::Position));
    static const Entries bits(ListEntries(TableKind::Read, Cell::Bit));
    switch (cell) {
    case Cell::Type:
        m_entries = kind == TableKind::Read ? &readTypes : &writeTypes;
        break;
    case Cell::Position:
        m_entries = kind == TableKind::Read ? &readPositions : &writePositions;
        break;
    case Cell::Bit:
        m_entries = &bits;
        break;
    default:
        m_onChange = cell == Cell::OnChange && kind == TableKind::Write;
        break;
    }
}

const QString* PastedColumn::value(const QString& text) const
{
    static const QString nothing = QStringLiteral("");
    static const QString yes = QStringLiteral("Y");
    static const QString no = QStringLiteral("N");
    if (!m_onChange && !m_entries)
        return &text;
    const QStringView trimmed = TrimmedView(text);
    if (trimmed.isEmpty())
        return &nothing;
    if (m_onChange) {
        if (EqualAsciiUpper(trimmed, yes))
            return &yes;
        if (EqualAsciiUpper(trimmed, no))
            return &no;
        return nullptr;
    }
    return m_entries->find(trimmed);
}

std::optional<QString> PastedCellValue(TableKind kind, Cell cell, const QString& text)
{
    const QString* value = PastedColumn(kind, cell).value(text);
    return value ? std::optional(*value) : std::nullopt;
}

std::vector<QStringList> ParseTabText(const QString& text)
{
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    std::vector<QStringList> rows;
    rows.reserve(static_cast<std::size_t>(lines.size()));
    for (QString line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        rows.push_back(line.split(u'\t'));
    }
    return rows;
}

QString ToTabText(const std::vector<QStringList>& rows)
{
    QString text;
    for (const QStringList& row : rows) {
        QStringList fields;
        for (QString field : row) {
            field.replace(u'\t', u' ').replace(u'\r', u' ').replace(u'\n', u' ');
            fields.append(field);
        }
        text += fields.join(u'\t') + u'\n';
    }
    return text;
}

} // namespace veldrin
