// veldrin-cli diff: what differs between two configurations, image pairs or history entries.
#pragma once

#include "cli/CliCommand.h"

namespace veldrin::cli {

class DiffCommand : public CliCommand {
public:
    DiffCommand();

    QString name() const override { return QStringLiteral("diff"); }
    QString description() const override;
    QList<CliArgument> arguments() const override;
    QList<QCommandLineOption> options() const override { return {m_jsonOption}; }

protected:
    int run(const QCommandLineParser& commandLine, QTextStream& out, QTextStream& err) override;

private:
    QCommandLineOption m_jsonOption;
};

} // namespace veldrin::cli
