#include "services/DialogFileChooser.h"

#include <QFileDialog>

namespace veldrin {

QString DialogFileChooser::saveFileName(QWidget* parent, const QString& caption, const QString& suggested,
                                        const QString& filter)
{
    return QFileDialog::getSaveFileName(parent, caption, suggested, filter);
}

} // namespace veldrin
