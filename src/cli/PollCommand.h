// veldrin-cli poll: runs a configuration's read requests on a serial line, with the device's
// own settings, before anything is loaded into the device.
#pragma once

#include "cli/CliCommand.h"
#include "cli/LanguageOption.h"

namespace veldrin::cli {

class PollCommand : public CliCommand {
public:
    explicit PollCommand(QString programDir);

    QString name() const override { return QStringLiteral("poll"); }
    QString description() const override;
    QList<CliArgument> arguments() const override;
    QList<QCommandLineOption> options() const override;

protected:
    int run(const QCommandLineParser& commandLine, QTextStream& out, QTextStream& err) override;

private:
    LanguageOption m_languageOption;
    QCommandLineOption m_portOption;
    QCommandLineOption m_roundsOption;
    QCommandLineOption m_rowsOption;
    QCommandLineOption m_timeoutOption;
    QCommandLineOption m_trafficOption;
    QCommandLineOption m_jsonOption;
};

} // namespace veldrin::cli
