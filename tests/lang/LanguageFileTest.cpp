#include "lang/LanguageFile.h"

#include "lang/StringTable.h"
#include "support/TempProgramDir.h"
#include "support/TestData.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace veldrin {
namespace {

StringTable defaults()
{
    StringTable table;
    table.LoadDefaultStrings();
    return table;
}

struct LineCase {
    const char* line; // UTF-8, exactly as in the file
    int index;        // the entry the line sets, or -1
    const char* text; // what that entry holds afterwards
};

class LanguageLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(LanguageLine, SetsExactlyTheEntryItNames)
{
    const LineCase& c = GetParam();
    StringTable table = defaults();
    const int set = ApplyLanguageLine(table, QString::fromUtf8(c.line));
    EXPECT_EQ(set, c.index) << c.line;
    const StringTable untouched = defaults();
    for (int i = 0; i < table.StringCount(); ++i) {
        if (i == c.index)
            EXPECT_EQ(table[i], QString::fromUtf8(c.text)) << c.line;
        else
            EXPECT_EQ(table[i], untouched[i]) << c.line << " changed entry " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rules, LanguageLine,
    ::testing::Values(LineCase{"STR12 = Help", 12, "Help"},
                      // the character just before "=" belongs to no field
                      LineCase{"STR12=Help", 1, "Help"}, LineCase{"STR 12 = Help", 12, "Help"},
                      LineCase{"  \tSTR12 = Help  ", 12, "Help"}, LineCase{"str12 = Help", -1, ""},
                      LineCase{"STR179 = Help", -1, ""}, LineCase{"STR-1 = Help", -1, ""},
                      LineCase{"STR178 = Last", 178, "Last"}, LineCase{"STR0 = First", 0, "First"},
                      // the indexes between the original and the added texts hold none
                      LineCase{"STR199 = Help", -1, ""}, LineCase{"STR185 = Help", -1, ""},
                      LineCase{"STR200 = Added", 200, "Added"}, LineCase{"STR 219 = Added", 219, "Added"},
                      LineCase{"STR99999 = Help", -1, ""},
                      LineCase{"STR12 = Help /#/ main window", 12, "Help"},
                      LineCase{"STR12 = /#/ note", -1, ""}, LineCase{"STR12 = ", -1, ""},
                      LineCase{"STR12 Help", -1, ""}, LineCase{"STR=x", -1, ""},
                      LineCase{"STRx = Help", -1, ""}, LineCase{"STR$C = Hex", 12, "Hex"},
                      LineCase{"STR94 = \xc2\xb6 Select Device \xc2\xb6", 94, " Select Device "},
                      LineCase{"STR22 = \xc2\xb6\xc2\xb6", 22, ""},
                      LineCase{"STR12 = a\xc2\xb6"
                               "b",
                               12, "a"},
                      LineCase{"STR12 = \xc2\xb6 a /#/ b", 12, " a"}, LineCase{"STR12 = a = b", 12, "a = b"},
                      LineCase{"; STR12 = Help", -1, ""}, LineCase{"[Deutsch]", -1, ""}));

TEST(LanguageFile, LaterLinesWinAndEveryLineEndCounts)
{
    StringTable table = defaults();
    const SetIndexes set = ApplyLanguageText(
        table, QStringLiteral("header\rSTR1 = one\nSTR2 = two\r\nSTR3 = three\r\rSTR1 = uno"));
    EXPECT_EQ(set, (SetIndexes{1, 2, 3, 1}));
    EXPECT_EQ(table[1], QStringLiteral("uno"));
    EXPECT_EQ(table[2], QStringLiteral("two"));
    EXPECT_EQ(table[3], QStringLiteral("three"));
}

TEST(LanguageFile, DecodesByMarkThenUtf8ThenWindows1252)
{
    const QString text = QStringLiteral("STR12 = Schlie\u00dfen \u20ac");
    EXPECT_EQ(DecodeLanguageText("\xEF\xBB\xBF" + text.toUtf8()), text);
    QByteArray le("\xFF\xFE");
    QByteArray be("\xFE\xFF");
    for (QChar c : text) {
        le.append(static_cast<char>(c.unicode() & 0xFF)).append(static_cast<char>(c.unicode() >> 8));
        be.append(static_cast<char>(c.unicode() >> 8)).append(static_cast<char>(c.unicode() & 0xFF));
    }
    EXPECT_EQ(DecodeLanguageText(le), text);
    EXPECT_EQ(DecodeLanguageText(be), text);
    EXPECT_EQ(DecodeLanguageText(text.toUtf8()), text);
    // Not UTF-8: Windows-1252, where 0x80 is the euro sign and 0xDF is sharp s.
    EXPECT_EQ(DecodeLanguageText(QByteArray("STR12 = Schlie\xDF"
                                            "en \x80")),
              text);
    // A mark that promises UTF-8 over bytes that are not: nothing.
    EXPECT_EQ(DecodeLanguageText(QByteArray("\xEF\xBB\xBFSTR12 = \xDF")), std::nullopt);
    EXPECT_EQ(DecodeLanguageText(QByteArray("\xFF\xFE\x41")), std::nullopt);
}

TEST(LanguageFile, UnusableFilesChangeNothing)
{
    test::TempProgramDir dir;
    dir.write(QStringLiteral("big.lng"), "STR12 = Big\n" + QByteArray(MaxLanguageFileSize, ' '));
    dir.write(QStringLiteral("badmark.lng"), "\xEF\xBB\xBFSTR12 = \xDF\n");
    dir.mkdir(QStringLiteral("folder.lng"));
    const QString fifo = dir.file(QStringLiteral("fifo.lng"));
    ASSERT_EQ(mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    for (const QString& name :
         {QStringLiteral("big.lng"), QStringLiteral("badmark.lng"), QStringLiteral("folder.lng"),
          QStringLiteral("fifo.lng"), QStringLiteral("missing.lng")}) {
        StringTable table = defaults();
        EXPECT_EQ(LoadLanguageFile(table, dir.file(name)), std::nullopt) << name.toStdString();
        EXPECT_EQ(table.texts(), defaults().texts()) << name.toStdString();
    }
}

TEST(LanguageFile, AFileWithOnlyTheOriginalTextsLeavesTheAddedOnesEnglish)
{
    test::TempProgramDir dir;
    QByteArray original;
    for (int i = 0; i < OriginalTextCount; ++i)
        original += "STR" + QByteArray::number(i) + " = t" + QByteArray::number(i) + "\n";
    dir.write(QStringLiteral("Old.lng"), original);
    StringTable table;
    QString language = QStringLiteral("Old");
    SelectLanguage(table, dir.path(), language);
    const StringTable english = defaults();
    for (int i = 0; i < table.StringCount(); ++i) {
        const QString expected = i < OriginalTextCount ? QStringLiteral("t%1").arg(i) : english[i];
        EXPECT_EQ(table[i], expected) << i;
    }
}

// The placeholders %1, %2 ... a text holds, sorted: a translation may reorder them.
QStringList placeholders(const QString& text)
{
    QStringList found;
    for (const QRegularExpressionMatch& m : QRegularExpression(QStringLiteral("%\\d")).globalMatch(text))
        found.append(m.captured());
    found.sort();
    return found;
}

TEST(LanguageFile, EveryShippedLanguageSetsEveryTextWithItsPlaceholders)
{
    const QStringList files = QDir(test::LanguagesDir()).entryList({QStringLiteral("*.lng")}, QDir::Files);
    ASSERT_EQ(files.size(), 5) << files.join(u' ').toStdString();
    const StringTable english = defaults();
    for (const QString& file : files) {
        StringTable table = defaults();
        const auto set = LoadLanguageFile(table, QDir(test::LanguagesDir()).filePath(file));
        ASSERT_TRUE(set) << file.toStdString();
        for (int i = 0; i < table.StringCount(); ++i) {
            if (!table.HasText(i))
                continue;
            EXPECT_TRUE(set->contains(i)) << file.toStdString() << " leaves " << i << " English";
            EXPECT_EQ(placeholders(table[i]), placeholders(english[i])) << file.toStdString() << " " << i;
        }
        if (file == QStringLiteral("English.lng")) {
            EXPECT_EQ(table.texts(), english.texts());
        }
    }
}

TEST(SelectLanguage, FallsBackToEnglishAndItsFile)
{
    test::TempProgramDir dir;
    const QString languages = dir.path();
    StringTable table;
    QString language = QStringLiteral("Deutsch");

    // An empty folder: exactly the built-in texts, and the language becomes English.
    EXPECT_EQ(SelectLanguage(table, languages, language), QString());
    EXPECT_EQ(language, QStringLiteral("English"));
    EXPECT_EQ(table.texts(), defaults().texts());

    dir.write(QStringLiteral("English.lng"), "STR0 = Start\n");
    dir.write(QStringLiteral("Deutsch.lng"), "STR1 = Schritt 1\n");
    language = QStringLiteral("Deutsch");
    SelectLanguage(table, languages, language);
    EXPECT_EQ(language, QStringLiteral("Deutsch"));
    EXPECT_EQ(table[1], QStringLiteral("Schritt 1"));
    EXPECT_EQ(table[0], QStringLiteral("Begin")) << "a language file replaces the built-in texts only";

    for (const char* name : {"Klingon", "", "../LANGUAGE/Deutsch", "."}) {
        language = QString::fromLatin1(name);
        SelectLanguage(table, languages, language);
        EXPECT_EQ(language, QStringLiteral("English")) << name;
        EXPECT_EQ(table[0], QStringLiteral("Start")) << name;
        EXPECT_EQ(table[1], QStringLiteral("Step 1")) << name;
    }
}

} // namespace
} // namespace veldrin
