// Asks the user which file to open or where to save one, so tests can answer in the user's
// place.
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
    // The existing file the user chose to open, starting in folder; empty when cancelled.
    virtual QString openFileName(QWidget* parent, const QString& caption, const QString& folder,
                                 const QString& filter) = 0;
};

} // namespace veldrin
