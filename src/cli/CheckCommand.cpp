#include "cli/CheckCommand.h"

#include "access/AccessChecks.h"
#include "cli/LanguageOption.h"
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

QString CheckCommand::usage() const
{
    return QStringLiteral("check ") + LanguageOption::Usage() +
           QStringLiteral(" CONFIG_DIR   the checks the "
                          "configurator makes before saving: the first failing message (exit 1) or OK");
}

int CheckCommand::run(const QStringList& args, QTextStream& out, QTextStream& err)
{
    LanguageOption languageOption(m_programDir);
    QString configDir;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (languageOption.take(args, i)) {
            continue;
        } else if (!arg.startsWith(u"--") && configDir.isEmpty()) {
            configDir = arg;
        } else {
            err << "veldrin-cli check: unknown or incomplete option '" << arg << "'\n" << usage() << '\n';
            return ExitUsage;
        }
    }
    if (configDir.isEmpty()) {
        err << "veldrin-cli check: no configuration folder given\n" << usage() << '\n';
        return ExitUsage;
    }
    const QFileInfo config(configDir);
    if (!config.isDir() || !config.isReadable() || !config.isExecutable()) {
        err << "veldrin-cli check: cannot read the configuration folder "
            << QDir::toNativeSeparators(configDir) << '\n';
        return ExitUsage;
    }

    // The messages in the language the configurator would show them in.
    StringTable strings;
    languageOption.selectLanguage(strings);

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
