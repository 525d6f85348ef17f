#include "updaters/ImageFileChecks.h"

#include "common/ReadWholeFile.h"
#include "common/VeldrinError.h"
#include "configuration/WorkspaceLayout.h"
#include "image/GeneralImage.h"
#include "image/ImageDecoder.h"
#include "image/ImageLayout.h"

#include <QDir>
#include <QFileInfo>

namespace veldrin::updaters {
namespace {

// The file's bytes; nothing when it holds more than limit of them, so a huge file is not read.
std::optional<QByteArray> readImage(const QString& path, qint64 limit)
{
    const QString shown = QDir::toNativeSeparators(path);
    const FileContents file = ReadWholeFile(path, limit);
    switch (file.status) {
    case FileContents::Status::Read:
        return file.bytes;
    case FileContents::Status::TooLarge:
        return std::nullopt;
    case FileContents::Status::Missing:
        throw VeldrinError(QStringLiteral("The configuration image %1 is missing").arg(shown));
    case FileContents::Status::NotAFile:
        throw VeldrinError(QStringLiteral("The configuration image %1 is not a file").arg(shown));
    case FileContents::Status::Unreadable:
        break;
    }
    throw VeldrinError(QStringLiteral("Cannot read %1: %2").arg(shown, file.reason));
}

QString wrongSize(const QString& path, qsizetype size, const QString& expected)
{
    const qint64 fileSize = std::max<qint64>(size, QFileInfo(path).size());
    return QStringLiteral("%1 has %2 bytes; %3")
        .arg(QDir::toNativeSeparators(path))
        .arg(fileSize)
        .arg(expected);
}

} // namespace

QByteArray ReadGeneralImageFile(const QString& path)
{
    const std::optional<QByteArray> read = readImage(path, GeneralImageSize);
    if (!read || ImageKindOfSize(read->size()) != ImageKind::General)
        throw VeldrinError(wrongSize(path, read ? read->size() : 0,
                                     QStringLiteral("a general image (%1) has %2 or %3")
                                         .arg(QLatin1String(layout::GeneralImageFile))
                                         .arg(GeneralImageHeaderSize)
                                         .arg(GeneralImageSize)));
    const QByteArray& bytes = *read;
    const DecodedGeneralImage image = DecodeGeneralImage(bytes);
    if (image.Header != GeneralImageHeader)
        throw VeldrinError(
            QStringLiteral("%1 begins with the value %2, not with the general image's header %3")
                .arg(QDir::toNativeSeparators(path))
                .arg(image.Header)
                .arg(GeneralImageHeader));
    return bytes;
}

QByteArray ReadRequestImageFile(const QString& path)
{
    const std::optional<QByteArray> read = readImage(path, RequestImageSize);
    if (!read || ImageKindOfSize(read->size()) != ImageKind::Request)
        throw VeldrinError(
            wrongSize(path, read ? read->size() : 0,
                      QStringLiteral("a request image (%1) has %2%3")
                          .arg(QLatin1String(layout::RequestImageFile))
                          .arg(RequestImageSize)
                          .arg(read && read->size() < RequestImageSize ? QStringLiteral(": it is cut short")
                                                                       : QString())));
    const QByteArray& bytes = *read;
    const DecodedRequestImage image = DecodeRequestImage(bytes);
    if (!image.ChecksumOk())
        throw VeldrinError(
            QStringLiteral("%1 is damaged: its parameter section adds up to %2, but its checksum "
                           "says %3")
                .arg(QDir::toNativeSeparators(path))
                .arg(image.ComputedChecksum)
                .arg(image.StoredChecksum));
    return bytes;
}

} // namespace veldrin::updaters
