// The files an installation ships into each user's workspace: the languages and firmware files,
// kept as the installation has them while the user leaves them as they were copied, and the
// sample configurations, copied once.
#pragma once

#include <QStringList>

namespace veldrin {

// Copies from the installation's dataDir into workspaceDir what it ships in LANGUAGE, MASTER and
// PROJECTS and the workspace lacks; creates workspaceDir when missing.
//
// A language or firmware file is copied when the workspace has none of its name and none was
// copied before (a file the user removed stays removed), and replaced by the installation's
// when that changed and the workspace's copy is still the one copied: Shipped.sha256 in the
// workspace records the checksum of every file copied. A file the user changed or put there is
// never replaced. A sample configuration is copied, as a whole or not at all, only while the
// workspace has no configuration of its name and none of its files were copied before.
//
// Every file is written atomically. Gives what could not be read or written, one text each,
// naming the file and the reason; the other files are copied all the same.
QStringList SeedWorkspace(const QString& dataDir, const QString& workspaceDir);

} // namespace veldrin
