#include "access/DataAreaMapView.h"

#include "access/DataAreaMapTexts.h"

#include <QAccessible>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace veldrin {
namespace {

constexpr int CellWidth = 22;
constexpr int CellHeight = 20;
// The byte offsets of the lines stand left of the grid, the column numbers above it.
constexpr int Gutter = 36;
constexpr int Header = 16;
constexpr std::int64_t BitsPerLine = std::int64_t{DataAreaMapView::BytesPerLine} * 8;

const QColor GridColour(0xC8, 0xC8, 0xC8);
const QColor OverlapColour(0xC0, 0x00, 0x00);

// Neighbouring rows get hues far apart, so their spans stand out from each other.
QColor rowColour(int row)
{
    const double hue = std::fmod(row * 0.6180339887498949, 1.0);
    return QColor::fromHsvF(static_cast<float>(hue), 0.45F, 0.97F);
}

} // namespace

DataAreaMapView::DataAreaMapView(TableKind kind, const QString& objectName, const StringTable& strings,
                                 QWidget* parent)
    : QWidget(parent), m_strings(strings)
{
    m_map.kind = kind;
    m_map.size = NByte(kind);
    setObjectName(objectName);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void DataAreaMapView::setMap(AreaMap map, const RequestTable& table)
{
    const bool resized = map.size != m_map.size;
    m_map = std::move(map);
    m_table = &table;
    m_cursor = std::clamp(m_cursor, 0, std::max(0, m_map.size - 1));
    if (resized)
        updateGeometry();
    setAccessibleDescription(ByteDescription(m_map, table, m_cursor, m_strings));
    update();
}

void DataAreaMapView::setCurrentRow(int row)
{
    if (row == m_currentRow)
        return;
    m_currentRow = row;
    update();
}

QSize DataAreaMapView::sizeHint() const
{
    const int lines = (m_map.size + BytesPerLine - 1) / BytesPerLine;
    return {Gutter + BytesPerLine * CellWidth + 1, Header + lines * CellHeight + 1};
}

QRect DataAreaMapView::byteRect(int byte) const
{
    return {Gutter + (byte % BytesPerLine) * CellWidth, Header + (byte / BytesPerLine) * CellHeight,
            CellWidth, CellHeight};
}

int DataAreaMapView::byteAt(QPoint point) const
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

int DataAreaMapView::rowAtBit(std::int64_t bit) const
{
    // The spans are drawn in row order, so the last one that holds the bit is on top.
    const auto found = std::find_if(m_map.spans.rbegin(), m_map.spans.rend(), [bit](const RowSpan& span) {
        return span.bits.first <= bit && bit <= span.bits.last;
    });
    return found == m_map.spans.rend() ? 0 : found->row;
}

int DataAreaMapView::rowAtByte(int byte) const
{
    const auto found = std::find_if(m_map.spans.rbegin(), m_map.spans.rend(), [byte](const RowSpan& span) {
        return span.bits.firstByte() <= byte && byte <= span.bits.lastByte();
    });
    return found == m_map.spans.rend() ? 0 : found->row;
}

int DataAreaMapView::rowAt(QPoint point) const
{
    const int byte = byteAt(point);
    if (byte < 0)
        return 0;
    const int bitInByte = (point.x() - byteRect(byte).left()) * 8 / CellWidth;
    // Where no row holds the very bit, a row elsewhere in the byte: a narrow bit span is
    // hard to hit.
    if (const int row = rowAtBit(std::int64_t{byte} * 8 + bitInByte))
        return row;
    return rowAtByte(byte);
}

void DataAreaMapView::paintSpan(QPainter& painter, const BitRange& bits, const QBrush& brush,
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

void DataAreaMapView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().window());

    // The column numbers and the line offsets.
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.8);
    painter.setFont(small);
    painter.setPen(palette().color(QPalette::WindowText));
    for (int column = 0; column < BytesPerLine; column += 8) {
        painter.drawText(QRect(Gutter + column * CellWidth, 0, CellWidth * 2, Header),
                         Qt::AlignLeft | Qt::AlignVCenter, QString::number(column));
    }
    const int lines = (m_map.size + BytesPerLine - 1) / BytesPerLine;
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

    // The row current in the grid, outlined.
    for (const RowSpan& span : m_map.spans) {
        if (span.row == m_currentRow)
            paintSpan(painter, span.bits, Qt::NoBrush, QPen(Qt::black, 2));
    }
    if (hasFocus() && m_cursor < m_map.size) {
        QPen cursorPen(palette().color(QPalette::Highlight), 2, Qt::DotLine);
        painter.setPen(cursorPen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(byteRect(m_cursor).adjusted(1, 1, -1, -1));
    }
}

bool DataAreaMapView::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip && m_table) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int byte = byteAt(help->pos());
        if (byte < 0)
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), ByteDescription(m_map, *m_table, byte, m_strings), this,
                               byteRect(byte));
        return true;
    }
    return QWidget::event(event);
}

void DataAreaMapView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    const QPoint point = event->position().toPoint();
    if (const int byte = byteAt(point); byte >= 0)
        moveCursor(byte);
    if (const int row = rowAt(point))
        Q_EMIT rowPicked(row);
}

void DataAreaMapView::keyPressEvent(QKeyEvent* event)
{
    const bool control = event->modifiers() & Qt::ControlModifier;
    const int lineStart = m_cursor - m_cursor % BytesPerLine;
    switch (event->key()) {
    case Qt::Key_Left:
        return moveCursor(m_cursor - 1);
    case Qt::Key_Right:
        return moveCursor(m_cursor + 1);
    case Qt::Key_Up:
        return moveCursor(m_cursor - BytesPerLine);
    case Qt::Key_Down:
        return moveCursor(m_cursor + BytesPerLine);
    case Qt::Key_PageUp:
        return moveCursor(m_cursor - 8 * BytesPerLine);
    case Qt::Key_PageDown:
        return moveCursor(m_cursor + 8 * BytesPerLine);
    case Qt::Key_Home:
        return moveCursor(control ? 0 : lineStart);
    case Qt::Key_End:
        return moveCursor(control ? m_map.size - 1 : lineStart + BytesPerLine - 1);
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (const int row = rowAtByte(m_cursor))
            Q_EMIT rowPicked(row);
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void DataAreaMapView::moveCursor(int byte)
{
    const int moved = std::clamp(byte, 0, std::max(0, m_map.size - 1));
    if (moved == m_cursor)
        return;
    update(byteRect(m_cursor));
    m_cursor = moved;
    update(byteRect(m_cursor));
    if (m_table) {
        setAccessibleDescription(ByteDescription(m_map, *m_table, m_cursor, m_strings));
        QAccessibleEvent changed(this, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&changed);
    }
}

} // namespace veldrin
