// One subcommand of veldrin-cli, writing to the streams it is given.
#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace veldrin::cli {

// Exit codes shared by every command.
inline constexpr int ExitOk = 0;
inline constexpr int ExitFailed = 1;
inline constexpr int ExitUsage = 2;

class CliCommand {
public:
    virtual ~CliCommand() = default;

    virtual QString name() const = 0;
    // One line: the arguments and what the command does.
    virtual QString usage() const = 0;
    // args holds what follows the command's name.
    virtual int run(const QStringList& args, QTextStream& out, QTextStream& err) = 0;
};

} // namespace veldrin::cli
