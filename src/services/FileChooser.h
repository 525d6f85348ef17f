// Asks the user where to save a file, so tests can answer in the user's place.
#pragma once

#include <QString>

class QWidget;

namespace veldrin {

class FileChooser {
public:
    virtual ~FileChooser() = default;
    // The path the user chose to save to, starting from suggested; empty when cancelled.
    // filter is the file-type line of the chooser, e.g. "PNG pictures (*.png)".
    virtual QString saveFileName(QWidget* parent, const QString& caption, const QString& suggested,
                                 const QString& filter) = 0;
};

} // namespace veldrin
