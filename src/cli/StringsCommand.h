// veldrin-cli strings: the user-interface texts the configurator would show.
#pragma once

#include "cli/CliCommand.h"
#include "cli/LanguageOption.h"

namespace veldrin::cli {

class StringsCommand : public CliCommand {
public:
    explicit StringsCommand(QString programDir);

    QString name() const override { return QStringLiteral("strings"); }
    QString description() const override;
    QList<QCommandLineOption> options() const override;

    // A text on one line: tab, CR, LF and backslash as \t, \r, \n and \\.
    static QString Escape(const QString& text);

protected:
    int run(const QCommandLineParser& commandLine, QTextStream& out, QTextStream& err) override;

private:
    LanguageOption m_languageOption;
    QCommandLineOption m_missingOption;
};

} // namespace veldrin::cli
