#include "widgets/VeldrinButton.h"

#include "widgets/Picture.h"

#include <QDialog>
#include <QEvent>
#include <QIcon>
#include <QKeyEvent>

namespace veldrin {

const QColor VeldrinButton::HotTrackColour(0xDD, 0xEB, 0xF7);
const QColor VeldrinButton::PressedColour(0xFF, 0xA5, 0x00);

VeldrinButton::VeldrinButton(const QString& objectName, QWidget* parent) : QPushButton(parent)
{
    setObjectName(objectName);
    setFocusPolicy(Qt::StrongFocus);
    setAutoDefault(false);
    // The colours follow the mouse through the palette: cheaper at start-up than a style
    // sheet on every button of every window.
    m_normal = palette().color(QPalette::Button);
    setAttribute(Qt::WA_Hover);
    connect(this, &QPushButton::pressed, this, &VeldrinButton::showState);
    connect(this, &QPushButton::released, this, &VeldrinButton::showState);
    connect(this, &QPushButton::clicked, this, &VeldrinButton::applyModalResult);
}

bool VeldrinButton::event(QEvent* event)
{
    const bool handled = QPushButton::event(event);
    if (event->type() == QEvent::HoverEnter || event->type() == QEvent::HoverLeave ||
        event->type() == QEvent::EnabledChange)
        showState();
    return handled;
}

void VeldrinButton::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !(event->modifiers() & ~Qt::KeypadModifier)) {
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void VeldrinButton::showState()
{
    QColor colour = m_normal;
    if (isEnabled() && isDown())
        colour = PressedColour;
    else if (isEnabled() && underMouse())
        colour = HotTrackColour;
    QPalette shown = palette();
    if (shown.color(QPalette::Button) == colour)
        return;
    shown.setColor(QPalette::Button, colour);
    setPalette(shown);
}

void VeldrinButton::setPicture(const QString& iconName, int size)
{
    setIcon(Picture(iconName, size));
    setIconSize(QSize(size, size));
}

void VeldrinButton::setHint(const QString& hint)
{
    setToolTip(hint);
    if (text().isEmpty())
        setAccessibleName(hint);
}

void VeldrinButton::setCaption(const QString& caption)
{
    setText(caption);
    setAccessibleName(caption.isEmpty() ? toolTip() : caption);
}

void VeldrinButton::applyModalResult()
{
    if (m_modalResult == ModalResult::None)
        return;
    if (auto* dialog = qobject_cast<QDialog*>(window()))
        dialog->done(m_modalResult == ModalResult::Ok ? QDialog::Accepted : QDialog::Rejected);
}

} // namespace veldrin
