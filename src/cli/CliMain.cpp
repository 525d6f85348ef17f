#include "cli/CliMain.h"

#include "cli/CheckCommand.h"
#include "cli/CliCommand.h"
#include "cli/CompileCommand.h"
#include "cli/DiffCommand.h"
#include "cli/ExportCommand.h"
#include "cli/ImageReportCommand.h"
#include "cli/ImportCommand.h"
#include "cli/MapCommand.h"
#include "cli/PollCommand.h"
#include "cli/ReportCommand.h"
#include "cli/ScanCommand.h"
#include "cli/StringsCommand.h"
#include "session/Identity.h"
#include "session/ShippedFiles.h"
#include "session/WorkspaceLocation.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>

#include <algorithm>
#include <memory>
#include <vector>

namespace veldrin::cli {
namespace {

using Commands = std::vector<std::unique_ptr<CliCommand>>;

Commands allCommands(const QString& programDir, const ReportWriter& writeReport)
{
    Commands commands;
    commands.push_back(std::make_unique<StringsCommand>(programDir));
    commands.push_back(std::make_unique<CheckCommand>(programDir));
    commands.push_back(std::make_unique<CompileCommand>());
    commands.push_back(std::make_unique<ImageReportCommand>());
    commands.push_back(std::make_unique<MapCommand>());
    commands.push_back(std::make_unique<ExportCommand>());
    commands.push_back(std::make_unique<ImportCommand>(programDir));
    commands.push_back(std::make_unique<DiffCommand>());
    commands.push_back(std::make_unique<ReportCommand>(programDir, writeReport));
    commands.push_back(std::make_unique<PollCommand>(programDir));
    commands.push_back(std::make_unique<ScanCommand>(programDir));
    return commands;
}

CliCommand* findCommand(const Commands& commands, const QString& name)
{
    const auto found = std::find_if(commands.begin(), commands.end(),
                                    [&](const auto& command) { return command->name() == name; });
    return found == commands.end() ? nullptr : found->get();
}

// veldrin-cli's own command line: its options, then the command and what follows it, which
// the command parses.
class ProgramCommandLine {
public:
    explicit ProgramCommandLine(const Commands& commands)
        : m_help(HelpOption(QStringLiteral("Shows this help; with a COMMAND, that command's help."))),
          m_version(QStringLiteral("version"), QStringLiteral("Shows the program's name and version."))
    {
        QStringList lines{QStringLiteral("The command-line companion of the Veldrin configurator."),
                          QString(), QStringLiteral("Commands:")};
        qsizetype width = 0;
        for (const auto& command : commands)
            width = std::max(width, command->name().size());
        for (const auto& command : commands) {
            lines << QStringLiteral("  %1  %2")
                         .arg(command->name(), -int(width))
                         .arg(command->description().section(u'\n', 0, 0));
        }
        m_parser.setApplicationDescription(lines.join(u'\n'));
        m_parser.addOption(m_help);
        m_parser.addOption(m_version);
        m_parser.addPositionalArgument(
            QStringLiteral("COMMAND"),
            QStringLiteral("One of the commands above; '%1 COMMAND --help' shows its options and "
                           "arguments.")
                .arg(QLatin1String(ProgramName)));
        // Everything after the command is the command's.
        m_parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    }

    bool parse(const QStringList& args)
    {
        return m_parser.parse(QStringList{QLatin1String(ProgramName)} + args);
    }
    QString errorText() const { return m_parser.errorText(); }
    bool help() const { return m_parser.isSet(m_help); }
    bool version() const { return m_parser.isSet(m_version); }
    // The command's name and its arguments.
    QStringList command() const { return m_parser.positionalArguments(); }

    QString helpText() const
    {
        return HelpWithUsage(m_parser, QStringLiteral("Usage: %1 [options] COMMAND [ARGUMENTS]")
                                           .arg(QLatin1String(ProgramName))) +
               QStringLiteral("\nExit codes: 0 done, 1 failed, 2 a usage error or an input that cannot "
                              "be read.\nEach command's help says when it fails.\n");
    }

private:
    QCommandLineParser m_parser;
    QCommandLineOption m_help;
    QCommandLineOption m_version;
};

} // namespace

int RunCli(const QStringList& args, const QString& programDir, QTextStream& out, QTextStream& err,
           const ReportWriter& writeReport)
{
    const Commands commands = allCommands(programDir, writeReport);
    ProgramCommandLine commandLine(commands);
    const auto usageError = [&](const QString& message) {
        err << ProgramName << ": " << message << "\n\n" << commandLine.helpText();
        return ExitUsage;
    };
    if (!commandLine.parse(args))
        return usageError(commandLine.errorText());

    QStringList command = commandLine.command();
    bool help = commandLine.help();
    // "help" is --help by another name, and "help COMMAND" is "COMMAND --help".
    if (!command.isEmpty() && command.first() == u"help") {
        help = true;
        command.removeFirst();
    }
    if (help && command.isEmpty()) {
        out << commandLine.helpText();
        return ExitOk;
    }
    if (commandLine.version() && !help) {
        out << ProgramName << ' ' << identity::SoftwareVersion << '\n';
        return ExitOk;
    }
    if (command.isEmpty())
        return usageError(QStringLiteral("Missing argument COMMAND."));
    CliCommand* const chosen = findCommand(commands, command.first());
    if (!chosen)
        return usageError(QStringLiteral("Unknown command '%1'.").arg(command.first()));
    if (help) {
        out << chosen->helpText();
        return ExitOk;
    }
    return chosen->execute(command.mid(1), out, err);
}

int CliProgramMain(const ReportWriter& writeReport)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    // The configurator's workspace, prepared as the configurator prepares it.
    const WorkspaceLocation where = LocateWorkspace(QCoreApplication::applicationDirPath());
    if (where.installed()) {
        for (const QString& problem : SeedWorkspace(where.DataDir, where.WorkspaceDir))
            err << ProgramName << ": " << problem << '\n';
    }
    const int code = RunCli(QCoreApplication::arguments().mid(1), where.WorkspaceDir, out, err, writeReport);
    out.flush();
    err.flush();
    return code;
}

} // namespace veldrin::cli
