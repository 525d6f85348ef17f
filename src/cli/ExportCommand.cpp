#include "cli/ExportCommand.h"

#include "access/RequestCsv.h"
#include "access/RequestTablesFile.h"
#include "common/AtomicFile.h"
#include "common/VeldrinError.h"
#include "configuration/WorkspaceLayout.h"

#include <QDir>
#include <QFileInfo>

namespace veldrin::cli {

ExportCommand::ExportCommand()
    : m_readOption(QStringLiteral("read"), QStringLiteral("Writes the read requests to FILE."),
                   QStringLiteral("FILE")),
      m_writeOption(QStringLiteral("write"), QStringLiteral("Writes the write requests to FILE."),
                    QStringLiteral("FILE"))
{}

QString ExportCommand::description() const
{
    return QStringLiteral("Writes a configuration's request tables as CSV files for spreadsheets.\n"
                          "UTF-8 with a byte-order mark, comma-separated, a header line of the\n"
                          "attribute names of ModbusM_SetAccess.xml, then one line per used row.\n"
                          "At least one of --read and --write. Exits with 1 when a file cannot be\n"
                          "written, 2 when the configuration cannot be read.");
}

QList<CliArgument> ExportCommand::arguments() const
{
    return {{QStringLiteral("CONFIG_DIR"),
             QStringLiteral("The configuration folder, holding ModbusM_SetAccess.xml.")}};
}

int ExportCommand::run(const QCommandLineParser& commandLine, QTextStream& out, QTextStream& err)
{
    const QString configDir = commandLine.positionalArguments().constFirst();
    if (!commandLine.isSet(m_readOption) && !commandLine.isSet(m_writeOption)) {
        err << "veldrin-cli export: give --read FILE, --write FILE or both\n" << usageLine() << '\n';
        return ExitUsage;
    }
    if (!QFileInfo(configDir).isDir()) {
        err << "veldrin-cli export: " << QDir::toNativeSeparators(configDir) << " is not a folder\n";
        return ExitUsage;
    }
    RequestTables tables;
    try {
        tables = ReadRequestTables(layout::SetAccessPath(configDir));
    } catch (const VeldrinError& error) {
        err << "veldrin-cli export: " << error.message() << '\n';
        return ExitUsage;
    }
    for (const auto& [option, kind] :
         {std::pair(&m_readOption, TableKind::Read), std::pair(&m_writeOption, TableKind::Write)}) {
        if (!commandLine.isSet(*option))
            continue;
        const QString path = commandLine.value(*option);
        try {
            WriteFileAtomically(path, RequestCsvBytes(kind, tables.table(kind)));
        } catch (const VeldrinError& error) {
            err << "veldrin-cli export: " << error.message() << '\n';
            return ExitFailed;
        }
        out << (kind == TableKind::Read ? "read" : "write")
            << " requests: " << UsedRowCount(tables.table(kind)) << " rows to "
            << QDir::toNativeSeparators(path) << '\n';
    }
    return ExitOk;
}

} // namespace veldrin::cli
