#include "lang/StringTable.h"

#include <gtest/gtest.h>

namespace veldrin {
namespace {

TEST(StringTable, BuiltInTextsStandAsTheyAre)
{
    StringTable table;
    EXPECT_EQ(table.StringCount(), 0);
    table.LoadDefaultStrings();
    ASSERT_GE(table.StringCount(), FirstAddedText + 20);
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
    EXPECT_EQ(table[200],
              QStringLiteral("The configuration \"%1\" is gone: its folder %2 no longer exists."));
    EXPECT_EQ(table[202], QStringLiteral("Waiting for %1 to finish: %2 s"));
}

TEST(StringTable, TheIndexesBetweenTheOriginalAndTheAddedTextsHoldNone)
{
    StringTable table;
    table.LoadDefaultStrings();
    for (int index : {-1, 179, 190, 199, table.StringCount()}) {
        EXPECT_FALSE(table.HasText(index)) << index;
        table.set(index, QStringLiteral("set"));
    }
    for (int index = 179; index < FirstAddedText; ++index)
        EXPECT_EQ(table[index], QString()) << index;
    for (int index : {0, 178, FirstAddedText, table.StringCount() - 1}) {
        EXPECT_TRUE(table.HasText(index)) << index;
        EXPECT_FALSE(table[index].isEmpty()) << index;
    }
}

TEST(StringTable, LoadingAgainDropsEveryReplacement)
{
    StringTable table;
    table.LoadDefaultStrings();
    table.set(12, QStringLiteral("Hilfe"));
    table.set(210, QStringLiteral("Pr\u00fcfe..."));
    table.set(179, QStringLiteral("ignored"));
    table.set(-1, QStringLiteral("ignored"));
    EXPECT_EQ(table[12], QStringLiteral("Hilfe"));
    const int count = table.StringCount();
    table.set(count, QStringLiteral("ignored"));
    EXPECT_EQ(table.StringCount(), count);
    table.LoadDefaultStrings();
    EXPECT_EQ(table[12], QStringLiteral("Information"));
    EXPECT_EQ(table[210], QStringLiteral("Checking..."));
}

} // namespace
} // namespace veldrin
