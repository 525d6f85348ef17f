// veldrin-cli inspect: what a bank.bin or bank2.bin holds, field by field.
#pragma once

#include "cli/CliCommand.h"

namespace veldrin::cli {

class ImageReportCommand : public CliCommand {
public:
    ImageReportCommand();

    QString name() const override { return QStringLiteral("inspect"); }
    QString description() const override;
    QList<CliArgument> arguments() const override;
    QList<QCommandLineOption> options() const override { return {m_jsonOption}; }

protected:
    int run(const QCommandLineParser& commandLine, QTextStream& out, QTextStream& err) override;

private:
    QCommandLineOption m_jsonOption;
};

} // namespace veldrin::cli
