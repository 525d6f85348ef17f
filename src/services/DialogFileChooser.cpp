#include "services/DialogFileChooser.h"

#include <QFileDialog>

namespace veldrin {

QString DialogFileChooser::saveFileName(QWidget* parent, const QString& caption, const QString& suggested,
                                        const QString& filter)
{
    return QFileDialog::getSaveFileName(parent, caption, suggested, filter);
}

QString DialogFileChooser::openFileName(QWidget* parent, const QString& caption, const QString& folder,
                                        const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, caption, folder, filter);
}

} // namespace veldrin
