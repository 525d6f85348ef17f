// Asks with the desktop's own file dialog.
#pragma once

#include "services/FileChooser.h"

namespace veldrin {

class DialogFileChooser : public FileChooser {
public:
    QString saveFileName(QWidget* parent, const QString& caption, const QString& suggested,
                         const QString& filter) override;
    QString openFileName(QWidget* parent, const QString& caption, const QString& folder,
                         const QString& filter) override;
};

} // namespace veldrin
