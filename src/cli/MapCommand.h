// veldrin-cli map: where a configuration's requests land in the device's data areas, and how
// busy they keep the serial line.
#pragma once

#include "cli/CliCommand.h"

namespace veldrin::cli {

class MapCommand : public CliCommand {
public:
    MapCommand();

    QString name() const override { return QStringLiteral("map"); }
    QString description() const override;
    QList<CliArgument> arguments() const override;
    QList<QCommandLineOption> options() const override { return {m_jsonOption, m_turnaroundOption}; }

protected:
    int run(const QCommandLineParser& commandLine, QTextStream& out, QTextStream& err) override;

private:
    QCommandLineOption m_jsonOption;
    QCommandLineOption m_turnaroundOption;
};

} // namespace veldrin::cli
