// What was loaded into a device, kept per configuration: after each load that the updater
// reports as done, a copy of the configuration's files and images and a note of how and when,
// in a folder of its own under the configuration's history/ folder.
#pragma once

#include "update/UpdateOptions.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace veldrin {

inline constexpr char HistoryFolder[] = "history";
inline constexpr char LoadNoteFile[] = "load.json";
// The loads kept per configuration; older ones are removed, oldest first.
inline constexpr int HistoryLimit = 50;

struct LoadRecord {
    QDateTime time; // when the updater ended
    // How the device was reached: over a serial port (its path) or over Ethernet (its address).
    enum class Route { Serial, Ethernet };
    Route route = Route::Serial;
    QString target;
    UpdateOptions options;
    int exitCode = 0;
};

// Keeps a copy of what the configuration in configDir holds now (ParGen.xml,
// ModbusM_SetAccess.xml, bin/bank.bin, bin/bank2.bin; any of them may be missing) and
// load.json, in history/<UTC time, e.g. 20261210T144705Z>/ (a suffix -2, -3... when that
// name is taken). The entry appears whole or not at all: it is written under a temporary name
// and then renamed. Then only the newest HistoryLimit entries are kept. Gives the entry's
// folder; throws VeldrinError naming the file and the reason.
QString RecordLoad(const QString& configDir, const LoadRecord& record);

// The configuration's history entries, oldest first, as folder paths.
QStringList HistoryEntries(const QString& configDir);

// The text of load.json for a record and the files kept beside it (name, bytes): time, route,
// target, the options, the exit code, and each image's size and SHA-256.
QByteArray LoadNote(const LoadRecord& record, const std::vector<std::pair<QString, QByteArray>>& images);

} // namespace veldrin
