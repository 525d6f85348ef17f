// Renders the configurator's pictures, drawn as SVG, into plain pixels at the sizes its windows
// show them, each also at twice the size for screens that scale by 2, so that a window shows
// them without loading an SVG renderer or an image reader; and the application's icon into the
// PNG files of the desktop's icon theme. Runs at build time.
// Usage: render_icons [--png] OUT_DIR SIZES SVG...  (SIZES: pixel sizes separated by commas)
// Writes OUT_DIR/NAME-SIZE.rgba for every SVG, every size and its double: SIZE rows of SIZE
// pixels, each pixel four bytes, red, green, blue and alpha, the colours premultiplied. With
// --png, writes OUT_DIR/SIZExSIZE/NAME.png for every SVG and every size, as an icon theme holds
// them.
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char* argv[])
{
    // Draws offscreen: no display is needed to build.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const bool png = argc > 1 && qstrcmp(argv[1], "--png") == 0;
    const int first = png ? 2 : 1;
    if (argc < first + 3) {
        std::fprintf(stderr, "usage: render_icons [--png] OUT_DIR SIZES SVG...\n");
        return 2;
    }
    const QString outDir = QString::fromLocal8Bit(argv[first]);
    QList<int> sizes;
    for (const QByteArray& size : QByteArray(argv[first + 1]).split(',')) {
        bool ok = false;
        const int pixels = size.toInt(&ok);
        if (!ok || pixels <= 0 || pixels > 512) {
            std::fprintf(stderr, "render_icons: %s is not a size\n", size.constData());
            return 2;
        }
        for (const int each : {pixels, 2 * pixels}) {
            if (!sizes.contains(each) && (each == pixels || !png))
                sizes << each;
        }
    }
    for (int i = first + 2; i < argc; ++i) {
        const QString svg = QString::fromLocal8Bit(argv[i]);
        QSvgRenderer renderer(svg);
        if (!renderer.isValid()) {
            std::fprintf(stderr, "render_icons: %s is not a picture that can be drawn\n", argv[i]);
            return 1;
        }
        for (const int pixels : sizes) {
            QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            QPainter painter(&image);
            renderer.render(&painter);
            painter.end();
            if (png) {
                const QString folder = QStringLiteral("%1/%2x%2").arg(outDir).arg(pixels);
                const QString path =
                    QStringLiteral("%1/%2.png").arg(folder, QFileInfo(svg).completeBaseName());
                QSaveFile file(path);
                if (!QDir().mkpath(folder) || !file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") ||
                    !file.commit()) {
                    std::fprintf(stderr, "render_icons: cannot write %s: %s\n", qPrintable(path),
                                 qPrintable(file.errorString()));
                    return 1;
                }
                continue;
            }
            const QImage pixelsOut = image.convertToFormat(QImage::Format_RGBA8888_Premultiplied);
            const QString path =
                QStringLiteral("%1/%2-%3.rgba").arg(outDir, QFileInfo(svg).completeBaseName()).arg(pixels);
            QSaveFile file(path);
            const auto bytes = static_cast<qint64>(pixelsOut.sizeInBytes());
            if (!file.open(QIODevice::WriteOnly) ||
                file.write(reinterpret_cast<const char*>(pixelsOut.constBits()), bytes) != bytes ||
                !file.commit()) {
                std::fprintf(stderr, "render_icons: cannot write %s: %s\n", qPrintable(path),
                             qPrintable(file.errorString()));
                return 1;
            }
        }
    }
    return 0;
}
