// The entry of veldrin-cli: its own options (--help, --version), then the command named by
// the first argument, which parses the arguments after it.
#pragma once

#include "cli/ReportCommand.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace veldrin::cli {

// args holds the arguments after the program's name; programDir is the configurator's workspace
// (the folder of the running executable when it is portable, else the user's data folder), the
// default the commands look at.
// writeReport lays out the commissioning report (see ReportCommand).
int RunCli(const QStringList& args, const QString& programDir, QTextStream& out, QTextStream& err,
           const ReportWriter& writeReport = {});

// The whole program once its application object is made: the workspace prepared as the
// configurator prepares it, then RunCli on the program's arguments.
int CliProgramMain(const ReportWriter& writeReport);

} // namespace veldrin::cli
