// Ser_30418_Update: writes the firmware and the configuration into the device on a serial port,
// and reads them back, as its seven-field command line asks.
#pragma once

#include "update/SerialCommandLine.h"

#include <QString>
#include <QStringList>

namespace veldrin::updaters {

class UpdaterReport;

// What the command line asks for.
struct SerialRequest {
    // The port name after "\\.\", for example "ttyUSB0" or "COM3".
    QString Port;
    UpdateOptions Options;
    QString FirmwarePath;
    // The configuration's bin folder, with its trailing separator.
    QString BinDir;
};

// The request of the seven fields "\\.\PORT", FW|NO, FR|NO, PW|NO, PR|NO, the firmware file and
// the bin folder with a trailing separator. Every problem found goes to problems, in field order.
SerialRequest ParseSerialFields(const QStringList& fields, QStringList& problems);

// Checks the command line and the files it names, reports every problem, then performs the
// operations on the device emulated in workspaceDir/DEVICES/<port>. Gives the exit code.
int RunSerialUpdater(const QStringList& fields, const QString& workspaceDir, UpdaterReport& report);

} // namespace veldrin::updaters
