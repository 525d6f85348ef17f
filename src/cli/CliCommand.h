// One subcommand of veldrin-cli: the options and arguments it declares, and what it does with
// them, writing to the streams it is given.
#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTextStream>

namespace veldrin::cli {

// Exit codes shared by every command.
inline constexpr int ExitOk = 0;
inline constexpr int ExitFailed = 1;
inline constexpr int ExitUsage = 2;

inline constexpr char ProgramName[] = "veldrin-cli";

// An argument a command requires, as its help shows it.
struct CliArgument {
    QString name;
    QString description;
    // An optional argument may be left out; only the last ones may be optional.
    bool optional = false;
};

class CliCommand {
public:
    virtual ~CliCommand() = default;

    virtual QString name() const = 0;
    // What the command does: the first line shows in the list of commands, all of it in the
    // command's help. Lines stay within 80 columns.
    virtual QString description() const = 0;
    // The arguments the command takes, in their order; it takes no others.
    virtual QList<CliArgument> arguments() const { return {}; }
    // The command's options, besides -h/--help which every command has.
    virtual QList<QCommandLineOption> options() const { return {}; }

    // args holds what follows the command's name. Parses them against the declarations
    // above: --help writes the command's help to out (exit 0); an unknown option, a missing
    // value, a missing or an extra argument writes the parser's message and the command's
    // usage to err (exit 2); else runs the command.
    int execute(const QStringList& args, QTextStream& out, QTextStream& err);

    // "Usage: veldrin-cli NAME [options] ARGUMENTS", the description, the options and the arguments.
    QString helpText() const;
    // The first line of the help.
    QString usageLine() const;

protected:
    // Runs on a command line that parsed and holds exactly the arguments declared.
    virtual int run(const QCommandLineParser& commandLine, QTextStream& out, QTextStream& err) = 0;

private:
    // Declares the help option, options() and arguments() on parser.
    void declare(QCommandLineParser& parser) const;
};

// The -h/--help option, the same on every command and on veldrin-cli itself.
QCommandLineOption HelpOption(const QString& description);

// parser's help with its first line, which names the executable as started, replaced by usageLine.
QString HelpWithUsage(const QCommandLineParser& parser, const QString& usageLine);

} // namespace veldrin::cli
