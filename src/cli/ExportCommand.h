// veldrin-cli export: a configuration's request tables as CSV files for spreadsheets.
#pragma once

#include "cli/CliCommand.h"

namespace veldrin::cli {

class ExportCommand : public CliCommand {
public:
    ExportCommand();

    QString name() const override { return QStringLiteral("export"); }
    QString description() const override;
    QList<CliArgument> arguments() const override;
    QList<QCommandLineOption> options() const override { return {m_readOption, m_writeOption}; }

protected:
    int run(const QCommandLineParser& commandLine, QTextStream& out, QTextStream& err) override;

private:
    QCommandLineOption m_readOption;
    QCommandLineOption m_writeOption;
};

} // namespace veldrin::cli
