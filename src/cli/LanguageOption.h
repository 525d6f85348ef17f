// The options --program-dir and --language of the commands that show the configurator's
// texts: which configurator's folder, and which of its languages.
#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>

namespace veldrin {
class StringTable;
}

namespace veldrin::cli {

class LanguageOption {
public:
    // programDir is the folder used when --program-dir is not given: the configurator's
    // workspace.
    explicit LanguageOption(QString programDir);

    // The two options, for a command to add to its own.
    QList<QCommandLineOption> options() const { return {m_programDirOption, m_languageOption}; }
    // Takes their values from a command line parsed with options() among its options; an
    // option not given there falls back to its default.
    void read(const QCommandLineParser& commandLine);

    QString programDir() const;
    QString languageDir() const;
    // Builds the texts of the language named, else of the one saved in the folder's settings,
    // as the configurator would; gives the language file applied, or "".
    QString selectLanguage(StringTable& table) const;

private:
    QCommandLineOption m_programDirOption;
    QCommandLineOption m_languageOption;
    QString m_defaultProgramDir;
    QString m_programDir;
    QString m_language;
    bool m_languageGiven = false;
};

} // namespace veldrin::cli
