#include "widgets/VeldrinButton.h"

#include <QDialog>
#include <QIcon>

namespace veldrin {

const QColor VeldrinButton::HotTrackColour(0xDD, 0xEB, 0xF7);
const QColor VeldrinButton::PressedColour(0xFF, 0xA5, 0x00);

VeldrinButton::VeldrinButton(const QString& objectName, QWidget* parent) : QPushButton(parent)
{
    setObjectName(objectName);
    setFocusPolicy(Qt::StrongFocus);
    setAutoDefault(false);
    setStyleSheet(QStringLiteral("QPushButton { background-color: #f4f4ec; border: 1px solid #a0a0a0;"
                                 " border-radius: 3px; padding: 2px 6px; }"
                                 "QPushButton:focus { border: 1px solid #3c78c8; }"
                                 "QPushButton:hover { background-color: %1; }"
                                 "QPushButton:pressed { background-color: %2; }"
                                 "QPushButton:disabled { color: #a0a0a0; background-color: #ececE4; }")
                      .arg(HotTrackColour.name(), PressedColour.name()));
    connect(this, &QPushButton::clicked, this, &VeldrinButton::applyModalResult);
}

void VeldrinButton::setPicture(const QString& iconName, int size)
{
    setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(iconName)));
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
