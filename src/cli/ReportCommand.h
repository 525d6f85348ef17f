// veldrin-cli report: the commissioning report of a configuration, as an HTML page or a PDF.
#pragma once

#include "cli/CliCommand.h"
#include "cli/LanguageOption.h"

namespace veldrin::cli {

class ReportCommand : public CliCommand {
public:
    explicit ReportCommand(QString programDir);

    QString name() const override { return QStringLiteral("report"); }
    QString description() const override;
    QList<CliArgument> arguments() const override;
    QList<QCommandLineOption> options() const override;

protected:
    int run(const QCommandLineParser& commandLine, QTextStream& out, QTextStream& err) override;

private:
    QCommandLineOption m_htmlOption;
    QCommandLineOption m_pdfOption;
    LanguageOption m_languageOption;
};

} // namespace veldrin::cli
