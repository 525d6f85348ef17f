// What the data-area map says in words: each area's title and summary, the rows it leaves
// out, what lies in a byte, and how to read the picture.
#pragma once

#include "access/DataAreaMap.h"

#include <QString>

#include <optional>

namespace veldrin {

class StringTable;

// "Input area: read requests", or the output area's.
QString AreaTitle(TableKind kind, const StringTable& strings);
// The requests mapped, the free bytes of the area and the overlaps.
QString AreaSummary(const AreaMap& map, const StringTable& strings);
// The rows left out of the map as they fail the checks; nothing when there are none.
std::optional<QString> LeftOutLine(const AreaMap& map, const StringTable& strings);
// The byte and each row that touches it (slave, type, address, points and bytes), one per
// line, or that it is free.
QString ByteDescription(const AreaMap& map, const RequestTable& table, int byte, const StringTable& strings);
// How to read the picture: spans, labels, hatching, free bytes.
QString MapLegend(const StringTable& strings);

} // namespace veldrin
