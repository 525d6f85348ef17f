// Qt's own texts (the buttons of message boxes, the context menus of text fields) in the
// language the user chose: the shipped languages have Qt's translations beside the programs;
// any other language keeps Qt's English.
#pragma once

#include <QString>

#include <memory>

class QTranslator;

namespace veldrin {

class QtTranslations {
public:
    // folder: where the translations lie (the program folder's translations).
    explicit QtTranslations(QString folder);
    ~QtTranslations();
    QtTranslations(const QtTranslations&) = delete;
    QtTranslations& operator=(const QtTranslations&) = delete;

    // Puts language's translation in place of the one before, or none when it has none or
    // it cannot be read; true when one is in place.
    bool follow(const QString& language);

    // The file name of language's translation (without the folder), or "" when Qt has none
    // for it.
    static QString FileOf(const QString& language);

private:
    QString m_folder;
    std::unique_ptr<QTranslator> m_translator;
};

} // namespace veldrin
