#include "cli/StringsCommand.h"

#include "lang/LanguageFile.h"
#include "lang/StringTable.h"

#include <QDir>
#include <QFileInfo>

namespace veldrin::cli {

StringsCommand::StringsCommand(QString programDir)
    : m_languageOption(std::move(programDir)),
      m_missingOption(QStringLiteral("missing"),
                      QStringLiteral("Prints only the texts the language's file does not set, which "
                                     "show in English."))
{}

QString StringsCommand::description() const
{
    return QStringLiteral("Prints the texts the configurator shows in a language, one line each.\n"
                          "A line holds the text's index, a tab and the text, with tab, CR, LF and\n"
                          "backslash written as \\t, \\r, \\n and \\\\.");
}

QList<QCommandLineOption> StringsCommand::options() const
{
    return m_languageOption.options() << m_missingOption;
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

int StringsCommand::run(const QCommandLineParser& commandLine, QTextStream& out, QTextStream& err)
{
    m_languageOption.read(commandLine);
    const bool missingOnly = commandLine.isSet(m_missingOption);

    const QFileInfo program(m_languageOption.programDir());
    if (!program.isDir() || !program.isReadable()) {
        err << "veldrin-cli strings: cannot read the program folder "
            << QDir::toNativeSeparators(m_languageOption.programDir()) << '\n';
        return ExitUsage;
    }
    const QString languageDir = m_languageOption.languageDir();
    const QFileInfo languages(languageDir);
    if (languages.exists() && (!languages.isDir() || !languages.isReadable() || !languages.isExecutable())) {
        err << "veldrin-cli strings: cannot read the language folder "
            << QDir::toNativeSeparators(languageDir) << '\n';
        return ExitUsage;
    }
    StringTable table;
    const QString applied = m_languageOption.selectLanguage(table);
    QList<bool> isSet(table.StringCount(), false);
    if (missingOnly && !applied.isEmpty()) {
        StringTable scratch;
        scratch.LoadDefaultStrings();
        for (int index : LoadLanguageFile(scratch, applied).value_or(SetIndexes{}))
            isSet[index] = true;
    }
    for (int index = 0; index < table.StringCount(); ++index) {
        if (table.HasText(index) && (!missingOnly || !isSet[index]))
            out << index << '\t' << Escape(table[index]) << '\n';
    }
    return ExitOk;
}

} // namespace veldrin::cli
