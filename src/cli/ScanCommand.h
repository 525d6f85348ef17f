// veldrin-cli scan: which slave ids answer on a serial line.
#pragma once

#include "cli/CliCommand.h"
#include "cli/LanguageOption.h"

namespace veldrin::cli {

class ScanCommand : public CliCommand {
public:
    explicit ScanCommand(QString programDir);

    QString name() const override { return QStringLiteral("scan"); }
    QString description() const override;
    QList<CliArgument> arguments() const override;
    QList<QCommandLineOption> options() const override;

protected:
    int run(const QCommandLineParser& commandLine, QTextStream& out, QTextStream& err) override;

private:
    LanguageOption m_languageOption;
    QCommandLineOption m_portOption;
    QCommandLineOption m_idsOption;
    QCommandLineOption m_baudOption;
    QCommandLineOption m_parityOption;
    QCommandLineOption m_stopBitsOption;
    QCommandLineOption m_framingOption;
    QCommandLineOption m_timeoutOption;
    QCommandLineOption m_probeOption;
    QCommandLineOption m_jsonOption;
};

} // namespace veldrin::cli
