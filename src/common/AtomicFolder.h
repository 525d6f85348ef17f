// Files that only make sense together (the two device images, an emulated device's memory)
// replaced as one unit, so that no interruption ever leaves a new file beside an old one.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

namespace veldrin {

// Replaces the files of folder by files (name, data), as one unit: whatever interrupts the
// write (a kill, a power loss, a failed rename), a reader finds every previous file or every
// new one. The new files are written and synced in a folder beside it, which then changes
// places with it in one step; the old folder is removed afterwards.
//
// folder may hold nothing but the files' names and those in carried, which are kept as they
// are when present (the firmware of a device when only its configuration is loaded); anything
// else there is refused, since it would go with the old folder, and so is a read-only folder.
// The folder beside it needs a writable parent. A concurrent writer of the same folder is
// waited for briefly, then refused. Folders an interrupted write left beside it are removed
// first (only this writer's names, and only its files in them). Where the folder cannot be
// exchanged in one step (a file system without it, a mount point, and on Windows) the synced
// files are renamed into it one after the other, and a failure between them says so. Throws
// VeldrinError naming the folder or file and the reason; a failure before the exchange leaves
// the folder as it was.
void WriteFolderAtomically(const QString& folder, const std::vector<std::pair<QString, QByteArray>>& files,
                           const QStringList& carried = {});

} // namespace veldrin
