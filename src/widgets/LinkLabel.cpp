#include "widgets/LinkLabel.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace veldrin {

LinkLabel::LinkLabel(const QString& objectName, QWidget* parent) : QLabel(parent)
{
    setObjectName(objectName);
    // Plain text drawn as a link: a rich-text label would make its link a second Tab stop, and
    // cost the start a document per label.
    setTextFormat(Qt::PlainText);
    setFocusPolicy(Qt::NoFocus);
    connect(this, &QLabel::linkActivated, this, [this] { Q_EMIT linkClicked(m_target); });
}

void LinkLabel::setLink(const QUrl& target, const QString& text)
{
    m_target = target;
    setText(text);
    showAsLink(true);
    setAccessibleName(text);
    setAccessibleDescription(target.toString());
    adjustSize();
}

void LinkLabel::setPlainText(const QString& text)
{
    m_target = QUrl();
    setText(text);
    showAsLink(false);
    setAccessibleName(text);
    setAccessibleDescription(QString());
    adjustSize();
}

void LinkLabel::showAsLink(bool link)
{
    QFont shown = font();
    shown.setUnderline(link);
    setFont(shown);
    setForegroundRole(link ? QPalette::Link : QPalette::WindowText);
    setFocusPolicy(link ? Qt::StrongFocus : Qt::NoFocus);
    if (link)
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
}

void LinkLabel::follow()
{
    Q_EMIT linkActivated(m_target.toString(QUrl::FullyEncoded));
}

void LinkLabel::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (!m_target.isEmpty() && (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)) {
        follow();
        return;
    }
    QLabel::keyPressEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_target.isEmpty() && event->button() == Qt::LeftButton &&
        rect().contains(event->position().toPoint())) {
        follow();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

void LinkLabel::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QStylePainter painter(this);
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
}

} // namespace veldrin
