#include "options/VersionCheck.h"

#include <gtest/gtest.h>

namespace veldrin {
namespace {

struct VersionCase {
    const char* answer;
    int number; // Conv_Version of the answer
    bool newer; // whether it names a version newer than 2.003
};

class VersionAnswers : public ::testing::TestWithParam<VersionCase> {};

TEST_P(VersionAnswers, AreConvertedAndComparedWithThisBuild)
{
    const QString answer = QString::fromUtf8(GetParam().answer);
    EXPECT_EQ(Conv_Version(answer.trimmed()), GetParam().number) << GetParam().answer;
    EXPECT_EQ(IsNewerVersion(answer), GetParam().newer) << GetParam().answer;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VersionAnswers,
    ::testing::Values(VersionCase{"VER. 2.004", 2004, true}, VersionCase{"VER. 2.003", 2003, false},
                      VersionCase{"VER. 1.999", 1999, false}, VersionCase{"  ver. 0.000 \r\n", 0, false},
                      VersionCase{"VER. 0.000", 0, false}, VersionCase{"2.010", 2010, true},
                      VersionCase{"VER. 2.1", -1, false}, VersionCase{"VER. 10.01", -1, false},
                      VersionCase{"VER. 3.000 beta", 3000, true}, VersionCase{"\tVER. 2.004\n", 2004, true},
                      VersionCase{"<html><body>Not found</body></html>", -1, false},
                      VersionCase{"", -1, false}, VersionCase{"VER. x.yzw", -1, false}));

TEST(ConvVersion, TakesTheFirstThirdFourthAndFifthCharacters)
{
    EXPECT_EQ(Conv_Version(QStringLiteral("2.003")), 2003);
    EXPECT_EQ(Conv_Version(QStringLiteral("2.0031")), 2003);
    EXPECT_EQ(Conv_Version(QStringLiteral("2-003")), 2003);
    EXPECT_EQ(Conv_Version(QStringLiteral("2.00")), -1);
    EXPECT_EQ(Conv_Version(QStringLiteral("a b 2.004")), -1);
}

} // namespace
} // namespace veldrin
