// veldrin-cli import: request tables from CSV files into a configuration, checked as the
// configurator checks them before it saves.
#pragma once

#include "cli/CliCommand.h"
#include "cli/LanguageOption.h"

namespace veldrin::cli {

class ImportCommand : public CliCommand {
public:
    explicit ImportCommand(QString programDir);

    QString name() const override { return QStringLiteral("import"); }
    QString description() const override;
    QList<CliArgument> arguments() const override;
    QList<QCommandLineOption> options() const override;

protected:
    int run(const QCommandLineParser& commandLine, QTextStream& out, QTextStream& err) override;

private:
    QCommandLineOption m_readOption;
    QCommandLineOption m_writeOption;
    QCommandLineOption m_appendOption;
    LanguageOption m_languageOption;
};

} // namespace veldrin::cli
