#include "updaters/ImageFileChecks.h"

#include "common/VeldrinError.h"
#include "configuration/WorkspaceLayout.h"
#include "image/GeneralImage.h"
#include "image/ImageDecoder.h"
#include "image/ImageLayout.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace veldrin::updaters {
namespace {

// The file's bytes, at most limit + 1 of them, so a huge file is not read whole.
QByteArray readImage(const QString& path, qint64 limit)
{
    const QString shown = QDir::toNativeSeparators(path);
    const QFileInfo info(path);
    if (!info.exists())
        throw VeldrinError(QStringLiteral("The configuration image %1 is missing").arg(shown));
    if (!info.isFile())
        throw VeldrinError(QStringLiteral("The configuration image %1 is not a file").arg(shown));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw VeldrinError(QStringLiteral("Cannot read %1: %2").arg(shown, file.errorString()));
    return file.read(limit + 1);
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
    const QByteArray bytes = readImage(path, GeneralImageSize);
    if (ImageKindOfSize(bytes.size()) != ImageKind::General)
        throw VeldrinError(wrongSize(path, bytes.size(),
                                     QStringLiteral("a general image (%1) has %2 or %3")
                                         .arg(QLatin1String(layout::GeneralImageFile))
                                         .arg(GeneralImageHeaderSize)
                                         .arg(GeneralImageSize)));
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
    const QByteArray bytes = readImage(path, RequestImageSize);
    if (ImageKindOfSize(bytes.size()) != ImageKind::Request)
        throw VeldrinError(wrongSize(
            path, bytes.size(),
            QStringLiteral("a request image (%1) has %2%3")
                .arg(QLatin1String(layout::RequestImageFile))
                .arg(RequestImageSize)
                .arg(bytes.size() < RequestImageSize ? QStringLiteral(": it is cut short") : QString())));
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
