#include "update/DeviceAddress.h"

#include <gtest/gtest.h>

namespace veldrin {
namespace {

struct ValidIpCase {
    const char* text;
    bool valid;
    const char* parts[4]; // as split, when valid
};

class ValidIp : public ::testing::TestWithParam<ValidIpCase> {};

TEST_P(ValidIp, SplitsIntoFourNumbersFrom0To255)
{
    QString parts[4];
    EXPECT_EQ(Valid_IP(QString::fromUtf8(GetParam().text), parts[0], parts[1], parts[2], parts[3]),
              GetParam().valid);
    if (GetParam().valid) {
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(parts[i], QString::fromUtf8(GetParam().parts[i])) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ValidIp,
    ::testing::Values(ValidIpCase{"192.168.2.205", true, {"192", "168", "2", "205"}},
                      ValidIpCase{"  192 . 168 .\t2 . 205  ", true, {"192", "168", "2", "205"}},
                      ValidIpCase{"0.0.0.0", true, {"0", "0", "0", "0"}},
                      ValidIpCase{"255.255.255.255", true, {"255", "255", "255", "255"}},
                      ValidIpCase{"0x7F.$0.+0.1", true, {"0x7F", "$0", "+0", "1"}},
                      ValidIpCase{"1.2.3", false, {}}, ValidIpCase{"1.2.3.4.5", false, {}},
                      ValidIpCase{"1.2.3.256", false, {}}, ValidIpCase{"1.2.-1.4", false, {}},
                      ValidIpCase{"a.b.c.d", false, {}}, ValidIpCase{"1..3.4", false, {}},
                      ValidIpCase{"1.2.3.", false, {}}, ValidIpCase{"", false, {}},
                      ValidIpCase{"   ", false, {}}, ValidIpCase{"1.2.3.4 x", false, {}},
                      ValidIpCase{"localhost", false, {}}));

} // namespace
} // namespace veldrin
