#include "cli/CliCommand.h"

#include <algorithm>

namespace veldrin::cli {
namespace {

QCommandLineOption CommandHelp()
{
    return HelpOption(QStringLiteral("Shows this help."));
}

} // namespace

QCommandLineOption HelpOption(const QString& description)
{
    return QCommandLineOption({QStringLiteral("h"), QStringLiteral("help")}, description);
}

QString HelpWithUsage(const QCommandLineParser& parser, const QString& usageLine)
{
    const QString help = parser.helpText();
    return usageLine + help.mid(help.indexOf(u'\n'));
}

void CliCommand::declare(QCommandLineParser& parser) const
{
    parser.setApplicationDescription(description());
    parser.addOption(CommandHelp());
    parser.addOptions(options());
    for (const CliArgument& argument : arguments())
        parser.addPositionalArgument(argument.name, argument.description,
                                     argument.optional ? QStringLiteral("[%1]").arg(argument.name)
                                                       : QString());
}

QString CliCommand::usageLine() const
{
    QString line = QStringLiteral("Usage: %1 %2 [options]").arg(QLatin1String(ProgramName), name());
    for (const CliArgument& argument : arguments())
        line += argument.optional ? QStringLiteral(" [%1]").arg(argument.name) : u' ' + argument.name;
    return line;
}

QString CliCommand::helpText() const
{
    QCommandLineParser parser;
    declare(parser);
    return HelpWithUsage(parser, usageLine());
}

int CliCommand::execute(const QStringList& args, QTextStream& out, QTextStream& err)
{
    QCommandLineParser parser;
    declare(parser);
    // The parser takes the first item for the program's name.
    const bool parsed = parser.parse(QStringList{name()} + args);

    const auto usageError = [&](const QString& message) {
        err << ProgramName << ' ' << name() << ": " << message << '\n'
            << usageLine() << '\n'
            << "Try '" << ProgramName << ' ' << name() << " --help' for more information.\n";
        return ExitUsage;
    };
    if (!parsed)
        return usageError(parser.errorText());
    // Help before the arguments are counted, so "COMMAND --help" alone shows it.
    if (parser.isSet(CommandHelp())) {
        out << helpText();
        return ExitOk;
    }
    const QStringList given = parser.positionalArguments();
    const QList<CliArgument> wanted = arguments();
    const auto required =
        std::count_if(wanted.begin(), wanted.end(), [](const auto& a) { return !a.optional; });
    if (given.size() < required)
        return usageError(QStringLiteral("Missing argument %1.").arg(wanted[given.size()].name));
    if (given.size() == wanted.size() + 1)
        return usageError(QStringLiteral("Unexpected argument '%1'.").arg(given.last()));
    if (given.size() > wanted.size())
        return usageError(QStringLiteral("Unexpected arguments: %1.")
                              .arg(given.mid(wanted.size()).join(QStringLiteral(", "))));
    return run(parser, out, err);
}

} // namespace veldrin::cli
