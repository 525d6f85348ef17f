#include "access/DataAreaMap.h"

#include "access/AccessChecks.h"
#include "common/IntOrDefault.h"

#include <algorithm>

namespace veldrin {

BitRange RowBits(TableKind kind, const RequestRow& row)
{
    const std::int64_t position = IntOrDefault(row[Cell::Position], 0);
    const std::int64_t points = IntOrDefault(row[Cell::NPoint], 0);
    if (IsBitType(kind, row[Cell::Type])) {
        const std::int64_t first = position * 8 + IntOrDefault(row[Cell::Bit], 0);
        return {first, first + points - 1};
    }
    return {position * 8, (position + 2 * points) * 8 - 1};
}

AreaMap MapDataArea(TableKind kind, const RequestTable& table)
{
    AreaMap map;
    map.kind = kind;
    map.size = NByte(kind);
    const int used = UsedRowCount(table);
    for (int number = 1; number <= used; ++number) {
        const RequestRow& row = table.row(number);
        if (RowPassesChecks(kind, row))
            map.spans.push_back({number, RowBits(kind, row)});
        else
            map.leftOut.push_back(number);
    }

    // Overlaps: each span against those that start before it ends, in order of their start.
    std::vector<const RowSpan*> byStart;
    for (const RowSpan& span : map.spans)
        byStart.push_back(&span);
    std::sort(byStart.begin(), byStart.end(), [](const RowSpan* a, const RowSpan* b) {
        return std::pair(a->bits.first, a->row) < std::pair(b->bits.first, b->row);
    });
    for (std::size_t i = 0; i < byStart.size(); ++i) {
        for (std::size_t j = i + 1; j < byStart.size() && byStart[j]->bits.first <= byStart[i]->bits.last;
             ++j) {
            const RowSpan& a = *byStart[i];
            const RowSpan& b = *byStart[j];
            map.overlaps.push_back({std::min(a.row, b.row),
                                    std::max(a.row, b.row),
                                    {b.bits.first, std::min(a.bits.last, b.bits.last)}});
        }
    }
    std::sort(map.overlaps.begin(), map.overlaps.end(), [](const Overlap& a, const Overlap& b) {
        return std::pair(a.first, a.second) < std::pair(b.first, b.second);
    });

    // Free bytes: those no span touches.
    std::vector<bool> touched(static_cast<std::size_t>(map.size), false);
    for (const RowSpan& span : map.spans) {
        for (std::int64_t byte = span.bits.firstByte(); byte <= span.bits.lastByte() && byte < map.size;
             ++byte)
            touched[static_cast<std::size_t>(byte)] = true;
    }
    for (int byte = 0; byte < map.size;) {
        if (touched[static_cast<std::size_t>(byte)]) {
            ++byte;
            continue;
        }
        const int first = byte;
        while (byte < map.size && !touched[static_cast<std::size_t>(byte)])
            ++byte;
        map.free.push_back({first, byte - 1});
    }
    return map;
}

QString BitRangeText(const BitRange& bits)
{
    QString bytes = bits.firstByte() == bits.lastByte()
                        ? QStringLiteral("byte %1").arg(bits.firstByte())
                        : QStringLiteral("bytes %1-%2").arg(bits.firstByte()).arg(bits.lastByte());
    if (bits.wholeBytes())
        return bytes;
    if (bits.firstByte() == bits.lastByte())
        return bits.first == bits.last
                   ? QStringLiteral("%1 bit %2").arg(bytes).arg(bits.first % 8)
                   : QStringLiteral("%1 bits %2-%3").arg(bytes).arg(bits.first % 8).arg(bits.last % 8);
    return QStringLiteral("%1 (from bit %2 of byte %3 to bit %4 of byte %5)")
        .arg(bytes)
        .arg(bits.first % 8)
        .arg(bits.firstByte())
        .arg(bits.last % 8)
        .arg(bits.lastByte());
}

} // namespace veldrin
