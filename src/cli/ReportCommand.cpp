#include "cli/ReportCommand.h"

#include "cli/DocumentsModule.h"
#include "common/VeldrinError.h"
#include "lang/StringTable.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

namespace veldrin::cli {

ReportCommand::ReportCommand(QString programDir, ReportWriter writer)
    : m_htmlOption(QStringLiteral("html"), QStringLiteral("Writes the report as one HTML page to FILE."),
                   QStringLiteral("FILE")),
      m_pdfOption(QStringLiteral("pdf"), QStringLiteral("Writes the report as an A4 PDF to FILE."),
                  QStringLiteral("FILE")),
      m_languageOption(std::move(programDir)), m_writer(std::move(writer))
{}

QList<QCommandLineOption> ReportCommand::options() const
{
    return QList<QCommandLineOption>{m_htmlOption, m_pdfOption} + m_languageOption.options();
}

QString ReportCommand::description() const
{
    return QStringLiteral("Writes the commissioning report of a configuration: its communication\n"
                          "parameters, both request tables, the data-area map and the bus load, the\n"
                          "device images' sizes and SHA-256, and the last load with the changes\n"
                          "since. The texts follow the configurator's language. At least one of\n"
                          "--html and --pdf. Exit code 1 when a file cannot be written, 2 when the\n"
                          "configuration cannot be read.");
}

QList<CliArgument> ReportCommand::arguments() const
{
    return {{QStringLiteral("CONFIG_DIR"),
             QStringLiteral("The configuration folder, holding ParGen.xml and ModbusM_SetAccess.xml.")}};
}

int ReportCommand::run(const QCommandLineParser& commandLine, QTextStream& out, QTextStream& err)
{
    m_languageOption.read(commandLine);
    const QString configDir = commandLine.positionalArguments().constFirst();
    if (!commandLine.isSet(m_htmlOption) && !commandLine.isSet(m_pdfOption)) {
        err << "veldrin-cli report: give --html FILE, --pdf FILE or both\n" << usageLine() << '\n';
        return ExitUsage;
    }
    if (!QFileInfo(configDir).isDir()) {
        err << "veldrin-cli report: " << QDir::toNativeSeparators(configDir) << " is not a folder\n";
        return ExitUsage;
    }
    if (!m_writer) {
        err << "veldrin-cli report: the program part " << DocumentsModuleFile << " is not loaded\n";
        return ExitFailed;
    }
    StringTable strings;
    m_languageOption.selectLanguage(strings);
    ReportFacts facts;
    try {
        facts = GatherReportFacts(configDir, QDateTime::currentDateTime());
    } catch (const VeldrinError& error) {
        err << "veldrin-cli report: " << error.message() << '\n';
        return ExitUsage;
    }
    for (const auto& [option, format] :
         {std::pair(&m_htmlOption, ReportFormat::Html), std::pair(&m_pdfOption, ReportFormat::Pdf)}) {
        if (!commandLine.isSet(*option))
            continue;
        const QString path = commandLine.value(*option);
        try {
            m_writer(facts, strings, format, path);
        } catch (const VeldrinError& error) {
            err << "veldrin-cli report: " << error.message() << '\n';
            return ExitFailed;
        }
        out << "Wrote " << QDir::toNativeSeparators(path) << '\n';
    }
    return ExitOk;
}

} // namespace veldrin::cli
