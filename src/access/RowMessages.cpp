#include "access/RowMessages.h"

#include "lang/StringTable.h"

namespace veldrin {
namespace {

constexpr int TableNameText = 134;    // "Modbus Read", then "Modbus Write"
constexpr int SlaveIdText = 137;      // "Slave ID"
constexpr int RowsLostText = 215;     // "Only the rows before the first empty %1 are saved. ..."
constexpr int SaveAnywayText = 216;   // "Save without them?"
constexpr int RowPushedOutText = 217; // "Row %1 of %2 holds data, ..."
constexpr int PasteRefusedText = 222; // "These pasted values are not among their columns' entries, ..."
constexpr int RefusedCellText = 223;  // "Row %1, %2: %3"
constexpr int MoreText = 224;         // "... and %1 more."
constexpr int BusLoadText = 226;      // "Bus load %1 % at %2 (read %3 %, write %4 %) · shortest cycle %5 ms"
constexpr int EstimateText = 227;     // "An estimate from frame sizes and gaps, not a measurement: ..."
constexpr int OverlapText = 228;      // "These read rows fill the same bytes of the input area, ..."
constexpr int OverlapPairText = 229;  // "Rows %1 and %2: bytes %3-%4"
constexpr int SaveAnywayAskText = 230; // "Save anyway?"
// The cells or row pairs a message names; more would make a box taller than a screen.
constexpr std::size_t ShownLines = 12;

const QString& tableName(TableKind kind, const StringTable& strings)
{
    return strings[TableNameText + (kind == TableKind::Read ? 0 : 1)];
}

} // namespace

QString RowList(const std::vector<int>& rows)
{
    QStringList parts;
    for (std::size_t i = 0; i < rows.size();) {
        std::size_t end = i;
        while (end + 1 < rows.size() && rows[end + 1] == rows[end] + 1)
            ++end;
        parts.append(end == i ? QString::number(rows[i])
                              : QStringLiteral("%1-%2").arg(rows[i]).arg(rows[end]));
        i = end + 1;
    }
    return parts.join(QStringLiteral(", "));
}

std::optional<QString> RowsNotSavedQuestion(const RequestTables& tables, const StringTable& strings)
{
    QStringList lost;
    for (TableKind kind : {TableKind::Read, TableKind::Write}) {
        const std::vector<int> rows = RowsNotSaved(tables.table(kind));
        if (!rows.empty())
            lost.append(QStringLiteral("%1: %2").arg(tableName(kind, strings), RowList(rows)));
    }
    if (lost.isEmpty())
        return std::nullopt;
    return strings[RowsLostText].arg(strings[SlaveIdText]) + u'\n' + lost.join(u'\n') + u'\n' +
           strings[SaveAnywayText];
}

QString PasteRefusalMessage(TableKind kind, const std::vector<RefusedPaste>& refused,
                            const StringTable& strings)
{
    QStringList lines{strings[PasteRefusedText]};
    const std::vector<GridColumn>& columns = GridColumns(kind);
    for (std::size_t i = 0; i < refused.size() && i < ShownLines; ++i) {
        const RefusedPaste& cell = refused[i];
        lines.append(strings[RefusedCellText]
                         .arg(cell.row + 1)
                         .arg(strings[columns.at(static_cast<std::size_t>(cell.column)).header],
                              u'"' + cell.text + u'"'));
    }
    if (refused.size() > ShownLines)
        lines.append(strings[MoreText].arg(refused.size() - ShownLines));
    return lines.join(u'\n');
}

BusLoadLine BusLoadStatus(const RequestTables& tables, const SerialLine& line, const StringTable& strings)
{
    const TableLoad reads = TableBusLoad(TableKind::Read, tables.Modbus_Read, line, 0);
    const TableLoad writes = TableBusLoad(TableKind::Write, tables.Modbus_Write, line, 0);
    const double load = reads.percent + writes.percent;
    const auto percent = [](double value) {
        return QString::number(value, 'f', 0);
    };
    return {strings[BusLoadText].arg(percent(load), SerialLineName(line), percent(reads.percent),
                                     percent(writes.percent),
                                     QString::number(reads.cycleMs + writes.cycleMs, 'f', 0)),
            LoadLevelOf(load)};
}

std::optional<QString> OverlapQuestion(const AreaMap& inputArea, const StringTable& strings)
{
    if (inputArea.overlaps.empty())
        return std::nullopt;
    QStringList lines{strings[OverlapText]};
    for (std::size_t i = 0; i < inputArea.overlaps.size() && i < ShownLines; ++i) {
        const Overlap& overlap = inputArea.overlaps[i];
        lines.append(strings[OverlapPairText]
                         .arg(overlap.first)
                         .arg(overlap.second)
                         .arg(overlap.bits.firstByte())
                         .arg(overlap.bits.lastByte()));
    }
    if (inputArea.overlaps.size() > ShownLines)
        lines.append(strings[MoreText].arg(inputArea.overlaps.size() - ShownLines));
    lines.append(strings[SaveAnywayAskText]);
    return lines.join(u'\n');
}

QString BusLoadNote(const StringTable& strings)
{
    return strings[EstimateText];
}

std::optional<QString> InsertRowRefusal(TableKind kind, const RequestTable& table, const StringTable& strings)
{
    if (!RowHoldsData(table.row(RowCount)))
        return std::nullopt;
    return strings[RowPushedOutText].arg(RowCount).arg(tableName(kind, strings));
}

} // namespace veldrin
