// The entry of veldrin-cli: its own options (--help, --version), then the command named by
// the first argument, which parses the arguments after it.
#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace veldrin::cli {

// args holds the arguments after the program's name; programDir is the configurator's workspace
// (the folder of the running executable when it is portable, else the user's data folder), the
// default the commands look at.
int RunCli(const QStringList& args, const QString& programDir, QTextStream& out, QTextStream& err);

} // namespace veldrin::cli
