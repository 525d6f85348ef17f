#include "session/InstanceLock.h"

#include "configuration/WorkspaceLayout.h"
#include "support/TempProgramDir.h"
#include "support/WaitUntil.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace veldrin {
namespace {

TEST(InstanceLock, OneConfiguratorPerFolderUntilItEnds)
{
    test::TempProgramDir dir;
    auto first = std::make_unique<InstanceLock>(dir.path());
    ASSERT_TRUE(first->acquire());
    InstanceLock second(dir.path());
    EXPECT_FALSE(second.acquire());
    EXPECT_TRUE(second.alreadyRunningMessage().contains(QDir::toNativeSeparators(dir.path())));
    EXPECT_TRUE(InstanceLock(dir.file(QStringLiteral("other"))).acquire()) << "another folder is free";
    first.reset();
    EXPECT_TRUE(second.acquire());
}

// A configurator that crashed or was killed leaves its lock file; the next start takes it over.
TEST(InstanceLock, ALockWhoseProgramEndedIsTakenOver)
{
    test::TempProgramDir dir;
    dir.write(QLatin1String(layout::LockFile), "12345\nveldrin\n");
    EXPECT_TRUE(InstanceLock(dir.path()).acquire());

    const QString flock = QStandardPaths::findExecutable(QStringLiteral("flock"));
    if (flock.isEmpty())
        GTEST_SKIP() << "flock(1) is not installed";
    QProcess holder;
    // -o: only flock itself holds the lock, not the shell it runs, which ends with its input.
    holder.start(flock, {QStringLiteral("-o"), dir.file(QLatin1String(layout::LockFile)),
                         QStringLiteral("-c"), QStringLiteral("echo held; read line")});
    ASSERT_TRUE(test::WaitUntil([&] { return holder.canReadLine(); }));
    EXPECT_FALSE(InstanceLock(dir.path()).acquire()) << "a running holder keeps it";
    holder.kill();
    ASSERT_TRUE(test::WaitUntil([&] { return holder.state() == QProcess::NotRunning; }));
    EXPECT_TRUE(InstanceLock(dir.path()).acquire());
}

TEST(InstanceLock, AFolderWhereNoLockCanBeMadeIsLeftToTheStartupWarning)
{
    test::TempProgramDir dir;
    EXPECT_TRUE(InstanceLock(dir.file(QStringLiteral("missing/folder"))).acquire());
}

} // namespace
} // namespace veldrin
