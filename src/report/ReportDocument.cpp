#include "report/ReportDocument.h"

#include "access/DataAreaMapPainter.h"
#include "common/AtomicFile.h"
#include "session/Identity.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>
#include <QUrl>

namespace veldrin {
namespace {

// The maps are drawn at twice their size, so they stay sharp in print and when zoomed.
constexpr double MapScale = 2.0;
// The PDF's unit: the pixels the document is laid out in.
constexpr int PdfResolution = 96;
constexpr double MarginMm = 15.0;

QByteArray pngOf(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

std::array<QImage, 2> mapImages(const ReportFacts& facts)
{
    return {DataAreaMapImage(facts.maps[0], QFont(), MapScale),
            DataAreaMapImage(facts.maps[1], QFont(), MapScale)};
}

} // namespace

QByteArray ReportHtmlBytes(const ReportFacts& facts, const StringTable& strings)
{
    const std::array<QImage, 2> images = mapImages(facts);
    MapPictureSources sources;
    for (std::size_t area = 0; area < images.size(); ++area)
        sources.at(area) =
            QStringLiteral("data:image/png;base64,") + QString::fromLatin1(pngOf(images.at(area)).toBase64());
    return CommissioningReportHtml(facts, strings, sources).toUtf8();
}

QByteArray ReportPdfBytes(const ReportFacts& facts, const StringTable& strings)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(MarginMm, MarginMm, MarginMm, MarginMm),
                                     QPageLayout::Millimeter));
    writer.setResolution(PdfResolution);
    writer.setTitle(QStringLiteral("%1 - %2").arg(CommissioningReportTitle(strings), facts.name));
    writer.setCreator(QStringLiteral("%1 %2").arg(QLatin1String(identity::SoftwareCode),
                                                  QLatin1String(identity::SoftwareVersion)));

    QTextDocument document;
    document.documentLayout()->setPaintDevice(&writer);
    const std::array<QImage, 2> images = mapImages(facts);
    const MapPictureSources sources = {QStringLiteral("veldrin-map:input"),
                                       QStringLiteral("veldrin-map:output")};
    for (std::size_t area = 0; area < images.size(); ++area)
        document.addResource(QTextDocument::ImageResource, QUrl(sources.at(area)), images.at(area));
    document.setHtml(CommissioningReportHtml(facts, strings, sources));

    // Each page: its share of the document, then the footer line with the page number.
    QPainter painter(&writer);
    const QRectF area = writer.pageLayout().paintRectPixels(writer.resolution());
    QFont footerFont = document.defaultFont();
    footerFont.setPointSizeF(8);
    const double footerHeight = QFontMetricsF(footerFont, &writer).height() * 2;
    const QSizeF pageSize(area.width(), area.height() - footerHeight);
    document.setPageSize(pageSize);
    const int pages = document.pageCount();
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            writer.newPage();
        const QRectF shown(0, page * pageSize.height(), pageSize.width(), pageSize.height());
        painter.save();
        painter.setClipRect(QRectF(QPointF(0, 0), pageSize));
        painter.translate(0, -shown.top());
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = shown;
        context.palette.setColor(QPalette::Text, Qt::black);
        document.documentLayout()->draw(&painter, context);
        painter.restore();
        painter.setFont(footerFont);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(0, pageSize.height(), pageSize.width(), footerHeight),
                         Qt::AlignRight | Qt::AlignBottom, ReportPageFooter(facts, page + 1, pages, strings));
    }
    painter.end();
    return bytes;
}

void WriteCommissioningReport(const ReportFacts& facts, const StringTable& strings, ReportFormat format,
                              const QString& path)
{
    WriteFileAtomically(path, format == ReportFormat::Html ? ReportHtmlBytes(facts, strings)
                                                           : ReportPdfBytes(facts, strings));
}

} // namespace veldrin
