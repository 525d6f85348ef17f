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
    for (const char* text : {" \t a b \x1f", "   ", "", "x", "\u00a0x ", "\u2003x\u00a0"}) {
        EXPECT_EQ(TrimmedView(QString::fromUtf8(text)), Trim(QString::fromUtf8(text))) << text;
        // The same text as UTF-8 bytes, as a file holds it.
        EXPECT_EQ(QString::fromUtf8(TrimmedView(QByteArrayView(text))), Trim(QString::fromUtf8(text)))
            << text;
    }
}

TEST(AsciiUpper, ChangesOnlyAToZ)
{
    EXPECT_EQ(AsciiUpper(QStringLiteral("Coil status 1")), QStringLiteral("COIL STATUS 1"));
    EXPECT_EQ(AsciiUpper(QStringLiteral("\u00e9\u00df\u0131")), QStringLiteral("\u00e9\u00df\u0131"));
    EXPECT_EQ(AsciiUpper(QStringLiteral("12 AB")), QStringLiteral("12 AB"));
}

TEST(EqualAsciiUpper, AgreesWithComparingAsciiUpperOfBoth)
{
    const std::pair<const char*, const char*> pairs[] = {{"coil status", "Coil Status"},
                                                         {"Coil", "Coil "},
                                                         {"\u00e9", "\u00c9"},
                                                         {"\u017f", "S"},
                                                         {"k", "\u212a"},
                                                         {"", ""},
                                                         {"a1", "A2"},
                                                         {"Z", "z"}};
    for (const auto& [a, b] : pairs) {
        const QString first = QString::fromUtf8(a);
        const QString second = QString::fromUtf8(b);
        EXPECT_EQ(EqualAsciiUpper(first, second), AsciiUpper(first) == AsciiUpper(second)) << a << " " << b;
        EXPECT_EQ(EqualAsciiUpper(QByteArrayView(a), QByteArrayView(b)),
                  AsciiUpper(first) == AsciiUpper(second))
            << a << " " << b;
    }
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
