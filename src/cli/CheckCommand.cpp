#include "cli/CheckCommand.h"

#include "access/AccessChecks.h"
#include "comm/CommunicationChecks.h"
#include "comm/GeneralParameterFile.h"
#include "common/VeldrinError.h"
#include "configuration/WorkspaceLayout.h"
#include "lang/StringTable.h"

#include <QDir>
#include <QFileInfo>

#include <functional>
#include <optional>

namespace veldrin::cli {
namespace {

// One group of checks: the first message its dialog would show for the configuration in
// configDir, or nothing. Throws VeldrinError when a file cannot be read.
using CheckGroup =
    std::function<std::optional<QString>(const QString& configDir, const StringTable& strings)>;

std::optional<QString> CheckCommunication(const QString& configDir, const StringTable& strings)
{
    return Controllo_Dati(ReadGeneralParameter(layout::ParGenPath(configDir)), strings);
}

std::optional<QString> CheckRequestTables(const QString& configDir, const StringTable& strings)
{
    return CheckSetAccessFile(layout::SetAccessPath(configDir), strings);
}

// The groups in the order they run; the first failing message ends the check.
const CheckGroup Groups[] = {CheckCommunication, CheckRequestTables};

} // namespace

QString CheckCommand::description() const
{
    return QStringLiteral("Runs the checks the configurator makes before it saves a configuration.\n"
                          "Prints the first failing message and exits with 1, or prints OK. A file\n"
                          "that cannot be read is reported on the error output, with exit code 2.");
}

QList<CliArgument> CheckCommand::arguments() const
{
    return {{QStringLiteral("CONFIG_DIR"),
             QStringLiteral("The configuration folder, holding ParGen.xml and ModbusM_SetAccess.xml.")}};
}

int CheckCommand::run(const QCommandLineParser& commandLine, QTextStream& out, QTextStream& err)
{
    m_languageOption.read(commandLine);
    const QString configDir = commandLine.positionalArguments().constFirst();
    const QFileInfo config(configDir);
    if (!config.isDir() || !config.isReadable() || !config.isExecutable()) {
        err << "veldrin-cli check: cannot read the configuration folder "
            << QDir::toNativeSeparators(configDir) << '\n';
        return ExitUsage;
    }

    // The messages in the language the configurator would show them in.
    StringTable strings;
    m_languageOption.selectLanguage(strings);

    try {
        for (const CheckGroup& group : Groups) {
            if (const auto message = group(QDir::cleanPath(configDir), strings)) {
                out << *message << '\n';
                return ExitFailed;
            }
        }
    } catch (const VeldrinError& error) {
        err << "veldrin-cli check: " << error.message() << '\n';
        return ExitUsage;
    }
    out << "OK\n";
    return ExitOk;
}

} // namespace veldrin::cli
