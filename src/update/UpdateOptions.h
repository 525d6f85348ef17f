// The four update options, the same boxes in both update dialogs.
#pragma once

namespace veldrin {

struct UpdateOptions {
    bool firmware = true;     // write the firmware
    bool readFirmware = true; // read it back after writing
    bool config = true;       // write the configuration
    bool readConfig = true;   // read it back after writing

    bool operator==(const UpdateOptions&) const = default;
};

} // namespace veldrin
