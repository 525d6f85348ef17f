#include "access/DataAreaMapTexts.h"

#include "access/RowMessages.h"
#include "lang/StringTable.h"

#include <QStringList>

namespace veldrin {
namespace {

constexpr int InputTitleText = 232; // "Input area: read requests", then the output area's
constexpr int SummaryText = 234;    // "Requests: %1 · free bytes: %2 of %3 · overlaps: %4"
constexpr int LeftOutText = 235;    // "Left out, as they fail the checks: rows %1"
constexpr int ByteText = 236;       // "Byte %1"
constexpr int FreeText = 237;       // "free"
constexpr int RowText = 238;        // "Row %1: slave %2, %3, address %4, quantity %5, bytes %6-%7"
constexpr int LegendText = 239;     // "Each coloured span is a request, ..."

} // namespace

QString AreaTitle(TableKind kind, const StringTable& strings)
{
    return strings[InputTitleText + (kind == TableKind::Read ? 0 : 1)];
}

QString AreaSummary(const AreaMap& map, const StringTable& strings)
{
    int freeBytes = 0;
    for (const ByteRange& range : map.free)
        freeBytes += range.last - range.first + 1;
    return strings[SummaryText].arg(map.spans.size()).arg(freeBytes).arg(map.size).arg(map.overlaps.size());
}

std::optional<QString> LeftOutLine(const AreaMap& map, const StringTable& strings)
{
    if (map.leftOut.empty())
        return std::nullopt;
    return strings[LeftOutText].arg(RowList(map.leftOut));
}

QString ByteDescription(const AreaMap& map, const RequestTable& table, int byte, const StringTable& strings)
{
    QStringList lines{strings[ByteText].arg(byte)};
    for (const RowSpan& span : map.spans) {
        if (span.bits.firstByte() > byte || span.bits.lastByte() < byte)
            continue;
        const RequestRow& row = table.row(span.row);
        lines.append(strings[RowText]
                         .arg(span.row)
                         .arg(row[Cell::Slave_ID].trimmed(), row[Cell::Type].trimmed(),
                              row[Cell::Address].trimmed(), row[Cell::NPoint].trimmed())
                         .arg(span.bits.firstByte())
                         .arg(span.bits.lastByte()));
    }
    if (lines.size() == 1)
        lines.append(strings[FreeText]);
    return lines.join(u'\n');
}

QString MapLegend(const StringTable& strings)
{
    return strings[LegendText];
}

} // namespace veldrin
