// The serial updater's command line.
#pragma once

#include "update/UpdateOptions.h"

#include <QString>

namespace veldrin {

// "\\.\" + port, "FW"/"NO", "FR"/"NO", "PW"/"NO", "PR"/"NO", the firmware file in double quotes,
// the configuration's bin folder with a trailing separator in double quotes; one blank after
// each field but the last. Paths in the system's own separators.
QString BuildSerialCommandLine(const QString& port, const UpdateOptions& options, const QString& masterDir,
                               const QString& activeConfigDir);

// The serial updater's firmware file in masterDir.
QString SerialFirmwarePath(const QString& masterDir);

} // namespace veldrin
