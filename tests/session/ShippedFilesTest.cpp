#include "session/ShippedFiles.h"

#include "support/TempProgramDir.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace veldrin {
namespace {

// An installation's data folder and a user's workspace, side by side.
class Shipped : public ::testing::Test {
protected:
    void SetUp() override
    {
        ship(QStringLiteral("LANGUAGE/Deutsch.lng"), "STR1 = Eins\n");
        ship(QStringLiteral("LANGUAGE/Deutsch.bmp"), "BM flag");
        ship(QStringLiteral("MASTER/sim30418.sim"), "firmware 1");
        ship(QStringLiteral("PROJECTS/Demo/ParGen.xml"), "<GeneralParameter/>");
        ship(QStringLiteral("PROJECTS/Demo/ModbusM_SetAccess.xml"), "<Modbus/>");
        root.mkdir(QStringLiteral("data/PROJECTS/Demo/bin"));
    }

    void ship(const QString& relative, const QByteArray& bytes) const
    {
        root.write(QStringLiteral("data/") + relative, bytes);
    }
    QStringList seed() const { return SeedWorkspace(root.file(QStringLiteral("data")), workspace()); }
    QString workspace() const { return root.file(QStringLiteral("home/Veldrin")); }
    QByteArray user(const QString& relative) const
    {
        return root.read(QStringLiteral("home/Veldrin/") + relative);
    }
    void userWrites(const QString& relative, const QByteArray& bytes) const
    {
        root.write(QStringLiteral("home/Veldrin/") + relative, bytes);
    }
    bool userHas(const QString& relative) const { return QFileInfo::exists(workspace() + u'/' + relative); }
    // Every file and folder of the workspace but the record, relative to it.
    QStringList workspaceEntries() const
    {
        QStringList entries;
        QDir dir(workspace());
        for (const char* folder : {"LANGUAGE", "MASTER", "PROJECTS", "PROJECTS/Demo", "PROJECTS/Demo/bin"}) {
            const QString name = QString::fromLatin1(folder);
            for (const QString& entry :
                 QDir(dir.filePath(name))
                     .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name))
                entries << name + u'/' + entry;
        }
        return entries;
    }

    test::TempProgramDir root;
};

TEST_F(Shipped, TheFirstStartCopiesEverythingAndASecondChangesNothing)
{
    EXPECT_EQ(seed(), QStringList());
    EXPECT_EQ(user(QStringLiteral("LANGUAGE/Deutsch.lng")), "STR1 = Eins\n");
    EXPECT_EQ(user(QStringLiteral("MASTER/sim30418.sim")), "firmware 1");
    EXPECT_EQ(user(QStringLiteral("PROJECTS/Demo/ParGen.xml")), "<GeneralParameter/>");
    EXPECT_EQ(workspaceEntries(),
              (QStringList{"LANGUAGE/Deutsch.bmp", "LANGUAGE/Deutsch.lng", "MASTER/sim30418.sim",
                           "PROJECTS/Demo", "PROJECTS/Demo/ModbusM_SetAccess.xml", "PROJECTS/Demo/ParGen.xml",
                           "PROJECTS/Demo/bin"}));
    // The record lists what was copied as sha256sum does, so the user can check it with that.
    const QByteArray record = user(QStringLiteral("Shipped.sha256"));
    EXPECT_TRUE(record.contains("  LANGUAGE/Deutsch.lng\n")) << record.toStdString();
    EXPECT_TRUE(record.contains("  PROJECTS/Demo/ParGen.xml\n")) << record.toStdString();
    EXPECT_EQ(record.count('\n'), 5);

    const QFileInfo before(workspace() + QStringLiteral("/Shipped.sha256"));
    EXPECT_EQ(seed(), QStringList());
    EXPECT_EQ(user(QStringLiteral("Shipped.sha256")), record);
    EXPECT_EQ(QFileInfo(workspace() + QStringLiteral("/Shipped.sha256")).lastModified(),
              before.lastModified());
}

// What a later start does with a language or firmware file, after the user and the installation
// had their say.
TEST_F(Shipped, ALaterStartRefreshesOnlyWhatTheUserLeftAsCopied)
{
    struct Case {
        const char* what;
        // Before the first start: a file of the user's own, or nullptr.
        const char* before;
        // After the first start: what the user does (nullptr: nothing, "": removes the file).
        const char* userChange;
        // What the installation ships at the second start.
        const char* shippedLater;
        // What the workspace holds afterwards (nullptr: no file).
        const char* expected;
    };
    const Case cases[] = {
        {"untouched and updated: refreshed", nullptr, nullptr, "STR1 = Eins!\n", "STR1 = Eins!\n"},
        {"changed by the user: kept", nullptr, "STR1 = Meins\n", "STR1 = Eins!\n", "STR1 = Meins\n"},
        {"removed by the user: stays removed", nullptr, "", "STR1 = Eins!\n", nullptr},
        {"the user's own before the first start: kept", "STR1 = Vorher\n", nullptr, "STR1 = Eins!\n",
         "STR1 = Vorher\n"},
        {"the user's own, equal to the shipped one: refreshed from then on", "STR1 = Eins\n", nullptr,
         "STR1 = Eins!\n", "STR1 = Eins!\n"},
        {"changed by the user to what the installation ships later: kept", nullptr, "STR1 = Eins!\n",
         "STR1 = Eins!\n", "STR1 = Eins!\n"},
    };
    const QString file = QStringLiteral("LANGUAGE/Deutsch.lng");
    for (const Case& c : cases) {
        QDir(workspace()).removeRecursively();
        ship(file, "STR1 = Eins\n");
        if (c.before)
            userWrites(file, c.before);
        EXPECT_EQ(seed(), QStringList()) << c.what;
        if (c.userChange && *c.userChange)
            userWrites(file, c.userChange);
        else if (c.userChange)
            QFile::remove(workspace() + u'/' + file);
        ship(file, c.shippedLater);
        EXPECT_EQ(seed(), QStringList()) << c.what;
        if (c.expected)
            EXPECT_EQ(user(file), QByteArray(c.expected)) << c.what;
        else
            EXPECT_FALSE(userHas(file)) << c.what;
    }

    // A file the installation adds later is copied; one it updates twice is refreshed twice.
    ship(QStringLiteral("LANGUAGE/Italiano.lng"), "STR1 = Uno\n");
    ship(QStringLiteral("MASTER/sim30418.sim"), "firmware 2");
    EXPECT_EQ(seed(), QStringList());
    ship(QStringLiteral("MASTER/sim30418.sim"), "firmware 3");
    EXPECT_EQ(seed(), QStringList());
    EXPECT_EQ(user(QStringLiteral("LANGUAGE/Italiano.lng")), "STR1 = Uno\n");
    EXPECT_EQ(user(QStringLiteral("MASTER/sim30418.sim")), "firmware 3");
}

TEST_F(Shipped, ASampleConfigurationIsCopiedOnceAndThenTheUsers)
{
    // The user's configuration of the sample's name, made before the first start, is left alone.
    userWrites(QStringLiteral("PROJECTS/Demo/ParGen.xml"), "mine");
    EXPECT_EQ(seed(), QStringList());
    EXPECT_EQ(user(QStringLiteral("PROJECTS/Demo/ParGen.xml")), "mine");
    EXPECT_FALSE(userHas(QStringLiteral("PROJECTS/Demo/ModbusM_SetAccess.xml")));

    // Copied where absent; a change of the user's, or of the installation's, changes nothing
    // for the other.
    QDir(workspace()).removeRecursively();
    EXPECT_EQ(seed(), QStringList());
    userWrites(QStringLiteral("PROJECTS/Demo/ParGen.xml"), "edited");
    ship(QStringLiteral("PROJECTS/Demo/ParGen.xml"), "<GeneralParameter version=\"2\"/>");
    EXPECT_EQ(seed(), QStringList());
    EXPECT_EQ(user(QStringLiteral("PROJECTS/Demo/ParGen.xml")), "edited");

    // Deleted by the user, it does not come back.
    QDir(workspace() + QStringLiteral("/PROJECTS/Demo")).removeRecursively();
    EXPECT_EQ(seed(), QStringList());
    EXPECT_FALSE(userHas(QStringLiteral("PROJECTS/Demo")));
}

TEST_F(Shipped, WhatCannotBeCopiedIsNamedAndTheRestIsCopied)
{
    // LANGUAGE and PROJECTS are files in the workspace, where folders belong.
    userWrites(QStringLiteral("LANGUAGE"), "not a folder");
    userWrites(QStringLiteral("PROJECTS"), "not a folder");
    const QStringList problems = seed();
    ASSERT_EQ(problems.size(), 3) << problems.join(u'\n').toStdString();
    EXPECT_TRUE(problems[0].startsWith(
        QStringLiteral("Cannot write ") +
        QDir::toNativeSeparators(workspace() + QStringLiteral("/LANGUAGE/Deutsch.bmp"))))
        << problems[0].toStdString();
    EXPECT_TRUE(problems[2].startsWith(QStringLiteral("Cannot copy the sample configuration Demo")))
        << problems[2].toStdString();
    EXPECT_EQ(user(QStringLiteral("MASTER/sim30418.sim")), "firmware 1");
    EXPECT_FALSE(user(QStringLiteral("Shipped.sha256")).contains("LANGUAGE/"));

    // Once the way is clear, the next start copies what is missing.
    QFile::remove(workspace() + QStringLiteral("/LANGUAGE"));
    QFile::remove(workspace() + QStringLiteral("/PROJECTS"));
    EXPECT_EQ(seed(), QStringList());
    EXPECT_EQ(user(QStringLiteral("LANGUAGE/Deutsch.lng")), "STR1 = Eins\n");
    EXPECT_EQ(user(QStringLiteral("PROJECTS/Demo/ModbusM_SetAccess.xml")), "<Modbus/>");

    // No data folder, or no way to make the workspace: one line each.
    EXPECT_EQ(SeedWorkspace(root.file(QStringLiteral("nothing")), workspace()),
              QStringList(QStringLiteral("Cannot read the installation's files: the folder %1 is missing")
                              .arg(QDir::toNativeSeparators(root.file(QStringLiteral("nothing"))))));
    root.write(QStringLiteral("file"), "x");
    EXPECT_EQ(SeedWorkspace(root.file(QStringLiteral("data")), root.file(QStringLiteral("file/Veldrin"))),
              QStringList(QStringLiteral("Cannot create the folder %1")
                              .arg(QDir::toNativeSeparators(root.file(QStringLiteral("file/Veldrin"))))));
}

// A sample that cannot be copied whole is not copied at all, and nothing is left beside it; the
// next start tries again.
TEST_F(Shipped, ASampleIsCopiedWholeOrNotAtAll)
{
    // Larger than any file an installation ships, without taking the room (a sparse file).
    QFile large(root.file(QStringLiteral("data/PROJECTS/Demo/bin/large.bin")));
    ASSERT_TRUE(large.open(QIODevice::WriteOnly) && large.resize(qint64{65} * 1024 * 1024));
    large.close();
    const QStringList problems = seed();
    ASSERT_EQ(problems.size(), 1);
    EXPECT_EQ(problems[0], QStringLiteral("Cannot read %1: it is larger than any file an installation ships")
                               .arg(QDir::toNativeSeparators(large.fileName())));
    EXPECT_EQ(QDir(workspace() + QStringLiteral("/PROJECTS"))
                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList());
    EXPECT_EQ(user(QStringLiteral("LANGUAGE/Deutsch.lng")), "STR1 = Eins\n");

    large.remove();
    EXPECT_EQ(seed(), QStringList());
    EXPECT_EQ(user(QStringLiteral("PROJECTS/Demo/ModbusM_SetAccess.xml")), "<Modbus/>");
}

} // namespace
} // namespace veldrin
