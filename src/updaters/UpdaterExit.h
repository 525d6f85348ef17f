// The exit codes of the two updaters.
#pragma once

namespace veldrin::updaters {

enum UpdaterExit : int {
    // Every operation done (or none was asked for).
    ExitOk = 0,
    // A read-back found the device holding something else than the file.
    ExitReadBackMismatch = 1,
    // The command line or Ethernet_Update.xml is not what the updater accepts.
    ExitBadRequest = 2,
    // A firmware file or an image is missing or not valid.
    ExitBadInput = 3,
    // The device could not be written or read.
    ExitDeviceFailure = 4,
};

} // namespace veldrin::updaters
