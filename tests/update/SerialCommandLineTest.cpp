#include "update/SerialCommandLine.h"

#include "common/ParameterSplit.h"
#include "update/SerialPorts.h"

#include <gtest/gtest.h>

namespace veldrin {
namespace {

struct OptionsCase {
    UpdateOptions options;
    const char* fields;
};

class SerialCommandLine : public ::testing::TestWithParam<OptionsCase> {};

TEST_P(SerialCommandLine, CarriesEachOptionByItself)
{
    const QString line = BuildSerialCommandLine(QStringLiteral("ttyUSB0"), GetParam().options,
                                                QStringLiteral("/opt/Veldrin App/MASTER"),
                                                QStringLiteral("/opt/Veldrin App/PROJECTS/Line 1"));
    EXPECT_EQ(line,
              QStringLiteral("\\\\.\\ttyUSB0 ") + QString::fromLatin1(GetParam().fields) +
                  QStringLiteral(" \"/opt/Veldrin App/MASTER/sim30418.sim\" \"/opt/Veldrin App/PROJECTS/"
                                 "Line 1/bin/\""));
}

INSTANTIATE_TEST_SUITE_P(Options, SerialCommandLine,
                         ::testing::Values(OptionsCase{{true, true, true, true}, "FW FR PW PR"},
                                           OptionsCase{{false, false, false, false}, "NO NO NO NO"},
                                           OptionsCase{{false, true, false, false}, "NO FR NO NO"},
                                           OptionsCase{{true, false, true, false}, "FW NO PW NO"},
                                           OptionsCase{{false, false, true, true}, "NO NO PW PR"},
                                           OptionsCase{{true, true, false, true}, "FW FR NO PR"}));

TEST(SerialPorts, SortInNaturalOrder)
{
    QList<SerialPort> ports;
    for (const char* name : {"ttyUSB10", "COM12", "ttyS2", "COM3", "ttyUSB1", "ttyS10", "COM1", "ttyACM0"})
        ports.append({QString::fromLatin1(name), {}, true});
    SortPortsNaturally(ports);
    QStringList names;
    for (const SerialPort& port : ports)
        names.append(port.name);
    EXPECT_EQ(names,
              (QStringList{QStringLiteral("COM1"), QStringLiteral("COM3"), QStringLiteral("COM12"),
                           QStringLiteral("ttyACM0"), QStringLiteral("ttyS2"), QStringLiteral("ttyS10"),
                           QStringLiteral("ttyUSB1"), QStringLiteral("ttyUSB10")}));
}

} // namespace
} // namespace veldrin

namespace veldrin {
namespace {

TEST(ParameterSplit, SplitsTheParameterStringAsAShellWould)
{
    const std::pair<const char*, QStringList> cases[] = {
        {"", {}},
        {"   ", {}},
        {"a b", {QStringLiteral("a"), QStringLiteral("b")}},
        {"\\\\.\\COM3 FW  NO", {QStringLiteral("\\\\.\\COM3"), QStringLiteral("FW"), QStringLiteral("NO")}},
        {"\"C:\\P Q\\x.sim\" \"\"", {QStringLiteral("C:\\P Q\\x.sim"), QString()}},
        {"a\"b c\"d", {QStringLiteral("ab cd")}},
    };
    for (const auto& [parameter, arguments] : cases)
        EXPECT_EQ(SplitParameter(QString::fromLatin1(parameter)), arguments) << parameter;
}

} // namespace
} // namespace veldrin
