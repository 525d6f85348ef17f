// veldrin-cli report: the commissioning report of a configuration, as an HTML page or a PDF.
#pragma once

#include "cli/CliCommand.h"
#include "cli/LanguageOption.h"
#include "report/CommissioningReport.h"

#include <functional>

namespace veldrin {
class StringTable;
}

namespace veldrin::cli {

// Lays the report out and writes it to a file; throws VeldrinError naming the file. Laying out
// needs the GUI library, which only the documents module of veldrin-cli brings.
using ReportWriter = std::function<void(const ReportFacts& facts, const StringTable& strings,
                                        ReportFormat format, const QString& path)>;

class ReportCommand : public CliCommand {
public:
    // Without a writer the command says that the documents module is missing.
    ReportCommand(QString programDir, ReportWriter writer);

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
    ReportWriter m_writer;
};

} // namespace veldrin::cli
