#include "common/AtomicFolder.h"

#include "common/ExclusiveLock.h"
#include "common/VeldrinError.h"
#include "support/ErrorOf.h"
#include "support/TempProgramDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <functional>
#include <unistd.h>

namespace veldrin {
namespace {

QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

const QStringList Images{QStringLiteral("bank.bin"), QStringLiteral("bank2.bin")};

void writePair(const QString& folder, const char* first, const char* second)
{
    WriteFolderAtomically(folder,
                          {{QStringLiteral("bank.bin"), first}, {QStringLiteral("bank2.bin"), second}});
}

TEST(AtomicFolder, WritesANewFolderAndReplacesItLeavingNothingBeside)
{
    test::TempProgramDir dir;
    const QString bin = dir.file(QStringLiteral("Plant/bin"));
    writePair(bin, "old 1", "old 2");
    EXPECT_EQ(dir.read(QStringLiteral("Plant/bin/bank.bin")), QByteArray("old 1"));
    EXPECT_EQ(entries(bin), Images);
    QFile::setPermissions(bin, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                   QFileDevice::ReadGroup | QFileDevice::ExeGroup);
    const QFileDevice::Permissions before = QFileInfo(bin).permissions();

    writePair(bin, "new 1", "new 2");
    EXPECT_EQ(dir.read(QStringLiteral("Plant/bin/bank.bin")), QByteArray("new 1"));
    EXPECT_EQ(dir.read(QStringLiteral("Plant/bin/bank2.bin")), QByteArray("new 2"));
    EXPECT_EQ(entries(bin), Images);
    EXPECT_EQ(QFileInfo(bin).permissions(), before);
    // No lock, no staging folder, no old folder left beside it.
    EXPECT_EQ(entries(dir.file(QStringLiteral("Plant"))), QStringList{QStringLiteral("bin")});
}

TEST(AtomicFolder, FilesNotWrittenThisTimeAreCarriedOver)
{
    test::TempProgramDir dir;
    const QString device = dir.file(QStringLiteral("DEVICES/port"));
    const QStringList areas{QStringLiteral("firmware.bin"), QStringLiteral("bank.bin"),
                            QStringLiteral("bank2.bin")};
    WriteFolderAtomically(device, {{QStringLiteral("firmware.bin"), "fw"}}, areas);
    WriteFolderAtomically(device, {{QStringLiteral("bank.bin"), "b1"}, {QStringLiteral("bank2.bin"), "b2"}},
                          areas);
    EXPECT_EQ(dir.read(QStringLiteral("DEVICES/port/firmware.bin")), QByteArray("fw"));
    WriteFolderAtomically(device, {{QStringLiteral("bank2.bin"), "c2"}}, areas);
    EXPECT_EQ(dir.read(QStringLiteral("DEVICES/port/firmware.bin")), QByteArray("fw"));
    EXPECT_EQ(dir.read(QStringLiteral("DEVICES/port/bank.bin")), QByteArray("b1"));
    EXPECT_EQ(dir.read(QStringLiteral("DEVICES/port/bank2.bin")), QByteArray("c2"));
}

// The folder is replaced whole, so anything else in it would be lost with the old one.
TEST(AtomicFolder, RefusesAFolderHoldingWhatItDidNotWrite)
{
    test::TempProgramDir dir;
    const QString out = dir.file(QStringLiteral("out"));
    writePair(out, "old 1", "old 2");
    dir.write(QStringLiteral("out/notes.txt"), "mine");
    const QString notes = test::ErrorOf([&] { writePair(out, "new 1", "new 2"); });
    EXPECT_TRUE(notes.contains(QStringLiteral("notes.txt"))) << notes.toStdString();
    EXPECT_EQ(dir.read(QStringLiteral("out/bank.bin")), QByteArray("old 1"));
    EXPECT_EQ(dir.read(QStringLiteral("out/notes.txt")), QByteArray("mine"));

    QFile::remove(dir.file(QStringLiteral("out/notes.txt")));
    ASSERT_TRUE(
        QFile::link(dir.file(QStringLiteral("elsewhere")), dir.file(QStringLiteral("out/bank2.bin.link"))));
    QFile::remove(dir.file(QStringLiteral("out/bank2.bin")));
    ASSERT_TRUE(QFile::rename(dir.file(QStringLiteral("out/bank2.bin.link")),
                              dir.file(QStringLiteral("out/bank2.bin"))));
    EXPECT_FALSE(test::ErrorOf([&] { writePair(out, "new 1", "new 2"); }).isEmpty())
        << "a link is not an image";
    EXPECT_TRUE(QFileInfo(dir.file(QStringLiteral("out/bank2.bin"))).isSymLink());

    dir.write(QStringLiteral("file"), "x");
    EXPECT_TRUE(test::ErrorOf([&] {
                    writePair(dir.file(QStringLiteral("file")), "1", "2");
                }).contains(QStringLiteral("is a file, not a folder")));
}

TEST(AtomicFolder, ALinkToTheFolderStaysALinkToTheNewImages)
{
    test::TempProgramDir dir;
    writePair(dir.file(QStringLiteral("real")), "old 1", "old 2");
    ASSERT_TRUE(QFile::link(dir.file(QStringLiteral("real")), dir.file(QStringLiteral("bin"))));
    writePair(dir.file(QStringLiteral("bin")), "new 1", "new 2");
    EXPECT_TRUE(QFileInfo(dir.file(QStringLiteral("bin"))).isSymLink());
    EXPECT_EQ(dir.read(QStringLiteral("real/bank.bin")), QByteArray("new 1"));
}

TEST(AtomicFolder, LeftoversOfAnInterruptedWriteAreRemovedAndNothingElse)
{
    test::TempProgramDir dir;
    writePair(dir.file(QStringLiteral("bin")), "old 1", "old 2");
    // What a kill leaves: a staging folder, or the old folder not yet removed.
    dir.write(QStringLiteral(".bin.swap-Ab12Cd/bank.bin"), "new 1");
    dir.write(QStringLiteral(".bin.swap-Ef34Gh/bank2.bin"), "old 2");
    // Look-alikes the writer never makes, and a user's file in a folder of its name.
    dir.write(QStringLiteral(".bin.swap-mine/bank.bin"), "user");
    dir.write(QStringLiteral(".bin.swap-Ij56Kl/notes.txt"), "user");
    dir.write(QStringLiteral(".other.swap-Mn78Op/bank.bin"), "user");

    writePair(dir.file(QStringLiteral("bin")), "new 1", "new 2");
    EXPECT_EQ(entries(dir.file(QStringLiteral("bin"))), Images);
    EXPECT_EQ(entries(dir.path()),
              (QStringList{QStringLiteral(".bin.swap-Ij56Kl"), QStringLiteral(".bin.swap-mine"),
                           QStringLiteral(".other.swap-Mn78Op"), QStringLiteral("bin")}));
    EXPECT_EQ(dir.read(QStringLiteral(".bin.swap-Ij56Kl/notes.txt")), QByteArray("user"));
    EXPECT_EQ(dir.read(QStringLiteral(".bin.swap-mine/bank.bin")), QByteArray("user"));

    // A name like a temporary file's may be the user's own: kept, and the write refused.
    for (const char* name : {"bank.bin.backup", "bank2.bin.Xy98Zw"}) {
        dir.write(QStringLiteral("bin/") + QLatin1String(name), "user");
        const QString error = test::ErrorOf([&] { writePair(dir.file(QStringLiteral("bin")), "3", "4"); });
        EXPECT_TRUE(error.contains(QLatin1String(name))) << error.toStdString();
        EXPECT_EQ(dir.read(QStringLiteral("bin/") + QLatin1String(name)), QByteArray("user"));
        EXPECT_EQ(dir.read(QStringLiteral("bin/bank.bin")), QByteArray("new 1"));
        QFile::remove(dir.file(QStringLiteral("bin/") + QLatin1String(name)));
    }
}

TEST(AtomicFolder, AConcurrentWriterIsWaitedForThenRefused)
{
    test::TempProgramDir dir;
    writePair(dir.file(QStringLiteral("bin")), "old 1", "old 2");
    ExclusiveLock other(dir.file(QStringLiteral(".bin.lock")));
    ASSERT_EQ(other.tryLock(0), ExclusiveLock::Result::Acquired);
    const QString busy = test::ErrorOf([&] { writePair(dir.file(QStringLiteral("bin")), "new 1", "new 2"); });
    EXPECT_TRUE(busy.contains(QStringLiteral("another program is writing there"))) << busy.toStdString();
    EXPECT_EQ(dir.read(QStringLiteral("bin/bank.bin")), QByteArray("old 1"));
    other.unlock();
    writePair(dir.file(QStringLiteral("bin")), "new 1", "new 2");
    EXPECT_EQ(dir.read(QStringLiteral("bin/bank.bin")), QByteArray("new 1"));
}

TEST(AtomicFolderUnprivileged, AReadOnlyFolderOrAParentWithoutRoomIsRefusedAndLeftAsItWas)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind root; CTest runs this case as nobody";
    // (folder made read-only, folder written, what the refusal says)
    const char* const cases[][3] = {{"bin", "bin", "read-only"},
                                    {"Plant", "Plant/bin", "cannot create a folder beside it"}};
    for (const auto& [locked, written, says] : cases) {
        test::TempProgramDir dir;
        writePair(dir.file(QLatin1String(written)), "old 1", "old 2");
        QFile::setPermissions(dir.file(QLatin1String(locked)),
                              QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        const QString error =
            test::ErrorOf([&] { writePair(dir.file(QLatin1String(written)), "new 1", "new 2"); });
        QFile::setPermissions(dir.file(QLatin1String(locked)),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        EXPECT_TRUE(error.contains(QLatin1String(says))) << error.toStdString();
        EXPECT_EQ(dir.read(QLatin1String(written) + QStringLiteral("/bank.bin")), QByteArray("old 1"));
    }
}

} // namespace
} // namespace veldrin
