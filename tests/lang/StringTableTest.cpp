#include "lang/StringTable.h"

#include <gtest/gtest.h>

namespace veldrin {
namespace {

TEST(StringTable, BuiltInTextsStandAsTheyAre)
{
    StringTable table;
    EXPECT_EQ(table.StringCount(), 0);
    table.LoadDefaultStrings();
    ASSERT_EQ(table.StringCount(), 179);
    EXPECT_EQ(table[0], QStringLiteral("Begin"));
    EXPECT_EQ(table[9], QStringLiteral("None Configuration Opened "));
    EXPECT_EQ(table[11], QStringLiteral("Opened Configuration of the Converter : "));
    EXPECT_EQ(table[22], QStringLiteral(" "));
    EXPECT_EQ(table[23], QStringLiteral(" "));
    EXPECT_EQ(table[24], QStringLiteral(" "));
    EXPECT_EQ(table[44], QStringLiteral(" / "));
    EXPECT_EQ(table[57], QStringLiteral("Update Firmware from Etherner (UDP)"));
    EXPECT_EQ(table[94], QStringLiteral(" Select Device "));
    EXPECT_EQ(table[157], QStringLiteral("Error row "));
    EXPECT_EQ(table[178],
              QStringLiteral("Error Modbus Master!! Two Stop Bits can used only with Parity None"));
}

TEST(StringTable, LoadingAgainDropsEveryReplacement)
{
    StringTable table;
    table.LoadDefaultStrings();
    table.set(12, QStringLiteral("Hilfe"));
    table.set(179, QStringLiteral("ignored"));
    table.set(-1, QStringLiteral("ignored"));
    EXPECT_EQ(table[12], QStringLiteral("Hilfe"));
    EXPECT_EQ(table.StringCount(), 179);
    table.LoadDefaultStrings();
    EXPECT_EQ(table[12], QStringLiteral("Information"));
}

} // namespace
} // namespace veldrin
