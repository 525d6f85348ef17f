#include "options/LanguageList.h"

#include "support/TempProgramDir.h"

#include <QFile>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace veldrin {
namespace {

TEST(LanguageList, ListsOrdinaryWritableLanguageFilesSortedWithoutRegardToCase)
{
    test::TempProgramDir dir;
    for (const char* name : {"italiano.lng", "Deutsch.lng", "English.lng", ".Hidden.lng", "notes.txt",
                             "Upper.LNG", "Locked.lng"})
        dir.write(QString::fromLatin1(name), "STR0 = x\n");
    dir.mkdir(QStringLiteral("Folder.lng"));
    ASSERT_EQ(mkfifo(dir.file(QStringLiteral("Pipe.lng")).toLocal8Bit().constData(), 0600), 0);
    QFile::setPermissions(dir.file(QStringLiteral("Locked.lng")),
                          QFileDevice::ReadOwner | QFileDevice::ReadGroup);

    EXPECT_EQ(Create_Lang_List(dir.path()),
              (QStringList{QStringLiteral(".Hidden.lng"), QStringLiteral("Deutsch.lng"),
                           QStringLiteral("English.lng"), QStringLiteral("italiano.lng")}));

    // Writable again: listed at the next look.
    QFile::setPermissions(dir.file(QStringLiteral("Locked.lng")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_TRUE(Create_Lang_List(dir.path()).contains(QStringLiteral("Locked.lng")));
    EXPECT_TRUE(Create_Lang_List(dir.file(QStringLiteral("missing"))).isEmpty());
    EXPECT_EQ(LanguageName(QStringLiteral("Deutsch.lng")), QStringLiteral("Deutsch"));
}

struct PageCase {
    int page;
    int count;
    LanguagePage expected;
};

class LanguagePages : public ::testing::TestWithParam<PageCase> {};

TEST_P(LanguagePages, ShowSixSlotsAPage)
{
    const LanguagePage got = Update_Lang_Page(GetParam().page, GetParam().count);
    const LanguagePage& want = GetParam().expected;
    EXPECT_EQ(got.pages, want.pages);
    EXPECT_EQ(got.first, want.first);
    EXPECT_EQ(got.shown, want.shown);
    EXPECT_EQ(got.prevShown, want.prevShown);
    EXPECT_EQ(got.nextShown, want.nextShown);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LanguagePages,
    ::testing::Values(PageCase{1, 0, {0, 0, 0, false, true}}, PageCase{1, 6, {1, 0, 6, false, false}},
                      PageCase{1, 7, {2, 0, 6, false, true}}, PageCase{2, 7, {2, 6, 1, true, false}},
                      PageCase{1, 13, {3, 0, 6, false, true}}, PageCase{2, 13, {3, 6, 6, true, true}},
                      PageCase{3, 13, {3, 12, 1, true, false}}));

TEST(LanguagePages, TurnWithinTheirRangeAndMapSlotsToLanguages)
{
    // page, forward, languages, page turned to
    const int turns[][4] = {{1, 1, 13, 2}, {2, 1, 13, 3}, {3, 1, 13, 3}, {3, 0, 13, 2},
                            {1, 0, 13, 1}, {1, 1, 6, 1},  {1, 1, 0, 1},  {2, 0, 7, 1}};
    for (const auto& [page, forward, count, expected] : turns)
        EXPECT_EQ(TurnLanguagePage(page, forward != 0, count), expected) << page << forward << count;

    // page, slot, languages, list index
    const int slots[][4] = {{1, 1, 7, 0},  {1, 6, 7, 5},  {2, 1, 7, 6},   {2, 2, 7, -1},
                            {1, 1, 0, -1}, {1, 0, 7, -1}, {1, 7, 13, -1}, {3, 1, 13, 12}};
    for (const auto& [page, slot, count, expected] : slots)
        EXPECT_EQ(LanguageOfSlot(page, slot, count), expected) << page << slot << count;
}

TEST(LanguageFlag, IsTheLanguagesOwnElseTheDefaultIfEitherIsAFile)
{
    test::TempProgramDir dir;
    dir.write(QStringLiteral("Deutsch.bmp"), "BM");
    EXPECT_EQ(LanguageFlagPath(dir.path(), QStringLiteral("Deutsch")),
              dir.file(QStringLiteral("Deutsch.bmp")));
    EXPECT_EQ(LanguageFlagPath(dir.path(), QStringLiteral("Italiano")), QString());
    dir.write(QStringLiteral("DefaultFlag.bmp"), "BM");
    EXPECT_EQ(LanguageFlagPath(dir.path(), QStringLiteral("Italiano")),
              dir.file(QStringLiteral("DefaultFlag.bmp")));
    // A folder of the flag's name is no picture, and it hides the default.
    dir.mkdir(QStringLiteral("Espanol.bmp"));
    EXPECT_EQ(LanguageFlagPath(dir.path(), QStringLiteral("Espanol")), QString());
}

} // namespace
} // namespace veldrin
