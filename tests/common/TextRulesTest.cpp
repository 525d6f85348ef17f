#include "common/TextRules.h"

#include <gtest/gtest.h>

namespace veldrin {
namespace {

TEST(Trim, RemovesEveryControlAndBlankAtBothEndsOnly)
{
    EXPECT_EQ(Trim(QStringLiteral(" \t\r\n\x01 a b \x1f\x20")), QStringLiteral("a b"));
    EXPECT_EQ(Trim(QStringLiteral("   ")), QString());
    EXPECT_EQ(Trim(QString()), QString());
    // A no-break space is above U+0020 and stays.
    EXPECT_EQ(Trim(QStringLiteral("\u00a0x\u00a0")), QStringLiteral("\u00a0x\u00a0"));
}

TEST(AsciiUpper, ChangesOnlyAToZ)
{
    EXPECT_EQ(AsciiUpper(QStringLiteral("Coil status 1")), QStringLiteral("COIL STATUS 1"));
    EXPECT_EQ(AsciiUpper(QStringLiteral("\u00e9\u00df\u0131")), QStringLiteral("\u00e9\u00df\u0131"));
}

TEST(IsPlainName, RefusesNamesThatLeaveTheirFolder)
{
    EXPECT_TRUE(IsPlainName(QStringLiteral("Plant A")));
    EXPECT_TRUE(IsPlainName(QStringLiteral("..x")));
    EXPECT_TRUE(IsPlainName(QStringLiteral(" . ")));
    for (const char* name : {"", ".", "..", "a/b", "a\\b", "/etc", "..\\x"})
        EXPECT_FALSE(IsPlainName(QString::fromLatin1(name))) << name;
}

} // namespace
} // namespace veldrin
