#include "common/Ipv4Address.h"

#include <gtest/gtest.h>

namespace veldrin {
namespace {

struct DeviceAddressCase {
    const char* text;
    const char* address; // "" when refused
};

class DeviceAddressOf : public ::testing::TestWithParam<DeviceAddressCase> {};

TEST_P(DeviceAddressOf, IsAPlainDottedAddressADeviceCanHave)
{
    const std::optional<std::uint32_t> address = DeviceAddress(QString::fromUtf8(GetParam().text));
    EXPECT_EQ(address ? DottedQuad(*address) : QString(), QString::fromUtf8(GetParam().address));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DeviceAddressOf,
    ::testing::Values(
        DeviceAddressCase{"192.168.2.205", "192.168.2.205"}, DeviceAddressCase{"127.0.0.1", "127.0.0.1"},
        // Typed forms come out as four decimal numbers; no leading zero is octal.
        DeviceAddressCase{" 010 . 1.0x0A.$ff", "10.1.10.255"}, DeviceAddressCase{"1.0.0.0", "1.0.0.0"},
        DeviceAddressCase{"223.255.255.255", "223.255.255.255"}, DeviceAddressCase{"240.0.0.1", "240.0.0.1"},
        // This computer answers for 0.x.x.x; multicast and broadcast reach many.
        DeviceAddressCase{"0.0.0.0", ""}, DeviceAddressCase{"0.1.2.3", ""},
        DeviceAddressCase{"224.0.0.1", ""}, DeviceAddressCase{"239.255.255.250", ""},
        DeviceAddressCase{"255.255.255.255", ""}, DeviceAddressCase{"1.2.3", ""},
        DeviceAddressCase{"a.b.c.d", ""}, DeviceAddressCase{"my-device.local", ""}));

TEST(DottedQuad, ParsesOnlyFourPlainDecimalParts)
{
    EXPECT_EQ(ParseDottedQuad(QStringLiteral("127.0.0.1")), 0x7F000001u);
    EXPECT_EQ(ParseDottedQuad(QStringLiteral("255.255.255.255")), 0xFFFFFFFFu);
    for (const char* text : {"", "1.2.3", "1.2.3.4.5", "1.2.3.256", "1.2.3.0004", " 1.2.3.4", "1.2.3.4 ",
                             "1.2.3.+4", "0x1.2.3.4", "1..3.4", "a.b.c.d", "\xd9\xa1.2.3.4"})
        EXPECT_FALSE(ParseDottedQuad(QString::fromUtf8(text))) << text;
}

} // namespace
} // namespace veldrin
