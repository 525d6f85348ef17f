#include "access/DataAreaMap.h"

#include "access/AccessTestRows.h"
#include "access/DataAreaMapTexts.h"
#include "lang/StringTable.h"

#include <gtest/gtest.h>

namespace veldrin {
namespace {

using test::ReadRow;
using test::WriteRow;

// Read rows by type, points, position and start bit; the other cells pass the checks.
RequestRow registers(const char* points, const char* position)
{
    return ReadRow({"1", "Holding Register", "0", points, "1000", "3", position, ""});
}

RequestRow bits(const char* points, const char* position, const char* bit)
{
    return ReadRow({"1", "Coil Status", "0", points, "1000", "3", position, bit});
}

RequestTable tableOf(std::initializer_list<RequestRow> rows)
{
    RequestTable table;
    int number = 1;
    for (const RequestRow& row : rows)
        table.row(number++) = row;
    return table;
}

struct SpanCase {
    const char* what;
    RequestRow row;
    BitRange bits;
};

TEST(DataAreaMap, EachRowOccupiesItsBits)
{
    const SpanCase cases[] = {
        {"one register at 0", registers("1", "0"), {0, 15}},
        {"registers up to the area's end", registers("5", "990"), {7920, 7999}},
        {"eight bits from bit 0", bits("8", "4", "0"), {32, 39}},
        {"one bit at bit 7", bits("1", "4", "7"), {39, 39}},
        {"bits crossing into the next byte", bits("3", "4", "7"), {39, 41}},
        {"the area's last bit", bits("1", "999", "7"), {7999, 7999}},
    };
    for (const SpanCase& c : cases) {
        EXPECT_EQ(RowBits(TableKind::Read, c.row), c.bits) << c.what;
        const AreaMap map = MapDataArea(TableKind::Read, tableOf({c.row}));
        ASSERT_EQ(map.spans.size(), 1U) << c.what;
        EXPECT_EQ(map.spans[0], (RowSpan{1, c.bits})) << c.what;
    }
    EXPECT_EQ(RowBits(TableKind::Write, WriteRow({"1", "Coil Status", "0", "2", "0", "N", "0", "10", "6"})),
              (BitRange{86, 87}));
}

TEST(DataAreaMap, OverlapsArePairsWithTheBitsTheyShare)
{
    // Rows 1 and 2 share byte 4 bit by bit; row 3 covers both and more; row 4 stands apart.
    const AreaMap map = MapDataArea(TableKind::Read, tableOf({bits("4", "4", "0"), bits("2", "4", "3"),
                                                              registers("2", "3"), registers("1", "20")}));
    EXPECT_EQ(map.overlaps, (std::vector<Overlap>{{1, 2, {35, 35}}, {1, 3, {32, 35}}, {2, 3, {35, 36}}}));
    EXPECT_FALSE(map.overlaps[0].bits.wholeBytes());
    // A register row and a bit row sharing a byte.
    const AreaMap shared =
        MapDataArea(TableKind::Read, tableOf({registers("1", "10"), bits("1", "11", "7")}));
    ASSERT_EQ(shared.overlaps.size(), 1U);
    EXPECT_EQ(shared.overlaps[0].bits.firstByte(), 11);
    EXPECT_EQ(MapDataArea(TableKind::Read, tableOf({registers("1", "0"), registers("1", "2")})).overlaps,
              std::vector<Overlap>{})
        << "neighbours do not overlap";
}

TEST(DataAreaMap, FreeBytesAndRowsLeftOut)
{
    // Row 2 fails the checks (Start Bit 8): left out, and its bytes stay free.
    const AreaMap map = MapDataArea(
        TableKind::Read, tableOf({registers("2", "10"), bits("1", "20", "8"), bits("9", "998", "0")}));
    EXPECT_EQ(map.leftOut, std::vector<int>{2});
    EXPECT_EQ(map.spans.size(), 2U);
    EXPECT_EQ(map.free, (std::vector<ByteRange>{{0, 9}, {14, 997}}));
    // An empty table: the whole area is free; rows after the first empty Slave ID do not count.
    RequestTable table;
    table.row(2) = registers("1", "0");
    const AreaMap empty = MapDataArea(TableKind::Write, table);
    EXPECT_TRUE(empty.spans.empty());
    EXPECT_EQ(empty.free, (std::vector<ByteRange>{{0, NByte(TableKind::Write) - 1}}));
}

// What the map says in words: a byte with the rows on it, a free byte, the summary and the
// rows left out.
TEST(DataAreaMap, SaysWhatLiesInEachByte)
{
    StringTable strings;
    strings.LoadDefaultStrings();
    const RequestTable table =
        tableOf({registers("2", "10"), bits("1", "20", "8"), bits("9", "12", "6"), registers("1", "13")});
    const AreaMap map = MapDataArea(TableKind::Read, table);
    EXPECT_EQ(ByteDescription(map, table, 13, strings),
              QStringLiteral("Byte 13\n"
                             "Row 1: slave 1, Holding Register, address 0, quantity 2, bytes 10-13\n"
                             "Row 3: slave 1, Coil Status, address 0, quantity 9, bytes 12-13\n"
                             "Row 4: slave 1, Holding Register, address 0, quantity 1, bytes 13-14"));
    EXPECT_EQ(ByteDescription(map, table, 20, strings), QStringLiteral("Byte 20\nfree"))
        << "a row left out does not fill its bytes";
    EXPECT_EQ(AreaSummary(map, strings),
              QStringLiteral("Requests: 3 · free bytes: 995 of 1000 · overlaps: 3"));
    EXPECT_EQ(LeftOutLine(map, strings), QStringLiteral("Left out, as they fail the checks: rows 2"));
    EXPECT_EQ(LeftOutLine(MapDataArea(TableKind::Read, tableOf({registers("1", "0")})), strings),
              std::nullopt);
}

TEST(DataAreaMap, BitRangeTextNamesBytesAndBits)
{
    const std::pair<BitRange, const char*> cases[] = {
        {{0, 15}, "bytes 0-1"},
        {{8 * 10, 8 * 10 + 7}, "byte 10"},
        {{8 * 10 + 3, 8 * 10 + 3}, "byte 10 bit 3"},
        {{8 * 10 + 3, 8 * 10 + 6}, "byte 10 bits 3-6"},
        {{8 * 10 + 3, 8 * 11 + 4}, "bytes 10-11 (from bit 3 of byte 10 to bit 4 of byte 11)"},
    };
    for (const auto& [bits, text] : cases)
        EXPECT_EQ(BitRangeText(bits), QString::fromUtf8(text)) << text;
}

} // namespace
} // namespace veldrin
