#include "session/WorkspaceLocation.h"

#include "support/TempProgramDir.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace veldrin {
namespace {

// Answers for a program folder as the test says, whoever runs it.
WorkspaceProbes probes(bool writable, const QString& userDir)
{
    return {[writable](const QString&) { return writable; },
            [userDir] {
                return userDir;
            }};
}

struct LocationCase {
    const char* what;
    bool writable;
    bool portableMarker;
    // nullptr: no file "installed".
    const char* installedMarker;
    const char* userDir;
    WorkspaceMode mode;
    // Below the program folder's parent, or "user" for the user's folder.
    const char* dataDir;
    const char* workspaceDir;
};

TEST(WorkspaceLocation, TheModeFollowsTheFolderAndItsMarkers)
{
    const LocationCase cases[] = {
        {"a folder the user can write", true, false, nullptr, "/home/u/.local/share/Veldrin",
         WorkspaceMode::Portable, "program", "program"},
        {"a folder the user cannot write", false, false, nullptr, "/home/u/.local/share/Veldrin",
         WorkspaceMode::Installed, "program", "user"},
        {"\"portable\" in a folder the user cannot write", false, true, nullptr,
         "/home/u/.local/share/Veldrin", WorkspaceMode::Portable, "program", "program"},
        {"\"portable\" wins over \"installed\"", false, true, "../../share/veldrin",
         "/home/u/.local/share/Veldrin", WorkspaceMode::Portable, "program", "program"},
        {"an installation is installed even for root, who can write it", true, false, "../share/veldrin\n",
         "/root/.local/share/Veldrin", WorkspaceMode::Installed, "share/veldrin", "user"},
        {"an installation naming no data folder has its data beside the programs", false, false, "",
         "/home/u/.local/share/Veldrin", WorkspaceMode::Installed, "program", "user"},
        {"no user data folder: the program folder stays the workspace", false, false, nullptr, "",
         WorkspaceMode::Portable, "program", "program"},
    };
    for (const LocationCase& c : cases) {
        const test::TempProgramDir root;
        const QString program = root.file(QStringLiteral("program"));
        root.mkdir(QStringLiteral("program"));
        if (c.portableMarker)
            root.write(QStringLiteral("program/portable"), {});
        if (c.installedMarker)
            root.write(QStringLiteral("program/installed"), c.installedMarker);
        const QString userDir = QString::fromLatin1(c.userDir);
        const auto expected = [&](const char* which) {
            return qstrcmp(which, "user") == 0 ? userDir : root.file(QString::fromLatin1(which));
        };

        // A trailing separator changes nothing.
        const WorkspaceLocation where = LocateWorkspace(program + u'/', probes(c.writable, userDir));
        EXPECT_EQ(where.Mode, c.mode) << c.what;
        EXPECT_EQ(where.ProgramDir, program) << c.what;
        EXPECT_EQ(where.DataDir, expected(c.dataDir)) << c.what;
        EXPECT_EQ(where.WorkspaceDir, expected(c.workspaceDir)) << c.what;
    }
}

// The system's answers: a temporary folder can be written by whoever runs the tests, and the
// user's folder is the same for every program of the configurator.
TEST(WorkspaceLocation, TheSystemsAnswers)
{
    const QTemporaryDir data;
    ASSERT_TRUE(data.isValid());
    const QByteArray before = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
    const WorkspaceProbes system = SystemWorkspaceProbes();
    const QString userDir = system.userWorkspaceDir();
    const bool writable = system.isWritable(data.path());
    const bool missingWritable = system.isWritable(data.filePath(QStringLiteral("missing")));
    if (before.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", before);

    EXPECT_EQ(userDir, data.path() + QStringLiteral("/Veldrin"));
    EXPECT_TRUE(writable);
    EXPECT_FALSE(missingWritable);
    EXPECT_EQ(QDir(data.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList())
        << "the probe leaves nothing behind";
}

// Run by a user whom permissions bind (test_session_unprivileged): a folder that user cannot
// write is an installation, with no marker needed.
TEST(WorkspaceLocationUnprivileged, AFolderTheUserCannotWriteIsInstalled)
{
    const test::TempProgramDir root;
    root.mkdir(QStringLiteral("program"));
    const QString program = root.file(QStringLiteral("program"));
    ASSERT_TRUE(QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner));
    const WorkspaceLocation where = LocateWorkspace(program);
    QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(where.Mode, WorkspaceMode::Installed);
    EXPECT_EQ(where.WorkspaceDir, SystemWorkspaceProbes().userWorkspaceDir());
    EXPECT_EQ(LocateWorkspace(program).Mode, WorkspaceMode::Portable) << "writable again";
}

} // namespace
} // namespace veldrin
