// Reading a whole file that must stay small: the reader's side of the atomic writer.
#pragma once

#include <QByteArray>
#include <QString>

namespace veldrin {

struct FileContents {
    enum class Status { Read, Missing, NotAFile, TooLarge, Unreadable };

    Status status = Status::Missing;
    // The file's bytes when read.
    QByteArray bytes;
    // Why the system could not read it, when unreadable.
    QString reason;

    bool read() const { return status == Status::Read; }
};

// The bytes of the regular file at path when it holds at most limit of them. Anything else
// (a folder, a FIFO or a device, which could block or never end) is refused before it is
// opened, and no more than limit + 1 bytes are ever read, even from a file that grows.
FileContents ReadWholeFile(const QString& path, qint64 limit);

} // namespace veldrin
