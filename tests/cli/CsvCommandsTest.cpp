#include "CliRun.h"
#include "support/TempProgramDir.h"
#include "support/TestData.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace veldrin {
namespace {

test::CliRun cli(const QStringList& args)
{
    return test::RunCliCapturing(args, QString());
}

TEST(CsvCommands, ExportThenImportLeavesTheFileAsItWas)
{
    test::TempProgramDir dir;
    const QString config = dir.copySample(QStringLiteral("Plant"));
    const QByteArray before = dir.read(QStringLiteral("Plant/ModbusM_SetAccess.xml"));
    const QString reads = dir.file(QStringLiteral("read.csv"));
    const QString writes = dir.file(QStringLiteral("write.csv"));
    const test::CliRun exported = cli({"export", config, "--read", reads, "--write", writes});
    ASSERT_EQ(exported.code, 0) << exported.err.toStdString();
    EXPECT_TRUE(dir.read(QStringLiteral("read.csv")).startsWith("\xEF\xBB\xBFSlave_ID,Type,"));

    // Emptied, then imported back.
    dir.write(QStringLiteral("Plant/ModbusM_SetAccess.xml"), "<EtherNetIP_to_Modbus/>");
    const test::CliRun imported = cli({"import", config, "--read", reads, "--write", writes});
    EXPECT_EQ(imported.code, 0) << imported.out.toStdString() << imported.err.toStdString();
    EXPECT_EQ(dir.read(QStringLiteral("Plant/ModbusM_SetAccess.xml")), before);

    // Appended: the four read rows twice over.
    EXPECT_EQ(cli({"import", config, "--read", reads, "--append"}).code, 0);
    EXPECT_EQ(dir.read(QStringLiteral("Plant/ModbusM_SetAccess.xml")).count("<row "), 4 * 2 + 3);
}

TEST(CsvCommands, ImportChangesNothingUnlessEveryLineIsValidAndTheChecksPass)
{
    test::TempProgramDir dir;
    const QString config = dir.copySample(QStringLiteral("Plant"));
    const QByteArray before = dir.read(QStringLiteral("Plant/ModbusM_SetAccess.xml"));
    const struct {
        const char* what;
        QByteArray csv;
        int code;
        const char* said;
    } cases[] = {
        {"a type not in the list", "Slave_ID;Type;NPoint\n1;Holding;1\n", 1,
         "Line 2, column Type: \"Holding\" is not among the column's entries."},
        {"a row that fails the checks",
         "Slave_ID,Type,Address,NPoint,PollTime,MaxError,Position\n"
         "1,Holding Register,0,0,1000,3,0\n",
         1, "NPoint"},
        {"an unknown column", "Slave_ID,Colour\n", 1, "Unknown columns: \"Colour\""},
    };
    for (const auto& c : cases) {
        dir.write(QStringLiteral("in.csv"), c.csv);
        const test::CliRun result = cli({"import", config, "--read", dir.file(QStringLiteral("in.csv"))});
        EXPECT_EQ(result.code, c.code) << c.what;
        EXPECT_TRUE(result.out.contains(QString::fromUtf8(c.said))) << c.what << '\n'
                                                                    << result.out.toStdString();
        EXPECT_EQ(dir.read(QStringLiteral("Plant/ModbusM_SetAccess.xml")), before) << c.what;
    }
}

TEST(CsvCommands, UsageErrorsAndUnreadableInputsExitWithTwo)
{
    test::TempProgramDir dir;
    const QString config = dir.copySample(QStringLiteral("Plant"));
    const QString missing = dir.file(QStringLiteral("missing.csv"));
    const struct {
        const char* what;
        QStringList args;
        int code;
    } cases[] = {
        {"import without a table", {"import", config}, 2},
        {"export without a table", {"export", config}, 2},
        {"a CSV file that is not there", {"import", config, "--write", missing}, 2},
        {"not a configuration folder", {"export", missing, "--read", missing}, 2},
        {"a CSV file that cannot be written",
         {"export", config, "--read", dir.file(QStringLiteral("no/such/dir/r.csv"))},
         1},
    };
    for (const auto& c : cases) {
        const test::CliRun result = cli(c.args);
        EXPECT_EQ(result.code, c.code) << c.what << '\n' << result.err.toStdString();
        EXPECT_FALSE(result.err.isEmpty()) << c.what;
    }
}

} // namespace
} // namespace veldrin
