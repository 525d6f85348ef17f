#include "cli/StringsCommand.h"

#include "cli/LanguageOption.h"
#include "lang/LanguageFile.h"
#include "lang/StringTable.h"

#include <QDir>
#include <QFileInfo>

namespace veldrin::cli {

QString StringsCommand::usage() const
{
    return QStringLiteral("strings ") + LanguageOption::Usage() +
           QStringLiteral(" [--missing]   the texts the "
                          "configurator shows for a language, one line per entry (index, tab, text)");
}

QString StringsCommand::Escape(const QString& text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (QChar c : text) {
        switch (c.unicode()) {
        case u'\\':
            escaped += QStringLiteral("\\\\");
            break;
        case u'\t':
            escaped += QStringLiteral("\\t");
            break;
        case u'\r':
            escaped += QStringLiteral("\\r");
            break;
        case u'\n':
            escaped += QStringLiteral("\\n");
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

int StringsCommand::run(const QStringList& args, QTextStream& out, QTextStream& err)
{
    LanguageOption languageOption(m_programDir);
    bool missingOnly = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (languageOption.take(args, i)) {
            continue;
        } else if (arg == u"--missing") {
            missingOnly = true;
        } else {
            err << "veldrin-cli strings: unknown or incomplete option '" << arg << "'\n" << usage() << '\n';
            return ExitUsage;
        }
    }

    const QFileInfo program(languageOption.programDir());
    if (!program.isDir() || !program.isReadable()) {
        err << "veldrin-cli strings: cannot read the program folder "
            << QDir::toNativeSeparators(languageOption.programDir()) << '\n';
        return ExitUsage;
    }
    const QString languageDir = languageOption.languageDir();
    const QFileInfo languages(languageDir);
    if (languages.exists() && (!languages.isDir() || !languages.isReadable() || !languages.isExecutable())) {
        err << "veldrin-cli strings: cannot read the language folder "
            << QDir::toNativeSeparators(languageDir) << '\n';
        return ExitUsage;
    }
    StringTable table;
    const QString applied = languageOption.selectLanguage(table);
    QList<bool> isSet(table.StringCount(), false);
    if (missingOnly && !applied.isEmpty()) {
        StringTable scratch;
        scratch.LoadDefaultStrings();
        for (int index : LoadLanguageFile(scratch, applied).value_or(SetIndexes{}))
            isSet[index] = true;
    }
    for (int index = 0; index < table.StringCount(); ++index) {
        if (!missingOnly || !isSet[index])
            out << index << '\t' << Escape(table[index]) << '\n';
    }
    return ExitOk;
}

} // namespace veldrin::cli
