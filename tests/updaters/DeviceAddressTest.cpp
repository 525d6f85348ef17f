#include "updaters/DeviceAddress.h"

#include <gtest/gtest.h>

namespace veldrin::updaters {
namespace {

TEST(DeviceAddress, APortFieldGivesItsNameOnlyWhenItStaysInsideDevices)
{
    const std::pair<const char*, std::optional<QString>> cases[] = {
        {"\\\\.\\ttyUSB0", QStringLiteral("ttyUSB0")},
        {"\\\\.\\COM3", QStringLiteral("COM3")},
        {"\\\\.\\rfcomm-0_a.b", QStringLiteral("rfcomm-0_a.b")},
        {"ttyUSB0", std::nullopt},
        {"\\\\ttyUSB0", std::nullopt},
        {"\\\\.\\", std::nullopt},
        {"\\\\.\\.", std::nullopt},
        {"\\\\.\\..", std::nullopt},
        {"\\\\.\\..\\..\\x", std::nullopt},
        {"\\\\.\\../../x", std::nullopt},
        {"\\\\.\\/dev/ttyUSB0", std::nullopt},
        {"\\\\.\\pts/3", std::nullopt},
        {"\\\\.\\C:", std::nullopt},
        {"\\\\.\\.hidden", std::nullopt},
        {"\\\\.\\COM3.", std::nullopt},
        {"\\\\.\\COM 3", std::nullopt},
        {"\\\\.\\tty\xc3\x9c", std::nullopt},
    };
    for (const auto& [field, name] : cases)
        EXPECT_EQ(PortNameOfField(QString::fromUtf8(field)), name) << field;
    EXPECT_TRUE(PortNameOfField(QStringLiteral("\\\\.\\") + QString(64, u'a')));
    EXPECT_FALSE(PortNameOfField(QStringLiteral("\\\\.\\") + QString(65, u'a')));
}

TEST(DeviceAddress, WindowsDeviceNamesGetAMarkInTheirFolderName)
{
    const std::pair<const char*, const char*> cases[] = {
        {"COM3", "COM3_"},  {"com1", "com1_"}, {"NUL", "NUL_"},        {"LPT9.x", "LPT9_.x"},
        {"COM10", "COM10"}, {"COMA", "COMA"},  {"ttyUSB0", "ttyUSB0"}, {"CONSOLE", "CONSOLE"},
    };
    for (const auto& [port, folder] : cases) {
        EXPECT_EQ(DeviceFolderOfPort(QLatin1String(port), true), QLatin1String(folder)) << port;
        EXPECT_EQ(DeviceFolderOfPort(QLatin1String(port), false), QLatin1String(port)) << port;
    }
}

TEST(DeviceAddress, AnAddressIsFourNumbersNamingOneDevice)
{
    const std::pair<const char*, std::optional<QString>> cases[] = {
        {"192.168.2.205", QStringLiteral("192.168.2.205")},
        {"127.0.0.1", QStringLiteral("127.0.0.1")},
        {" 192 . 168 . 2 . 205 ", QStringLiteral("192.168.2.205")},
        {"010.1.1.1", QStringLiteral("10.1.1.1")},
        {"0xC0.168.0.1", QStringLiteral("192.168.0.1")},
        {"255.255.255.254", QStringLiteral("255.255.255.254")},
        {"", std::nullopt},
        {"1.2.3", std::nullopt},
        {"1.2.3.4.5", std::nullopt},
        {"1.2.3.256", std::nullopt},
        {"1.2.3.-1", std::nullopt},
        {"1..2.3", std::nullopt},
        {"a.b.c.d", std::nullopt},
        {"../../x.y", std::nullopt},
        {"0.0.0.0", std::nullopt},
        {"0.1.2.3", std::nullopt},
        {"224.0.0.1", std::nullopt},
        {"239.255.255.255", std::nullopt},
        {"255.255.255.255", std::nullopt},
    };
    for (const auto& [text, address] : cases)
        EXPECT_EQ(DeviceAddressOf(QLatin1String(text)), address) << text;
}

} // namespace
} // namespace veldrin::updaters
