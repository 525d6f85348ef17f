// The serial updater's command line.
#pragma once

#include <QString>

namespace veldrin {

// The four update options, the same boxes in both update dialogs.
struct UpdateOptions {
    bool firmware = true;     // write the firmware
    bool readFirmware = true; // read it back after writing
    bool config = true;       // write the configuration
    bool readConfig = true;   // read it back after writing

    bool operator==(const UpdateOptions&) const = default;
};

// "\\.\" + port, "FW"/"NO", "FR"/"NO", "PW"/"NO", "PR"/"NO", the firmware file in double quotes,
// the configuration's bin folder with a trailing separator in double quotes; one blank after
// each field but the last. Paths in the system's own separators.
QString BuildSerialCommandLine(const QString& port, const UpdateOptions& options, const QString& masterDir,
                               const QString& activeConfigDir);

// The serial updater's firmware file in masterDir.
QString SerialFirmwarePath(const QString& masterDir);

} // namespace veldrin
