#include "widgets/WindowStyle.h"

#include <QLabel>
#include <QScreen>
#include <QStyle>

namespace veldrin {

void ApplyBackground(QWidget* widget, const QColor& colour)
{
    widget->setAutoFillBackground(true);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
}

void StyleCodeLabel(QLabel* label)
{
    QFont font = label->font();
    font.setPointSize(20);
    font.setBold(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(0x70, 0x70, 0x70));
    label->setPalette(palette);
}

void StyleBoldGreyLabel(QLabel* label)
{
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(0x60, 0x60, 0x60));
    label->setPalette(palette);
}

void CentreOnScreen(QWidget* window)
{
    const QScreen* screen = window->screen();
    if (screen == nullptr)
        return;
    window->setGeometry(
        QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, window->size(), screen->availableGeometry()));
}

void PlaceBeside(QWidget* window, const QWidget& parent)
{
    const QRect beside = parent.frameGeometry();
    const QScreen* screen = parent.screen();
    const QRect room = screen ? screen->availableGeometry() : QRect();
    const int width = window->frameGeometry().width();
    int left = beside.right() + 1;
    if (room.isValid() && left + width > room.right() + 1)
        left = beside.left() - width >= room.left() ? beside.left() - width : room.right() + 1 - width;
    window->move(left, beside.top());
}

} // namespace veldrin
