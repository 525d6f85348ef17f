#include "cli/ImportCommand.h"

#include "access/AccessChecks.h"
#include "access/RequestCsv.h"
#include "access/RequestTablesFile.h"
#include "common/VeldrinError.h"
#include "configuration/WorkspaceLayout.h"
#include "lang/StringTable.h"

#include <QDir>
#include <QFileInfo>

namespace veldrin::cli {

ImportCommand::ImportCommand(QString programDir)
    : m_readOption(QStringLiteral("read"), QStringLiteral("Takes the read requests from FILE."),
                   QStringLiteral("FILE")),
      m_writeOption(QStringLiteral("write"), QStringLiteral("Takes the write requests from FILE."),
                    QStringLiteral("FILE")),
      m_appendOption(QStringLiteral("append"),
                     QStringLiteral("Appends the rows after each table's used rows instead of replacing "
                                    "the table.")),
      m_languageOption(std::move(programDir))
{}

QList<QCommandLineOption> ImportCommand::options() const
{
    return QList<QCommandLineOption>{m_readOption, m_writeOption, m_appendOption} +
           m_languageOption.options();
}

QString ImportCommand::description() const
{
    return QStringLiteral("Reads request tables from CSV files into a configuration.\n"
                          "The rows go into its ModbusM_SetAccess.xml, as export writes them: commas\n"
                          "or semicolons, with or without a byte-order mark, the columns in any\n"
                          "order, the values as the grids take them. The file is\n"
                          "replaced only when every line is valid and the configurator's checks\n"
                          "pass; else the first problem is printed and the exit code is 1. Exit\n"
                          "code 2 when a file cannot be read. At least one of --read and --write.");
}

QList<CliArgument> ImportCommand::arguments() const
{
    return {{QStringLiteral("CONFIG_DIR"),
             QStringLiteral("The configuration folder, holding ModbusM_SetAccess.xml.")}};
}

int ImportCommand::run(const QCommandLineParser& commandLine, QTextStream& out, QTextStream& err)
{
    m_languageOption.read(commandLine);
    const QString configDir = commandLine.positionalArguments().constFirst();
    if (!commandLine.isSet(m_readOption) && !commandLine.isSet(m_writeOption)) {
        err << "veldrin-cli import: give --read FILE, --write FILE or both\n" << usageLine() << '\n';
        return ExitUsage;
    }
    if (!QFileInfo(configDir).isDir()) {
        err << "veldrin-cli import: " << QDir::toNativeSeparators(configDir) << " is not a folder\n";
        return ExitUsage;
    }
    StringTable strings;
    m_languageOption.selectLanguage(strings);
    const QString setAccessPath = layout::SetAccessPath(configDir);
    RequestTables tables;
    try {
        tables = ReadRequestTables(setAccessPath);
    } catch (const VeldrinError& error) {
        err << "veldrin-cli import: " << error.message() << '\n';
        return ExitUsage;
    }

    const bool append = commandLine.isSet(m_appendOption);
    QStringList done;
    for (const auto& [option, kind] :
         {std::pair(&m_readOption, TableKind::Read), std::pair(&m_writeOption, TableKind::Write)}) {
        if (!commandLine.isSet(*option))
            continue;
        const QString path = commandLine.value(*option);
        QByteArray csv;
        try {
            csv = ReadCsvFile(path);
        } catch (const VeldrinError& error) {
            err << "veldrin-cli import: " << error.message() << '\n';
            return ExitUsage;
        }
        RequestTable& table = tables.table(kind);
        const int room = append ? RowCount - UsedRowCount(table) : RowCount;
        const CsvRows read = ReadRequestCsv(kind, csv, room);
        if (!read.problems.empty()) {
            out << QDir::toNativeSeparators(path) << ": " << CsvProblemText(read.problems.front(), strings)
                << '\n';
            return ExitFailed;
        }
        PutImportedRows(table, read.rows, append);
        done.append(QStringLiteral("%1 requests: %2 rows from %3")
                        .arg(kind == TableKind::Read ? QStringLiteral("read") : QStringLiteral("write"))
                        .arg(read.rows.size())
                        .arg(QDir::toNativeSeparators(path)));
    }
    if (const std::optional<QString> message = Controllo_dati(tables, strings)) {
        out << *message << '\n';
        return ExitFailed;
    }
    try {
        WriteRequestTables(setAccessPath, tables);
    } catch (const VeldrinError& error) {
        err << "veldrin-cli import: " << error.message() << '\n';
        return ExitFailed;
    }
    for (const QString& line : done)
        out << line << '\n';
    return ExitOk;
}

} // namespace veldrin::cli
