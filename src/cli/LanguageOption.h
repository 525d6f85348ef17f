// The options --program-dir and --language of the commands that show the configurator's
// texts: which installation, and which of its languages.
#pragma once

#include <QString>
#include <QStringList>

namespace veldrin {
class StringTable;
}

namespace veldrin::cli {

class LanguageOption {
public:
    explicit LanguageOption(QString programDir) : m_programDir(std::move(programDir)) {}

    // Takes the option at args[i] with its value and moves i past it; false when args[i] is
    // not one of the two options or its value is missing.
    bool take(const QStringList& args, qsizetype& i);

    QString programDir() const;
    QString languageDir() const;
    // Builds the texts of the language named, else of the one saved in the installation's
    // settings, as the configurator would; gives the language file applied, or "".
    QString selectLanguage(StringTable& table) const;

    static QString Usage() { return QStringLiteral("[--program-dir DIR] [--language NAME]"); }

private:
    QString m_programDir;
    QString m_language;
    bool m_languageGiven = false;
};

} // namespace veldrin::cli
