#include "common/ReadWholeFile.h"

#include <QFile>
#include <QFileInfo>

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
    QByteArray bytes = file.read(limit + 1);
    if (bytes.size() > limit)
        return {Status::TooLarge, {}, {}};
    if (file.error() != QFileDevice::NoError)
        return {Status::Unreadable, {}, file.errorString()};
    return {Status::Read, std::move(bytes), {}};
}

} // namespace veldrin
