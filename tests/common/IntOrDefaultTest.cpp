#include "common/IntOrDefault.h"

#include <gtest/gtest.h>

namespace veldrin {
namespace {

struct IntCase {
    const char* text;
    std::optional<std::int32_t> value;
};

class IntOrDefaultSyntax : public ::testing::TestWithParam<IntCase> {};

TEST_P(IntOrDefaultSyntax, ReadsWholeTextsOnly)
{
    const IntCase& c = GetParam();
    const QString text = QString::fromUtf8(c.text);
    EXPECT_EQ(ParseInt32(text), c.value) << c.text;
    // The file's own UTF-8 bytes read as their text does.
    EXPECT_EQ(ParseInt32(QByteArrayView(c.text)), c.value) << c.text;
    EXPECT_EQ(IntOrDefault(text, -77), c.value.value_or(-77)) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IntOrDefaultSyntax,
    ::testing::Values(
        // decimal, signs, leading spaces
        IntCase{"0", 0}, IntCase{"42", 42}, IntCase{"+42", 42}, IntCase{"-42", -42}, IntCase{"   7", 7},
        IntCase{"  -7", -7}, IntCase{"007", 7}, IntCase{"-0", 0},
        // the signed 32-bit range
        IntCase{"2147483647", 2147483647}, IntCase{"2147483648", std::nullopt},
        IntCase{"-2147483648", INT32_MIN}, IntCase{"-2147483649", std::nullopt},
        IntCase{"99999999999999999999", std::nullopt},
        // hexadecimal after each prefix, either case, taken as two's complement
        IntCase{"$1F", 31}, IntCase{"x1f", 31}, IntCase{"X1F", 31}, IntCase{"0x1F", 31}, IntCase{"0XaB", 171},
        IntCase{"$FFFFFFFF", -1}, IntCase{"$80000000", INT32_MIN}, IntCase{"$7FFFFFFF", 2147483647},
        IntCase{"$100000000", std::nullopt}, IntCase{"$0000000001", 1}, IntCase{"-$10", -16},
        IntCase{" $10", 16},
        // nothing else is an integer
        IntCase{"", std::nullopt}, IntCase{" ", std::nullopt}, IntCase{"7 ", std::nullopt},
        IntCase{"\t7", std::nullopt}, IntCase{"1.5", std::nullopt}, IntCase{"1e3", std::nullopt},
        IntCase{"abc", std::nullopt}, IntCase{"+", std::nullopt}, IntCase{"-", std::nullopt},
        IntCase{"$", std::nullopt}, IntCase{"0x", std::nullopt}, IntCase{"$G", std::nullopt},
        IntCase{"+-1", std::nullopt}, IntCase{"- 1", std::nullopt}, IntCase{"0b101", std::nullopt},
        IntCase{"12abc", std::nullopt}, IntCase{"\xd9\xa3", std::nullopt} /* Arabic-Indic three */,
        IntCase{"\xef\xbc\x91", std::nullopt} /* fullwidth one */));

TEST(ParseInt64, WidensTheSameSyntax)
{
    EXPECT_EQ(ParseInt64(QStringLiteral("4294967296")), 4294967296LL);
    EXPECT_EQ(ParseInt64(QStringLiteral("9223372036854775807")), INT64_MAX);
    EXPECT_EQ(ParseInt64(QStringLiteral("9223372036854775808")), std::nullopt);
    EXPECT_EQ(ParseInt64(QStringLiteral("-9223372036854775808")), INT64_MIN);
    EXPECT_EQ(ParseInt64(QStringLiteral("$FFFFFFFF")), 4294967295LL);
    EXPECT_EQ(ParseInt64(QStringLiteral("$FFFFFFFFFFFFFFFF")), -1);
    EXPECT_EQ(ParseInt64(QStringLiteral("$10000000000000000")), std::nullopt);
    EXPECT_EQ(ParseInt64(QStringLiteral(" -12")), -12);
    EXPECT_EQ(ParseInt64(QStringLiteral("12 ")), std::nullopt);
}

} // namespace
} // namespace veldrin
