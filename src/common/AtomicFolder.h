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
// else there is refused, since it would go with the old folder. The folder beside it needs a
// writable parent. A concurrent writer of the same folder is waited for briefly, then refused.
// Leftovers of an interrupted write (only names this writer makes) are removed first. Where
// the file system cannot exchange two folders (and on Windows) the files are replaced one
// after the other, and an error then says so. Throws VeldrinError naming the folder or file
// and the reason; a failure before the exchange leaves the folder as it was.
void WriteFolderAtomically(const QString& folder, const std::vector<std::pair<QString, QByteArray>>& files,
                           const QStringList& carried = {});

} // namespace veldrin
