#include "widgets/Picture.h"

#include <QImage>
#include <QPixmap>
#include <QResource>

namespace veldrin {

QIcon Picture(const QString& name, int size)
{
    // The build renders NAME-SIZE.rgba for each size a window uses, and twice that size: rows
    // of pixels, four bytes each, red, green, blue and alpha, premultiplied.
    QIcon icon;
    for (const int pixels : {size, 2 * size}) {
        const QResource resource(QStringLiteral(":/icons/%1-%2.rgba").arg(name).arg(pixels));
        const QByteArray bytes = resource.uncompressedData();
        const qsizetype bytesPerLine = qsizetype{pixels} * 4;
        if (bytes.size() != bytesPerLine * pixels)
            continue;
        const QImage image(reinterpret_cast<const uchar*>(bytes.constData()), pixels, pixels, bytesPerLine,
                           QImage::Format_RGBA8888_Premultiplied);
        // fromImage copies the pixels, which the resource's bytes only lend.
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

} // namespace veldrin
