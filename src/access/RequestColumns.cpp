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

std::optional<QString> PastedCellValue(TableKind kind, Cell cell, const QString& text)
{
    const QString trimmed = Trim(text);
    if (cell == Cell::OnChange && kind == TableKind::Write) {
        const QString upper = AsciiUpper(trimmed);
        if (upper.isEmpty() || upper == u"Y" || upper == u"N")
            return upper;
        return std::nullopt;
    }
    const QStringList& entries = ListEntries(kind, cell);
    if (entries.isEmpty())
        return text;
    if (trimmed.isEmpty())
        return QString();
    const QString upper = AsciiUpper(trimmed);
    for (const QString& entry : entries) {
        if (AsciiUpper(entry) == upper)
            return entry;
    }
    return std::nullopt;
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
