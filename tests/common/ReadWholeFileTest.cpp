#include "common/ReadWholeFile.h"

#include "support/TempProgramDir.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace veldrin {
namespace {

using Status = FileContents::Status;

TEST(ReadWholeFile, ReadsOnlyARegularFileWithinTheLimit)
{
    const test::TempProgramDir dir;
    dir.write(QStringLiteral("four"), "1234");
    dir.write(QStringLiteral("five"), "12345");
    dir.write(QStringLiteral("empty"), "");
    dir.mkdir(QStringLiteral("folder"));
    ASSERT_EQ(mkfifo(dir.file(QStringLiteral("fifo")).toLocal8Bit().constData(), 0600), 0);

    const struct {
        const char* name;
        Status status;
        QByteArray bytes;
    } cases[] = {
        {"four", Status::Read, "1234"},
        {"empty", Status::Read, ""},
        {"five", Status::TooLarge, {}},
        {"missing", Status::Missing, {}},
        {"folder", Status::NotAFile, {}},
        // A FIFO with no writer would block a reader for ever.
        {"fifo", Status::NotAFile, {}},
    };
    for (const auto& c : cases) {
        const FileContents file = ReadWholeFile(dir.file(QLatin1String(c.name)), 4);
        EXPECT_EQ(file.status, c.status) << c.name;
        EXPECT_EQ(file.bytes, c.bytes) << c.name;
    }
}

// The buffer follows the size the file tells; a file that tells none still gives every byte,
// and the limit still holds.
TEST(ReadWholeFile, AFileThatTellsNoSizeIsReadWhole)
{
    const QString path = QStringLiteral("/proc/self/status");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || QFileInfo(path).size() != 0)
        GTEST_SKIP() << "no file here reports a size of 0 while holding bytes";
    const QByteArray start = file.read(8);

    const FileContents whole = ReadWholeFile(path, 1024 * 1024);
    ASSERT_EQ(whole.status, Status::Read);
    EXPECT_TRUE(whole.bytes.startsWith(start));
    EXPECT_TRUE(whole.bytes.endsWith('\n'));
    EXPECT_EQ(ReadWholeFile(path, 8).status, Status::TooLarge);
}

} // namespace
} // namespace veldrin
