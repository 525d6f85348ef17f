// veldrin-cli compile: a configuration's two XML files into bank.bin and bank2.bin.
#pragma once

#include "cli/CliCommand.h"

namespace veldrin::cli {

class CompileCommand : public CliCommand {
public:
    CompileCommand();

    QString name() const override { return QStringLiteral("compile"); }
    QString description() const override;
    QList<CliArgument> arguments() const override;
    QList<QCommandLineOption> options() const override { return {m_outOption}; }

protected:
    int run(const QCommandLineParser& commandLine, QTextStream& out, QTextStream& err) override;

private:
    QCommandLineOption m_outOption;
};

} // namespace veldrin::cli
