#include "common/MessageBoxPrompts.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

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

int MessageBoxPrompts::choose(const QString& text, const QStringList& choices)
{
    QMessageBox box(QMessageBox::Question, QApplication::applicationDisplayName(), text, QMessageBox::Cancel,
                    owner());
    QList<QAbstractButton*> buttons;
    for (const QString& choice : choices)
        buttons.append(box.addButton(choice, QMessageBox::AcceptRole));
    if (!buttons.isEmpty())
        box.setDefaultButton(static_cast<QPushButton*>(buttons.first()));
    box.setEscapeButton(QMessageBox::Cancel);
    box.exec();
    return static_cast<int>(buttons.indexOf(box.clickedButton()));
}

} // namespace veldrin
