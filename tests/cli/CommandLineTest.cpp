// The command line of veldrin-cli and of each command: usage errors, help and version.
#include "cli/CliRun.h"
#include "session/Identity.h"
#include "support/TempProgramDir.h"

#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace veldrin::cli {
namespace {

using test::CliRun;
using test::RunCliCapturing;

// A program folder with a configuration that compiles and passes every check, and its two
// images, so that a command line the parser wrongly let through would run and print a report.
class CommandLine : public testing::Test {
protected:
    void SetUp() override
    {
        dir.write(QStringLiteral("Cfg/ModbusM_SetAccess.xml"),
                  "<EtherNetIP_to_Modbus><Modbus_Read/><Modbus_Write/></EtherNetIP_to_Modbus>");
        ASSERT_EQ(run({QStringLiteral("compile"), cfg, QStringLiteral("--out"), images}).code, 0);
    }

    CliRun run(const QStringList& args) const { return RunCliCapturing(args, dir.path()); }

    test::TempProgramDir dir;
    const QString cfg = dir.file(QStringLiteral("Cfg"));
    const QString images = dir.file(QStringLiteral("images"));
    const QString bank = images + QStringLiteral("/bank.bin");
    const QString bank2 = images + QStringLiteral("/bank2.bin");
};

TEST_F(CommandLine, UsageErrorsGiveTheParsersMessageAndTheUsageAndExitWithTwo)
{
    const auto s = [](const char* text) {
        return QString::fromUtf8(text);
    };
    const std::pair<QStringList, QString> cases[] = {
        // veldrin-cli itself
        {{}, s("veldrin-cli: Missing argument COMMAND.")},
        {{s("nonsense")}, s("veldrin-cli: Unknown command 'nonsense'.")},
        {{s("help"), s("nonsense")}, s("veldrin-cli: Unknown command 'nonsense'.")},
        {{s("--bogus")}, s("veldrin-cli: Unknown option 'bogus'.")},
        {{s("-x"), s("check"), cfg}, s("veldrin-cli: Unknown option 'x'.")},
        {{s("--version=2")}, s("veldrin-cli: Unexpected value after '--version'.")},
        // strings
        {{s("strings"), s("--bogus")}, s("veldrin-cli strings: Unknown option 'bogus'.")},
        {{s("strings"), s("--language")}, s("veldrin-cli strings: Missing value after '--language'.")},
        {{s("strings"), s("--program-dir")}, s("veldrin-cli strings: Missing value after '--program-dir'.")},
        {{s("strings"), s("--missing=yes")}, s("veldrin-cli strings: Unexpected value after '--missing'.")},
        {{s("strings"), s("English")}, s("veldrin-cli strings: Unexpected argument 'English'.")},
        // check
        {{s("check")}, s("veldrin-cli check: Missing argument CONFIG_DIR.")},
        {{s("check"), s("--program-dir"), dir.path(), s("--language"), s("English")},
         s("veldrin-cli check: Missing argument CONFIG_DIR.")},
        {{s("check"), s("--bogus"), cfg}, s("veldrin-cli check: Unknown option 'bogus'.")},
        {{s("check"), cfg, cfg}, s("veldrin-cli check: Unexpected argument '%1'.").arg(cfg)},
        {{s("check"), cfg, s("--language")}, s("veldrin-cli check: Missing value after '--language'.")},
        // After the command, an option of veldrin-cli itself is the command's, and unknown to it.
        {{s("check"), s("--version"), cfg}, s("veldrin-cli check: Unknown option 'version'.")},
        // compile
        {{s("compile")}, s("veldrin-cli compile: Missing argument CONFIG_DIR.")},
        {{s("compile"), s("--out")}, s("veldrin-cli compile: Missing value after '--out'.")},
        {{s("compile"), cfg, s("--out")}, s("veldrin-cli compile: Missing value after '--out'.")},
        {{s("compile"), cfg, s("--bogus")}, s("veldrin-cli compile: Unknown option 'bogus'.")},
        {{s("compile"), cfg, cfg}, s("veldrin-cli compile: Unexpected argument '%1'.").arg(cfg)},
        {{s("compile"), cfg, s("a"), s("b")}, s("veldrin-cli compile: Unexpected arguments: a, b.")},
        // The language options belong to the commands that show the configurator's texts.
        {{s("compile"), s("--language"), s("English"), cfg},
         s("veldrin-cli compile: Unknown option 'language'.")},
        // A usage error wins over --help.
        {{s("compile"), s("--bogus"), s("--help")}, s("veldrin-cli compile: Unknown option 'bogus'.")},
        // inspect
        {{s("inspect")}, s("veldrin-cli inspect: Missing argument FILE.")},
        {{s("inspect"), bank, bank2}, s("veldrin-cli inspect: Unexpected argument '%1'.").arg(bank2)},
        {{s("inspect"), bank, s("--yaml")}, s("veldrin-cli inspect: Unknown option 'yaml'.")},
        {{s("inspect"), s("--json=yes"), bank}, s("veldrin-cli inspect: Unexpected value after '--json'.")},
        {{s("inspect"), s("-j"), bank}, s("veldrin-cli inspect: Unknown option 'j'.")},
        {{s("inspect"), s("--program-dir"), dir.path(), bank},
         s("veldrin-cli inspect: Unknown option 'program-dir'.")},
        // map
        {{s("map")}, s("veldrin-cli map: Missing argument CONFIG_DIR.")},
        {{s("map"), cfg, s("--turnaround")}, s("veldrin-cli map: Missing value after '--turnaround'.")},
        {{s("map"), cfg, s("--bogus")}, s("veldrin-cli map: Unknown option 'bogus'.")},
        {{s("map"), cfg, cfg}, s("veldrin-cli map: Unexpected argument '%1'.").arg(cfg)}};

    for (const auto& [args, message] : cases) {
        SCOPED_TRACE(args.join(u' ').toStdString());
        const CliRun result = run(args);
        EXPECT_EQ(result.code, 2);
        EXPECT_TRUE(result.out.isEmpty()) << result.out.toStdString();
        const QStringList lines = result.err.split(u'\n');
        ASSERT_GE(lines.size(), 2) << result.err.toStdString();
        EXPECT_EQ(lines[0], message);
        // Then the usage of veldrin-cli or of the command the message names.
        const QString usage = QStringLiteral("Usage: ") + message.section(u':', 0, 0) + u' ';
        EXPECT_TRUE(result.err.contains(u'\n' + usage)) << result.err.toStdString();
    }
    EXPECT_FALSE(QDir(cfg + QStringLiteral("/bin")).exists());
}

TEST_F(CommandLine, HelpListsTheCommandsAndTheProgramsOptions)
{
    const CliRun help = run({QStringLiteral("--help")});
    EXPECT_EQ(help.code, 0);
    EXPECT_TRUE(help.err.isEmpty()) << help.err.toStdString();
    EXPECT_TRUE(help.out.startsWith(QStringLiteral("Usage: veldrin-cli [options] COMMAND [ARGUMENTS]\n")))
        << help.out.toStdString();
    EXPECT_TRUE(help.out.contains(QStringLiteral("\n  --version ")));
    // The executable is named as veldrin-cli, not by the path it was started with.
    EXPECT_FALSE(help.out.contains(QCoreApplication::applicationFilePath()));
    for (const QStringList& same : {QStringList{QStringLiteral("-h")}, QStringList{QStringLiteral("help")}}) {
        const CliRun result = run(same);
        EXPECT_EQ(result.code, 0);
        EXPECT_EQ(result.out, help.out) << same.join(u' ').toStdString();
    }

    // Each command is listed with the first line of what its own help says about it.
    for (const char* name : {"strings", "check", "compile", "inspect", "map", "export", "import", "diff"}) {
        const QStringList commandHelp =
            run({QString::fromLatin1(name), QStringLiteral("--help")}).out.split(u'\n');
        ASSERT_GE(commandHelp.size(), 2);
        const QRegularExpression listed(QStringLiteral("\n  %1 +").arg(QLatin1String(name)) +
                                        QRegularExpression::escape(commandHelp[1]) + u'\n');
        EXPECT_TRUE(help.out.contains(listed)) << name << '\n' << help.out.toStdString();
    }
}

TEST_F(CommandLine, CommandHelpShowsItsUsageArgumentsAndOptions)
{
    struct HelpCase {
        const char* command;
        const char* usage;
        std::vector<const char*> shown;
        std::vector<const char*> notShown;
    };
    const HelpCase cases[] = {
        {"strings",
         "Usage: veldrin-cli strings [options]",
         {"-h, --help", "--program-dir <DIR>", "--language <NAME>", "--missing"},
         {"Arguments:"}},
        {"check",
         "Usage: veldrin-cli check [options] CONFIG_DIR",
         {"-h, --help", "--program-dir <DIR>", "--language <NAME>", "Arguments:\n  CONFIG_DIR "},
         {"--missing"}},
        {"compile",
         "Usage: veldrin-cli compile [options] CONFIG_DIR",
         {"-h, --help", "--out <DIR>", "Arguments:\n  CONFIG_DIR "},
         {"--language", "--program-dir"}},
        {"inspect",
         "Usage: veldrin-cli inspect [options] FILE",
         {"-h, --help", "--json", "Arguments:\n  FILE "},
         {"--language", "--program-dir"}},
        {"export",
         "Usage: veldrin-cli export [options] CONFIG_DIR",
         {"-h, --help", "--read <FILE>", "--write <FILE>", "Arguments:\n  CONFIG_DIR "},
         {"--append", "--language"}},
        {"import",
         "Usage: veldrin-cli import [options] CONFIG_DIR",
         {"-h, --help", "--read <FILE>", "--write <FILE>", "--append", "--language <NAME>",
          "Arguments:\n  CONFIG_DIR "},
         {"--json"}},
    };
    for (const HelpCase& c : cases) {
        SCOPED_TRACE(c.command);
        const QString command = QString::fromLatin1(c.command);
        const CliRun help = run({command, QStringLiteral("--help")});
        EXPECT_EQ(help.code, 0);
        EXPECT_TRUE(help.err.isEmpty()) << help.err.toStdString();
        EXPECT_EQ(help.out.section(u'\n', 0, 0), QString::fromLatin1(c.usage));
        for (const char* text : c.shown)
            EXPECT_TRUE(help.out.contains(QString::fromLatin1(text))) << text << '\n'
                                                                      << help.out.toStdString();
        for (const char* text : c.notShown)
            EXPECT_FALSE(help.out.contains(QString::fromLatin1(text))) << text << '\n'
                                                                       << help.out.toStdString();

        for (const QStringList& same :
             {QStringList{command, QStringLiteral("-h")}, QStringList{QStringLiteral("help"), command},
              QStringList{QStringLiteral("--help"), command}}) {
            const CliRun result = run(same);
            EXPECT_EQ(result.code, 0);
            EXPECT_EQ(result.out, help.out) << same.join(u' ').toStdString();
        }
    }

    // --help shows the help and runs nothing, even on a command line that would run.
    const CliRun help = run({QStringLiteral("compile"), cfg, QStringLiteral("--help")});
    EXPECT_EQ(help.code, 0);
    EXPECT_TRUE(help.out.startsWith(QStringLiteral("Usage: veldrin-cli compile ")));
    EXPECT_FALSE(QDir(cfg + QStringLiteral("/bin")).exists());
}

TEST_F(CommandLine, VersionNamesTheProgramAndItsVersion)
{
    const CliRun version = run({QStringLiteral("--version")});
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out, QStringLiteral("veldrin-cli %1\n").arg(QLatin1String(identity::SoftwareVersion)));
    EXPECT_TRUE(version.err.isEmpty()) << version.err.toStdString();
}

} // namespace
} // namespace veldrin::cli
