#include "common/AtomicFile.h"

#include "common/VeldrinError.h"
#include "support/TempProgramDir.h"

#include <QBuffer>
#include <QDir>

#include <gtest/gtest.h>

namespace veldrin {
namespace {

// A device that takes at most a few bytes and then refuses more, as a full disk does.
class ShortDevice : public QIODevice {
public:
    explicit ShortDevice(qint64 room) : m_room(room) { open(QIODevice::WriteOnly); }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 size) override
    {
        if (m_room == 0) {
            setErrorString(QStringLiteral("No space left on device"));
            return -1;
        }
        const qint64 taken = std::min(size, m_room);
        m_room -= taken;
        return taken;
    }

private:
    qint64 m_room;
};

TEST(AtomicFile, WriteAllReportsAShortDevice)
{
    ShortDevice device(3);
    try {
        WriteAll(device, QByteArray("0123456789"), QStringLiteral("/x/bank.bin"));
        FAIL() << "a short write was taken for success";
    } catch (const VeldrinError& error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("bank.bin"))) << error.what();
        EXPECT_TRUE(error.message().contains(QStringLiteral("No space left"))) << error.what();
    }
}

TEST(AtomicFile, ReplacesTheWholeFile)
{
    test::TempProgramDir dir;
    dir.write(QStringLiteral("a.xml"), QByteArray(1000, 'x'));
    WriteFileAtomically(dir.file(QStringLiteral("a.xml")), QByteArray("new"));
    EXPECT_EQ(dir.read(QStringLiteral("a.xml")), QByteArray("new"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("a.xml")});
}

TEST(AtomicFile, FailureInAMissingFolderIsReported)
{
    test::TempProgramDir dir;
    EXPECT_THROW(WriteFileAtomically(dir.file(QStringLiteral("gone/a.xml")), QByteArray("x")), VeldrinError);
}

TEST(AtomicFile, FilesThatBelongTogetherAreReplacedTogetherOrNotAtAll)
{
    test::TempProgramDir dir;
    dir.write(QStringLiteral("bin/bank.bin"), QByteArray("old"));
    dir.mkdir(QStringLiteral("bin/bank2.bin"));
    try {
        WriteFilesAtomically({{dir.file(QStringLiteral("bin/bank.bin")), QByteArray("new")},
                              {dir.file(QStringLiteral("bin/bank2.bin")), QByteArray("new2")}});
        FAIL() << "a write over a folder was taken for success";
    } catch (const VeldrinError& error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("bank2.bin"))) << error.what();
    }
    EXPECT_EQ(dir.read(QStringLiteral("bin/bank.bin")), QByteArray("old"));
    EXPECT_EQ(QDir(dir.file(QStringLiteral("bin")))
                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              (QStringList{QStringLiteral("bank.bin"), QStringLiteral("bank2.bin")}));

    QDir(dir.file(QStringLiteral("bin/bank2.bin"))).removeRecursively();
    WriteFilesAtomically({{dir.file(QStringLiteral("bin/bank.bin")), QByteArray("new")},
                          {dir.file(QStringLiteral("bin/bank2.bin")), QByteArray("new2")}});
    EXPECT_EQ(dir.read(QStringLiteral("bin/bank.bin")), QByteArray("new"));
    EXPECT_EQ(dir.read(QStringLiteral("bin/bank2.bin")), QByteArray("new2"));
}

// Run by its own CTest entry on a 64 KiB file system (VELDRIN_TINY_FS).
TEST(AtomicFileFullDisk, FullDiskIsReportedAndThePreviousFileStaysWhole)
{
    const QString tiny = qEnvironmentVariable("VELDRIN_TINY_FS");
    if (tiny.isEmpty())
        GTEST_SKIP() << "needs VELDRIN_TINY_FS";
    const QString path = tiny + QStringLiteral("/Veldrin.xml");
    WriteFileAtomically(path, QByteArray("<Conf_Settings/>"));
    try {
        WriteFileAtomically(path, QByteArray(1024 * 1024, 'x'));
        FAIL() << "a write to a full disk was taken for success";
    } catch (const VeldrinError& error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("Veldrin.xml"))) << error.what();
    }
    QFile kept(path);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("<Conf_Settings/>"));
    EXPECT_EQ(QDir(tiny).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Veldrin.xml")});
}

} // namespace
} // namespace veldrin
