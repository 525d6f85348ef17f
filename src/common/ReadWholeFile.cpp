#include "common/ReadWholeFile.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace veldrin {

FileContents ReadWholeFile(const QString& path, qint64 limit)
{
    using Status = FileContents::Status;
    const QFileInfo info(path);
    if (!info.exists())
        return {Status::Missing, {}, {}};
    if (!info.isFile())
        return {Status::NotAFile, {}, {}};
    if (info.size() > limit)
        return {Status::TooLarge, {}, {}};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {Status::Unreadable, {}, file.errorString()};
    // A buffer of the size the file has, one byte more to see that it did not grow; a file that
    // grew, or tells no size, is read on up to the limit.
    QByteArray bytes = file.read(std::min(file.size(), limit) + 1);
    if (bytes.size() > file.size() && bytes.size() <= limit && file.error() == QFileDevice::NoError)
        bytes += file.read(limit + 1 - bytes.size());
    if (bytes.size() > limit)
        return {Status::TooLarge, {}, {}};
    if (file.error() != QFileDevice::NoError)
        return {Status::Unreadable, {}, file.errorString()};
    return {Status::Read, std::move(bytes), {}};
}

} // namespace veldrin
