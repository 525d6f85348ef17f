#include "access/DataAreaMapPainter.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace veldrin {
namespace {

using Painter = DataAreaMapPainter;

// The byte offsets of the lines stand left of the grid, the column numbers above it.
constexpr int Gutter = 36;
constexpr int Header = 16;
constexpr std::int64_t BitsPerLine = std::int64_t{Painter::BytesPerLine} * 8;

const QColor GridColour(0xC8, 0xC8, 0xC8);
const QColor OverlapColour(0xC0, 0x00, 0x00);
const QColor AnsweredColour(0x00, 0x80, 0x00);

// Neighbouring rows get hues far apart, so their spans stand out from each other.
QColor rowColour(int row)
{
    const double hue = std::fmod(row * 0.6180339887498949, 1.0);
    return QColor::fromHsvF(static_cast<float>(hue), 0.45F, 0.97F);
}

int lineCount(const AreaMap& map)
{
    return (map.size + Painter::BytesPerLine - 1) / Painter::BytesPerLine;
}

} // namespace

QSize DataAreaMapPainter::size() const
{
    return {Gutter + BytesPerLine * CellWidth + 1, Header + lineCount(m_map) * CellHeight + 1};
}

QRect DataAreaMapPainter::byteRect(int byte) const
{
    return {Gutter + (byte % BytesPerLine) * CellWidth, Header + (byte / BytesPerLine) * CellHeight,
            CellWidth, CellHeight};
}

int DataAreaMapPainter::byteAt(QPoint point) const
{
    if (point.x() < Gutter || point.y() < Header)
        return -1;
    const int column = (point.x() - Gutter) / CellWidth;
    const int line = (point.y() - Header) / CellHeight;
    if (column >= BytesPerLine)
        return -1;
    const int byte = line * BytesPerLine + column;
    return byte < m_map.size ? byte : -1;
}

int DataAreaMapPainter::bitAt(QPoint point) const
{
    return std::clamp((point.x() - Gutter) % CellWidth * 8 / CellWidth, 0, 7);
}

void DataAreaMapPainter::paintSpan(QPainter& painter, const BitRange& bits, const QBrush& brush,
                                   const QPen& pen) const
{
    const std::int64_t lastBit = std::min<std::int64_t>(bits.last, std::int64_t{m_map.size} * 8 - 1);
    for (std::int64_t from = bits.first; from <= lastBit;) {
        const std::int64_t line = from / BitsPerLine;
        const std::int64_t to = std::min(lastBit, (line + 1) * BitsPerLine - 1);
        const double left = Gutter + static_cast<double>(from - line * BitsPerLine) * CellWidth / 8.0;
        const double right = Gutter + static_cast<double>(to + 1 - line * BitsPerLine) * CellWidth / 8.0;
        const QRectF segment(left, Header + static_cast<double>(line) * CellHeight, right - left, CellHeight);
        painter.fillRect(segment, brush);
        painter.setPen(pen);
        painter.drawRect(segment.adjusted(0.5, 0.5, -0.5, -0.5));
        from = to + 1;
    }
}

void DataAreaMapPainter::paint(QPainter& painter, const QFont& font, const QColor& background,
                               const QColor& text, int currentRow, const PollMarks* marks) const
{
    painter.fillRect(QRect(QPoint(0, 0), size()), background);

    // The column numbers and the line offsets.
    QFont small = font;
    small.setPointSizeF(small.pointSizeF() * 0.8);
    painter.setFont(small);
    painter.setPen(text);
    for (int column = 0; column < BytesPerLine; column += 8) {
        painter.drawText(QRect(Gutter + column * CellWidth, 0, CellWidth * 2, Header),
                         Qt::AlignLeft | Qt::AlignVCenter, QString::number(column));
    }
    const int lines = lineCount(m_map);
    for (int line = 0; line < lines; ++line) {
        painter.drawText(QRect(0, Header + line * CellHeight, Gutter - 4, CellHeight),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(line * BytesPerLine));
    }

    // The bytes, plain; a used byte is painted over below.
    painter.setPen(GridColour);
    for (int byte = 0; byte < m_map.size; ++byte) {
        const QRect cell = byteRect(byte);
        painter.fillRect(cell, Qt::white);
        painter.drawRect(cell);
    }

    for (const RowSpan& span : m_map.spans) {
        const QColor colour = rowColour(span.row);
        paintSpan(painter, span.bits, colour, QPen(colour.darker(160)));
    }
    const QBrush hatch(OverlapColour, Qt::BDiagPattern);
    for (const Overlap& overlap : m_map.overlaps)
        paintSpan(painter, overlap.bits, hatch, QPen(OverlapColour));

    // Each span labelled with its row where the label fits, on its first line.
    painter.setPen(Qt::black);
    const QFontMetrics metrics(small);
    for (const RowSpan& span : m_map.spans) {
        const QString label = QString::number(span.row);
        const std::int64_t line = span.bits.first / BitsPerLine;
        if (line >= lines)
            continue;
        const std::int64_t lineEnd = std::min<std::int64_t>(span.bits.last, (line + 1) * BitsPerLine - 1);
        const double left =
            Gutter + static_cast<double>(span.bits.first - line * BitsPerLine) * CellWidth / 8.0;
        const double width = static_cast<double>(lineEnd + 1 - span.bits.first) * CellWidth / 8.0;
        if (metrics.horizontalAdvance(label) + 2 > width)
            continue;
        painter.drawText(QRectF(left, Header + static_cast<double>(line) * CellHeight, width, CellHeight),
                         Qt::AlignCenter, label);
    }

    if (marks != nullptr) {
        const QBrush silent(Qt::black, Qt::DiagCrossPattern);
        for (const RowSpan& span : m_map.spans) {
            if (std::find(marks->silent.begin(), marks->silent.end(), span.row) != marks->silent.end())
                paintSpan(painter, span.bits, silent, QPen(Qt::black, 1, Qt::DashLine));
            else if (std::find(marks->answered.begin(), marks->answered.end(), span.row) !=
                     marks->answered.end())
                paintSpan(painter, span.bits, Qt::NoBrush, QPen(AnsweredColour, 2));
        }
    }
    for (const RowSpan& span : m_map.spans) {
        if (span.row == currentRow)
            paintSpan(painter, span.bits, Qt::NoBrush, QPen(Qt::black, 2));
    }
}

QImage DataAreaMapImage(const AreaMap& map, const QFont& font, double scale)
{
    const DataAreaMapPainter painter(map);
    QImage image(painter.size() * scale, QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    QPainter on(&image);
    painter.paint(on, font, Qt::white, Qt::black);
    return image;
}

} // namespace veldrin
