#include "cli/CliMain.h"

#include "cli/CheckCommand.h"
#include "cli/CliCommand.h"
#include "cli/CompileCommand.h"
#include "cli/ImageReportCommand.h"
#include "cli/StringsCommand.h"

#include <memory>
#include <vector>

namespace veldrin::cli {
namespace {

std::vector<std::unique_ptr<CliCommand>> allCommands(const QString& programDir)
{
    std::vector<std::unique_ptr<CliCommand>> commands;
    commands.push_back(std::make_unique<StringsCommand>(programDir));
    commands.push_back(std::make_unique<CheckCommand>(programDir));
    commands.push_back(std::make_unique<CompileCommand>());
    commands.push_back(std::make_unique<ImageReportCommand>());
    return commands;
}

void printUsage(const std::vector<std::unique_ptr<CliCommand>>& commands, QTextStream& stream)
{
    stream << "Usage: veldrin-cli COMMAND [ARGUMENTS]\n\nCommands:\n";
    for (const auto& command : commands)
        stream << "  " << command->usage() << '\n';
}

} // namespace

int RunCli(const QStringList& args, const QString& programDir, QTextStream& out, QTextStream& err)
{
    const auto commands = allCommands(programDir);
    if (args.isEmpty()) {
        printUsage(commands, err);
        return ExitUsage;
    }
    if (args.first() == u"--help" || args.first() == u"-h" || args.first() == u"help") {
        printUsage(commands, out);
        return ExitOk;
    }
    for (const auto& command : commands) {
        if (command->name() == args.first())
            return command->run(args.mid(1), out, err);
    }
    err << "veldrin-cli: unknown command '" << args.first() << "'\n\n";
    printUsage(commands, err);
    return ExitUsage;
}

} // namespace veldrin::cli
