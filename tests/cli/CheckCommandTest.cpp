#include "cli/CheckCommand.h"

#include "cli/CliRun.h"
#include "support/TempProgramDir.h"
#include "support/TestData.h"

#include <QFile>

#include <gtest/gtest.h>

namespace veldrin::cli {
namespace {

using CheckRun = test::CliRun;

CheckRun check(const QStringList& args, const QString& programDir)
{
    return test::RunCliCapturing(QStringList{QStringLiteral("check")} + args, programDir);
}

QByteArray dataFile(const char* name)
{
    QFile file(test::DataDir() + u'/' + QString::fromLatin1(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct ConfigCase {
    const char* parGen; // a file of tests/data, or nullptr for none
    int code;
    const char* out;
};

class CheckCommunication : public ::testing::TestWithParam<ConfigCase> {};

TEST_P(CheckCommunication, GivesTheDialogsFirstMessage)
{
    test::TempProgramDir dir;
    dir.mkdir(QStringLiteral("Somewhere/Config"));
    if (GetParam().parGen)
        dir.write(QStringLiteral("Somewhere/Config/ParGen.xml"), dataFile(GetParam().parGen));
    const CheckRun result = check({dir.file(QStringLiteral("Somewhere/Config"))}, dir.path());
    EXPECT_EQ(result.code, GetParam().code) << result.err.toStdString();
    EXPECT_EQ(result.out, QString::fromUtf8(GetParam().out) + u'\n');
    EXPECT_TRUE(result.err.isEmpty()) << result.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Files, CheckCommunication,
    ::testing::Values(
        ConfigCase{nullptr, 0, "OK"}, ConfigCase{"pargen-defaults.xml", 0, "OK"},
        ConfigCase{"pargen-list-index-out-of-range.xml", 0, "OK"},
        ConfigCase{"pargen-empty-ip1.xml", 1, "Error Ethernet!! IP Address 1 must be between 0 and 255"},
        ConfigCase{"pargen-ip3-too-large-and-two-stop-bits-with-parity.xml", 1,
                   "Error Ethernet!! IP Address 3 must be between 0 and 255"},
        ConfigCase{"pargen-gateway-on-empty-gat2.xml", 1,
                   "Error Ethernet!! GATEWAY IP 2 must be between 0 and 255"},
        ConfigCase{"pargen-two-stop-bits-with-parity.xml", 1,
                   "Error Modbus Master!! Two Stop Bits can used only with Parity None"},
        ConfigCase{"pargen-idle-time-too-long.xml", 1,
                   "Error Modbus Master!! Communication Idle Time must be between 0 and 100000000 ms"},
        // The root is the comment, so the defaults are checked.
        ConfigCase{"pargen-comment-first.xml", 0, "OK"}));

TEST(CheckCommand, MessagesFollowTheSavedOrChosenLanguage)
{
    test::TempProgramDir dir;
    dir.write(QStringLiteral("LANGUAGE/Italiano.lng"), "STR113 = Errore IP 2\n");
    dir.write(QStringLiteral("Veldrin.xml"), "<c><lastlang><language>Italiano</language></lastlang></c>");
    dir.write(QStringLiteral("Config/ParGen.xml"), "<GeneralParameter><IP2>x</IP2></GeneralParameter>");
    const QString config = dir.file(QStringLiteral("Config"));
    EXPECT_EQ(check({config}, dir.path()).out, QStringLiteral("Errore IP 2\n"));
    EXPECT_EQ(check({QStringLiteral("--language"), QStringLiteral("English"), config}, dir.path()).out,
              QStringLiteral("Error Ethernet!! IP Address 2 must be between 0 and 255\n"));
    EXPECT_EQ(check({config}, dir.file(QStringLiteral("nowhere"))).out,
              QStringLiteral("Error Ethernet!! IP Address 2 must be between 0 and 255\n"));
    EXPECT_EQ(
        check({config, QStringLiteral("--program-dir"), dir.path()}, QStringLiteral("/nonexistent")).out,
        QStringLiteral("Errore IP 2\n"));
}

TEST(CheckCommand, RequestTablesAreCheckedAfterTheCommunication)
{
    test::TempProgramDir dir;
    const QString config = dir.file(QStringLiteral("Config"));
    dir.write(QStringLiteral("Config/ModbusM_SetAccess.xml"),
              dataFile("setaccess-write-row2-npoint-124.xml"));
    const CheckRun tables = check({config}, dir.path());
    EXPECT_EQ(tables.code, 1);
    EXPECT_TRUE(tables.out.startsWith(QStringLiteral("Error row 2!! [Modbus Write] ")))
        << tables.out.toStdString();

    dir.write(QStringLiteral("Config/ParGen.xml"), "<GeneralParameter><IP1>300</IP1></GeneralParameter>");
    EXPECT_EQ(check({config}, dir.path()).out,
              QStringLiteral("Error Ethernet!! IP Address 1 must be between 0 and 255\n"));

    dir.write(QStringLiteral("Config/ParGen.xml"), dataFile("pargen-defaults.xml"));
    dir.write(QStringLiteral("Config/ModbusM_SetAccess.xml"), dataFile("setaccess-not-well-formed.xml"));
    const CheckRun broken = check({config}, dir.path());
    EXPECT_EQ(broken.code, 2);
    EXPECT_TRUE(broken.err.contains(QStringLiteral("ModbusM_SetAccess.xml"))) << broken.err.toStdString();

    // The shipped sample passes every check.
    EXPECT_EQ(check({test::SamplesDir() + QStringLiteral("/Demo")}, dir.path()).out, QStringLiteral("OK\n"));
}

TEST(CheckCommand, WhatCannotBeReadExitsWithTwo)
{
    test::TempProgramDir dir;
    dir.write(QStringLiteral("Broken/ParGen.xml"), dataFile("pargen-not-well-formed.xml"));
    dir.mkdir(QStringLiteral("Folder/ParGen.xml"));
    dir.write(QStringLiteral("file"), "x");
    QByteArray deep;
    for (int i = 0; i < 50000; ++i)
        deep += "<a>";
    dir.write(QStringLiteral("Deep/ParGen.xml"), deep);
    dir.write(QStringLiteral("Nested/ParGen.xml"),
              "<ParGen><Device_Type>1</Device_Type><SUB3><a>x</a>255</SUB3></ParGen>");
    const std::pair<QStringList, const char*> cases[] = {
        {{dir.file(QStringLiteral("Broken"))}, "ParGen.xml is not well-formed XML: line 4"},
        {{dir.file(QStringLiteral("Folder"))}, "ParGen.xml is not a regular file"},
        {{dir.file(QStringLiteral("Deep"))},
         "ParGen.xml is not well-formed XML: line 1, column 193: elements nest"},
        {{dir.file(QStringLiteral("Nested"))},
         "ParGen.xml cannot be read: line 1: <SUB3> holds other elements"},
        {{dir.file(QStringLiteral("missing"))}, "cannot read the configuration folder"},
        {{dir.file(QStringLiteral("file"))}, "cannot read the configuration folder"}};
    for (const auto& [args, reason] : cases) {
        const CheckRun result = check(args, dir.path());
        EXPECT_EQ(result.code, 2) << args.join(u' ').toStdString();
        EXPECT_TRUE(result.err.contains(QString::fromUtf8(reason))) << result.err.toStdString();
        EXPECT_TRUE(result.out.isEmpty()) << result.out.toStdString();
    }
}

} // namespace
} // namespace veldrin::cli
