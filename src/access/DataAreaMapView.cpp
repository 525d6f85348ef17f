#include "access/DataAreaMapView.h"

#include "access/DataAreaMapTexts.h"

#include <QAccessible>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>

namespace veldrin {
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

void DataAreaMapView::setPollMarks(PollMarks marks)
{
    m_marks = std::move(marks);
    update();
}

QSize DataAreaMapView::sizeHint() const
{
    return DataAreaMapPainter(m_map).size();
}

QRect DataAreaMapView::byteRect(int byte) const
{
    return DataAreaMapPainter(m_map).byteRect(byte);
}

int DataAreaMapView::byteAt(QPoint point) const
{
    return DataAreaMapPainter(m_map).byteAt(point);
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
    const int bitInByte = DataAreaMapPainter(m_map).bitAt(point);
    // Where no row holds the very bit, a row elsewhere in the byte: a narrow bit span is
    // hard to hit.
    if (const int row = rowAtBit(std::int64_t{byte} * 8 + bitInByte))
        return row;
    return rowAtByte(byte);
}

void DataAreaMapView::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    DataAreaMapPainter(m_map).paint(painter, font(), palette().color(QPalette::Window),
                                    palette().color(QPalette::WindowText), m_currentRow,
                                    m_marks.empty() ? nullptr : &m_marks);
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
