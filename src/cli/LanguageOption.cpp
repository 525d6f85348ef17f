#include "cli/LanguageOption.h"

#include "configuration/WorkspaceLayout.h"
#include "lang/LanguageFile.h"
#include "lang/StringTable.h"
#include "session/SettingsFile.h"

#include <QDir>

namespace veldrin::cli {

LanguageOption::LanguageOption(QString programDir)
    : m_programDirOption(QStringLiteral("program-dir"),
                         QStringLiteral("The folder whose settings (Veldrin.xml) and LANGUAGE folder are "
                                        "used (default: the configurator's: the folder veldrin-cli is "
                                        "in, or the user's data folder for an installed veldrin-cli)."),
                         QStringLiteral("DIR")),
      m_languageOption(QStringLiteral("language"),
                       QStringLiteral("The language: NAME.lng in the LANGUAGE folder (default: the "
                                      "language saved in the settings; English when "
                                      "its file is missing)."),
                       QStringLiteral("NAME")),
      m_defaultProgramDir(std::move(programDir)), m_programDir(m_defaultProgramDir)
{}

void LanguageOption::read(const QCommandLineParser& commandLine)
{
    m_programDir =
        commandLine.isSet(m_programDirOption) ? commandLine.value(m_programDirOption) : m_defaultProgramDir;
    m_languageGiven = commandLine.isSet(m_languageOption);
    m_language = commandLine.value(m_languageOption);
}

QString LanguageOption::programDir() const
{
    return QDir::cleanPath(m_programDir);
}

QString LanguageOption::languageDir() const
{
    return layout::In(programDir(), layout::LanguageFolder);
}

QString LanguageOption::selectLanguage(StringTable& table) const
{
    QString language = m_languageGiven
                           ? m_language
                           : ReadSettingsFile(layout::In(programDir(), layout::SettingsFile)).CurrentLanguage;
    return SelectLanguage(table, languageDir(), language);
}

} // namespace veldrin::cli
