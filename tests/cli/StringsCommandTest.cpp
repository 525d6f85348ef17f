#include "cli/StringsCommand.h"

#include "cli/CliRun.h"
#include "lang/StringTable.h"
#include "support/TempProgramDir.h"
#include "support/TestData.h"

#include <QFile>

#include <gtest/gtest.h>

namespace veldrin::cli {
namespace {

using test::CliRun;

CliRun run(const QStringList& args, const QString& programDir)
{
    return test::RunCliCapturing(args, programDir);
}

TEST(StringsCommand, PrintsTheTableOfTheSavedLanguage)
{
    test::TempProgramDir dir;
    dir.write(QStringLiteral("LANGUAGE/Deutsch.lng"),
              "STR0 = Anfang\nSTR94 = \xc2\xb6 Ger\xc3\xa4t \xc2\xb6\nSTR12=Quirk\n");
    dir.write(QStringLiteral("Veldrin.xml"), "<c><lastlang><language>Deutsch</language></lastlang></c>");
    const CliRun result = run({QStringLiteral("strings")}, dir.path());
    ASSERT_EQ(result.code, 0) << result.err.toStdString();
    const QStringList lines = result.out.split(u'\n', Qt::SkipEmptyParts);
    StringTable english;
    english.LoadDefaultStrings();
    // Every text once, and none of the indexes between the original and the added texts.
    ASSERT_EQ(lines.size(), OriginalTextCount + english.StringCount() - FirstAddedText);
    EXPECT_EQ(lines[OriginalTextCount], QStringLiteral("200\t") + english[200]);
    EXPECT_EQ(lines[0], QStringLiteral("0\tAnfang"));
    EXPECT_EQ(lines[1], QStringLiteral("1\tQuirk"));
    EXPECT_EQ(lines[22], QStringLiteral("22\t "));
    EXPECT_EQ(lines[94], QStringLiteral("94\t Ger\u00e4t "));
}

TEST(StringsCommand, MissingListsWhatTheFileLeavesEnglish)
{
    test::TempProgramDir dir;
    QByteArray all;
    StringTable english;
    english.LoadDefaultStrings();
    // Lines for the indexes that hold no text change nothing, and those are never listed.
    for (int i = 0; i < english.StringCount(); ++i) {
        if (i != 5 && i != 178 && i != 210)
            all += "STR" + QByteArray::number(i) + " = x\n";
    }
    dir.write(QStringLiteral("LANGUAGE/Full.lng"), all);
    const CliRun result =
        run({QStringLiteral("strings"), QStringLiteral("--program-dir"), dir.path(),
             QStringLiteral("--language"), QStringLiteral("Full"), QStringLiteral("--missing")},
            QStringLiteral("/nonexistent"));
    ASSERT_EQ(result.code, 0) << result.err.toStdString();
    EXPECT_EQ(result.out,
              QStringLiteral("5\tStep 5\n178\tError Modbus Master!! Two Stop Bits can used only with "
                             "Parity None\n210\tChecking...\n"));
}

TEST(StringsCommand, TheShippedLanguagesMissNothing)
{
    for (const char* language : {"English", "Deutsch", "Espa\u00f1ol", "Fran\u00e7ais", "Italiano"}) {
        test::TempProgramDir dir;
        dir.mkdir(QStringLiteral("LANGUAGE"));
        const QString name = QString::fromUtf8(language);
        QFile::copy(test::LanguagesDir() + u'/' + name + QStringLiteral(".lng"),
                    dir.file(QStringLiteral("LANGUAGE/") + name + QStringLiteral(".lng")));
        const CliRun result =
            run({QStringLiteral("strings"), QStringLiteral("--language"), name, QStringLiteral("--missing")},
                dir.path());
        ASSERT_EQ(result.code, 0) << language << result.err.toStdString();
        EXPECT_EQ(result.out, QString()) << language;
    }
}

TEST(StringsCommand, EscapesWhatWouldBreakTheLine)
{
    EXPECT_EQ(StringsCommand::Escape(QStringLiteral("a\tb\rc\nd\\e")), QStringLiteral("a\\tb\\rc\\nd\\\\e"));
}

TEST(StringsCommand, UsageErrorsExitWithTwo)
{
    test::TempProgramDir dir;
    for (const QStringList& args : {QStringList{QStringLiteral("strings"), QStringLiteral("--program-dir"),
                                                dir.file(QStringLiteral("none"))}}) {
        const CliRun result = run(args, dir.path());
        EXPECT_EQ(result.code, 2) << args.join(u' ').toStdString();
        EXPECT_FALSE(result.err.isEmpty()) << args.join(u' ').toStdString();
        EXPECT_TRUE(result.out.isEmpty());
    }
}

} // namespace
} // namespace veldrin::cli
