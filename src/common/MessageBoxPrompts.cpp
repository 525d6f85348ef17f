#include "common/MessageBoxPrompts.h"

#include <QApplication>
#include <QMessageBox>

namespace veldrin {

QWidget* MessageBoxPrompts::owner() const
{
    if (QWidget* active = QApplication::activeModalWidget())
        return active;
    if (QWidget* active = QApplication::activeWindow())
        return active;
    return m_parent;
}

void MessageBoxPrompts::error(const QString& text)
{
    QMessageBox::critical(owner(), QApplication::applicationDisplayName(), text, QMessageBox::Ok);
}

void MessageBoxPrompts::warning(const QString& text)
{
    QMessageBox::warning(owner(), QApplication::applicationDisplayName(), text, QMessageBox::Ok);
}

bool MessageBoxPrompts::question(const QString& text)
{
    return QMessageBox::question(owner(), QApplication::applicationDisplayName(), text,
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

} // namespace veldrin
