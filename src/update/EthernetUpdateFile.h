// Ethernet_Update.xml: what the Ethernet updater is to do, written into the workspace, where the
// updater looks for it.
#pragma once

#include "update/UpdateOptions.h"

#include <QByteArray>
#include <QString>

namespace veldrin {

// The file's path in workspaceDir.
QString EthernetUpdateFilePath(const QString& workspaceDir);
// The firmware file the Ethernet updater writes, in masterDir.
QString EthernetFirmwarePath(const QString& masterDir);

// The whole file: the device's address, then one operation for the firmware when it is to be
// written and one for the configuration (bank2.bin) when it is; paths in the system's own
// separators. No declaration, no whitespace.
QByteArray EthernetUpdateBytes(const QString& deviceAddress, const UpdateOptions& options,
                               const QString& masterDir, const QString& activeConfigDir);

// Writes the file into workspaceDir atomically, replacing the last one; throws VeldrinError
// naming the file and the reason.
void WriteEthernetUpdateFile(const QString& workspaceDir, const QString& deviceAddress,
                             const UpdateOptions& options, const QString& masterDir,
                             const QString& activeConfigDir);

} // namespace veldrin
