#include "access/BusLoad.h"

#include "access/AccessTestRows.h"

#include <gtest/gtest.h>

namespace veldrin {
namespace {

using test::ReadRow;
using test::WriteRow;

// The worked cases, to 0.01 ms: ten holding registers read (FC03), request 8 bytes, answer 25.
TEST(BusLoad, TransactionTimesOnTheLinesEngineersUse)
{
    struct Case {
        const char* line;
        SerialLine serial;
        double ms;
    };
    const Case cases[] = {
        {"9600 8N1", SerialLineOf(3, 0, 0, 0), 41.67},
        {"9600 8E1", SerialLineOf(3, 2, 0, 0), 45.83},
        {"115200 8N1", SerialLineOf(7, 0, 0, 0), 6.37},
        {"9600 7E1", SerialLineOf(3, 2, 0, 1), 70.83},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SerialLineName(c.serial), QString::fromLatin1(c.line));
        EXPECT_NEAR(TransactionMs(c.serial, 3, 10, 0), c.ms, 0.01) << c.line;
    }
    // The slave's turnaround adds to each transaction.
    EXPECT_NEAR(TransactionMs(SerialLineOf(3, 0, 0, 0), 3, 10, 5), 46.67, 0.005);
    // Two stop bits, and an index outside its list taking the device's default.
    EXPECT_EQ(SerialLineName(SerialLineOf(4, 1, 1, 0)), QStringLiteral("19200 8O2"));
    EXPECT_EQ(SerialLineName(SerialLineOf(99, 7, 7, 7)), QStringLiteral("9600 8N1"));
}

TEST(BusLoad, FrameSizesByFunction)
{
    const std::tuple<int, int, int, int> cases[] = {
        {1, 9, 8, 7}, {2, 16, 8, 7}, {3, 125, 8, 255}, {4, 1, 8, 7},
        {5, 1, 8, 8}, {6, 1, 8, 8},  {15, 9, 11, 8},   {16, 123, 255, 8},
    };
    for (const auto& [code, points, request, response] : cases) {
        const FrameBytes bytes = RtuFrameBytes(code, points);
        EXPECT_EQ(bytes.request, request) << "FC" << code;
        EXPECT_EQ(bytes.response, response) << "FC" << code;
    }
}

TEST(BusLoad, ATableOfRequestsAndItsShareOfTheLine)
{
    // 200 reads of ten holding registers every second at 9600 8N1: far more than the line holds.
    RequestTable reads;
    for (int n = 1; n <= 200; ++n)
        reads.row(n) = ReadRow({"1", "Holding Register", "0", "10", "1000", "3", "0", ""});
    const TableLoad load = TableBusLoad(TableKind::Read, reads, SerialLineOf(3, 0, 0, 0), 0);
    ASSERT_EQ(load.rows.size(), 200U);
    EXPECT_NEAR(load.percent, 833.33, 0.01);
    EXPECT_NEAR(load.cycleMs, 8333.33, 0.01);
    EXPECT_FALSE(load.rows[0].overPollTime);

    // A write sent on change only counts in the cycle, not in the share; a row polled faster
    // than its own transaction is flagged; a row that fails the checks is left out.
    RequestTable writes;
    writes.row(1) = WriteRow({"1", "Holding Register", "0", "1", "0", "Y", "0", "0", ""});
    writes.row(2) = WriteRow({"1", "Coil Status", "0", "16", "10", "N", "0", "2", "0"});
    writes.row(3) = WriteRow({"1", "Coil Status", "0", "16", "10", "N", "0", "2", "9"});
    const TableLoad written = TableBusLoad(TableKind::Write, writes, SerialLineOf(3, 0, 0, 0), 0);
    ASSERT_EQ(written.rows.size(), 2U);
    EXPECT_EQ(written.rows[0].functionCode, 6);
    EXPECT_EQ(written.rows[1].functionCode, 15);
    EXPECT_TRUE(written.rows[1].overPollTime);
    EXPECT_NEAR(written.cycleMs, written.rows[0].ms + written.rows[1].ms, 1e-9);
    EXPECT_NEAR(written.percent, 100.0 * written.rows[1].ms / 10, 1e-9);
}

} // namespace
} // namespace veldrin
