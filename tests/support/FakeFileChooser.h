// Answers the file chooser with a path set beforehand, and records what it was asked last.
#pragma once

#include "services/FileChooser.h"

namespace veldrin::test {

class FakeFileChooser : public FileChooser {
public:
    QString saveFileName(QWidget*, const QString& caption, const QString& suggested,
                         const QString& filter) override
    {
        return asks(caption, suggested, filter);
    }
    QString openFileName(QWidget*, const QString& caption, const QString& folder,
                         const QString& filter) override
    {
        return asks(caption, folder, filter);
    }

    // The path given back; empty answers as a cancel.
    QString answer;
    int asked = 0;
    QString lastCaption;
    QString lastSuggested;
    QString lastFilter;

private:
    QString asks(const QString& caption, const QString& suggested, const QString& filter)
    {
        ++asked;
        lastCaption = caption;
        lastSuggested = suggested;
        lastFilter = filter;
        return answer;
    }
};

} // namespace veldrin::test
