#include "CliRun.h"
#include "cli/CliMain.h"
#include "report/ReportDocument.h"
#include "support/TempProgramDir.h"
#include "support/TestData.h"

#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

namespace veldrin {
namespace {

using test::CliRun;

class ReportCommand : public ::testing::Test {
protected:
    void SetUp() override { dir.copySample(QStringLiteral("PROJECTS/Demo")); }
    CliRun run(const QStringList& args) const
    {
        return test::RunCliCapturing(QStringList{QStringLiteral("report")} + args, dir.path(),
                                     WriteCommissioningReport);
    }

    test::TempProgramDir dir;
    QString config = dir.file(QStringLiteral("PROJECTS/Demo"));
};

TEST_F(ReportCommand, WritesEachFormatAskedFor)
{
    const QString html = dir.file(QStringLiteral("r.html"));
    const QString pdf = dir.file(QStringLiteral("r.pdf"));
    const CliRun result = run({config, QStringLiteral("--html"), html, QStringLiteral("--pdf"), pdf});
    ASSERT_EQ(result.code, 0) << result.err.toStdString();
    EXPECT_TRUE(dir.read(QStringLiteral("r.html")).startsWith("<!DOCTYPE html>"));
    EXPECT_TRUE(dir.read(QStringLiteral("r.pdf")).startsWith("%PDF-"));
    EXPECT_EQ(result.out, QStringLiteral("Wrote %1\nWrote %2\n").arg(html, pdf));
}

// The texts follow the language chosen, the page footers included.
TEST_F(ReportCommand, SpeaksTheLanguageChosen)
{
    dir.mkdir(QStringLiteral("LANGUAGE"));
    ASSERT_TRUE(QFile::copy(test::LanguagesDir() + QStringLiteral("/Deutsch.lng"),
                            dir.file(QStringLiteral("LANGUAGE/Deutsch.lng"))));
    const QString pdf = dir.file(QStringLiteral("r.pdf"));
    ASSERT_EQ(
        run({config, QStringLiteral("--pdf"), pdf, QStringLiteral("--language"), QStringLiteral("Deutsch")})
            .code,
        0);
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(30000));
    const QString shown = QString::fromUtf8(text.readAllStandardOutput());
    for (const char* expected : {"Inbetriebnahmeprotokoll", "Seite 1 von ", "Abnahme", "Unterschrift"})
        EXPECT_TRUE(shown.contains(QString::fromUtf8(expected))) << expected;
}

TEST_F(ReportCommand, RefusesWhatItCannotDo)
{
    struct Case {
        const char* what;
        QStringList args;
        int code;
        const char* message;
    };
    const QString nowhere = dir.file(QStringLiteral("missing/r.pdf"));
    const std::vector<Case> cases{
        {"no format", {config}, 2, "give --html FILE, --pdf FILE or both"},
        {"not a folder",
         {dir.file(QStringLiteral("none")), QStringLiteral("--pdf"), nowhere},
         2,
         "is not a folder"},
        {"an unreadable configuration", {dir.path(), QStringLiteral("--pdf"), nowhere}, 2, ""},
        {"an unwritable file", {config, QStringLiteral("--pdf"), nowhere}, 1, "missing"},
    };
    for (const Case& c : cases) {
        const CliRun result = run(c.args);
        EXPECT_EQ(result.code, c.code) << c.what << ' ' << result.err.toStdString();
        EXPECT_TRUE(result.err.contains(QString::fromUtf8(c.message)))
            << c.what << ' ' << result.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(nowhere));
}

} // namespace
} // namespace veldrin
