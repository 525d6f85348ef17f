// veldrin-cli check: the checks the configurator's dialogs make, run on a configuration's files.
#pragma once

#include "cli/CliCommand.h"
#include "cli/LanguageOption.h"

namespace veldrin::cli {

class CheckCommand : public CliCommand {
public:
    explicit CheckCommand(QString programDir) : m_languageOption(std::move(programDir)) {}

    QString name() const override { return QStringLiteral("check"); }
    QString description() const override;
    QList<CliArgument> arguments() const override;
    QList<QCommandLineOption> options() const override { return m_languageOption.options(); }

protected:
    int run(const QCommandLineParser& commandLine, QTextStream& out, QTextStream& err) override;

private:
    LanguageOption m_languageOption;
};

} // namespace veldrin::cli
