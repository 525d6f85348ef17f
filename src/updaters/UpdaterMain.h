// What the two updater programs' main() share: their arguments, a window or the console, the
// exit code.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace veldrin::updaters {

class UpdaterReport;

// An updater's work: the arguments after the program's name, the configurator's workspace (where
// Ethernet_Update.xml and DEVICES lie), where to report; gives the exit code.
using UpdaterBody =
    std::function<int(const QStringList& arguments, const QString& workspaceDir, UpdaterReport& report)>;

// Takes the arguments before Qt can claim any of them, shows a window when a display is available
// and reports on the console otherwise, runs body and gives its exit code. After a good run the
// window closes itself; after a failed one it stays until the user closes it.
int RunUpdaterProgram(int argc, char** argv, const QString& programName, const UpdaterBody& body);

} // namespace veldrin::updaters
