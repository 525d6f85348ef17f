// Where the requests of a table land in their data area: the input area for the read rows, the
// output area for the write rows. Each row that passes the checks occupies a range of bits;
// two rows whose ranges meet overlap, and the bytes no row touches are free.
#pragma once

#include "access/RequestTables.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace veldrin {

// A range of bits of the area, first and last included; bit 8·p + b is bit b of byte p.
struct BitRange {
    std::int64_t first = 0;
    std::int64_t last = -1;

    std::int64_t firstByte() const { return first / 8; }
    std::int64_t lastByte() const { return last / 8; }
    // Whether the range starts and ends on byte boundaries.
    bool wholeBytes() const { return first % 8 == 0 && last % 8 == 7; }
    bool operator==(const BitRange&) const = default;
};

// The range as a person reads it: "byte 4", "bytes 4-5", "byte 4 bits 3-6", "bytes 10-11
// (from bit 3 of byte 10 to bit 4 of byte 11)".
QString BitRangeText(const BitRange& bits);

// A used row and the bits it occupies.
struct RowSpan {
    int row = 0; // 1-based, as the grid numbers it
    BitRange bits;
    bool operator==(const RowSpan&) const = default;
};

// Two rows whose bits meet, and the bits they share.
struct Overlap {
    int first = 0; // the lower row number
    int second = 0;
    BitRange bits;
    bool operator==(const Overlap&) const = default;
};

// A range of bytes no row touches, first and last included.
struct ByteRange {
    int first = 0;
    int last = -1;
    bool operator==(const ByteRange&) const = default;
};

struct AreaMap {
    TableKind kind = TableKind::Read;
    // The area's size in bytes.
    int size = 0;
    // The used rows that pass the checks, in row order.
    std::vector<RowSpan> spans;
    // The used rows that fail the checks: left out of the map.
    std::vector<int> leftOut;
    // Every pair of rows that share bits, ordered by the first row, then the second.
    std::vector<Overlap> overlaps;
    std::vector<ByteRange> free;
};

// A register row takes the bytes Position to Position + 2·NPoint − 1; a bit row the bits from
// 8·Position + Start Bit, NPoint of them.
BitRange RowBits(TableKind kind, const RequestRow& row);

// The map of the table's used rows.
AreaMap MapDataArea(TableKind kind, const RequestTable& table);

} // namespace veldrin
