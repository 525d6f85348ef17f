#include "projects/Configurations.h"

#include "support/TempProgramDir.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace veldrin {
namespace {

struct NameCase {
    const char* name;
    std::optional<int> refusal; // the message index, or nothing when the name is taken
};

class NewConfigurationName : public ::testing::TestWithParam<NameCase> {};

TEST_P(NewConfigurationName, IsCreatedAsTypedOrRefusedCreatingNothing)
{
    test::TempProgramDir dir;
    dir.mkdir(QStringLiteral("Plant"));
    dir.write(QStringLiteral("notes.txt"), "a file, not a configuration");
    const QStringList before =
        QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);

    const QString name = QString::fromUtf8(GetParam().name);
    EXPECT_EQ(CreateConfiguration(dir.path(), name), GetParam().refusal) << GetParam().name;
    const QStringList after =
        QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    if (GetParam().refusal) {
        EXPECT_EQ(after, before) << GetParam().name;
    } else {
        EXPECT_TRUE(QFileInfo(dir.file(name + QStringLiteral("/bin"))).isDir()) << GetParam().name;
        EXPECT_EQ(after.size(), before.size() + 1);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NewConfigurationName,
    ::testing::Values(NameCase{"Line 2", std::nullopt}, NameCase{" Line 3", std::nullopt},
                      NameCase{"Stazione \xc3\xa8", std::nullopt}, NameCase{"a.b", std::nullopt},
                      NameCase{"..x", std::nullopt}, NameCase{"CONSOLE", std::nullopt},
                      NameCase{"", NameEmptyMessage}, NameCase{"Plant", NameExistsMessage},
                      NameCase{"PLANT", NameExistsMessage}, NameCase{"plant", NameExistsMessage},
                      NameCase{"notes.txt", NameNotValidMessage}, NameCase{".", NameNotValidMessage},
                      NameCase{"..", NameNotValidMessage}, NameCase{"../escape", NameNotValidMessage},
                      NameCase{"a/b", NameNotValidMessage}, NameCase{"a\\b", NameNotValidMessage},
                      NameCase{"a:b", NameNotValidMessage}, NameCase{"a*", NameNotValidMessage},
                      NameCase{"a?", NameNotValidMessage}, NameCase{"say \"hi\"", NameNotValidMessage},
                      NameCase{"<a>", NameNotValidMessage}, NameCase{"a|b", NameNotValidMessage},
                      NameCase{"tab\there", NameNotValidMessage}, NameCase{"del\x7f", NameNotValidMessage},
                      NameCase{"nul", NameNotValidMessage}, NameCase{"COM1.txt", NameNotValidMessage},
                      NameCase{"lpt9", NameNotValidMessage}, NameCase{"   ", NameNotValidMessage},
                      NameCase{"trail ", NameNotValidMessage}, NameCase{"trail.", NameNotValidMessage},
                      NameCase{" lead. ", NameNotValidMessage}));

TEST(Configurations, ListsVisibleFoldersSortedWithoutRegardToCase)
{
    test::TempProgramDir dir;
    for (const char* name : {"beta", "Alpha", ".hidden", "alpha2", "Zeta"})
        dir.mkdir(QString::fromLatin1(name));
    dir.write(QStringLiteral("file.xml"), "<x/>");
    EXPECT_EQ(ListConfigurations(dir.path()), (QStringList{QStringLiteral("Alpha"), QStringLiteral("alpha2"),
                                                           QStringLiteral("beta"), QStringLiteral("Zeta")}));
    EXPECT_TRUE(ListConfigurations(dir.file(QStringLiteral("missing"))).isEmpty());
}

TEST(Configurations, SearchPrefersAnExactMatchOverOneInAnotherCase)
{
    const QStringList SL = {QStringLiteral("PLANT"), QStringLiteral("Plant"), QStringLiteral("Other")};
    EXPECT_EQ(Search_Open_Conf(SL, QStringLiteral("Plant")), 1);
    EXPECT_EQ(Search_Open_Conf(SL, QStringLiteral("plant")), 0);
    EXPECT_EQ(Search_Open_Conf(SL, QStringLiteral("other")), 2);
    EXPECT_EQ(Search_Open_Conf(SL, QStringLiteral("none")), -1);
    EXPECT_EQ(Search_Open_Conf(SL, QString()), -1);
    // Only a to z fold: accented letters must match exactly.
    EXPECT_EQ(Search_Open_Conf({QStringLiteral("\u00c8")}, QStringLiteral("\u00e8")), -1);
}

} // namespace
} // namespace veldrin
