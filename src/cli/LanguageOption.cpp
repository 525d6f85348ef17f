#include "cli/LanguageOption.h"

#include "configuration/WorkspaceLayout.h"
#include "lang/LanguageFile.h"
#include "lang/StringTable.h"
#include "session/SettingsFile.h"

#include <QDir>

namespace veldrin::cli {

bool LanguageOption::take(const QStringList& args, qsizetype& i)
{
    const QString& arg = args[i];
    if ((arg != u"--program-dir" && arg != u"--language") || i + 1 >= args.size())
        return false;
    if (arg == u"--program-dir") {
        m_programDir = args[++i];
    } else {
        m_language = args[++i];
        m_languageGiven = true;
    }
    return true;
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
