#include "common/ReadWholeFile.h"

#include "support/TempProgramDir.h"

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

} // namespace
} // namespace veldrin
