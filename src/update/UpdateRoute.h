// What Update does once pressed: compile the active configuration's images, then load them
// over Ethernet or over a serial port, or nothing and why.
#pragma once

#include <QString>

namespace veldrin {

struct AppState;
class StringTable;

struct UpdateRoute {
    enum class Kind { Ethernet, Serial, Refused };

    Kind kind = Kind::Refused;
    // Why, when refused.
    QString reason;
};

// Refused while an updater started before still runs (the images must not change under it),
// when the configuration's folder has gone, or when its images cannot be compiled (nothing
// is written then). Otherwise the images are compiled into the configuration's image folder
// and the route follows the device type: Ethernet for the device type 1, serial for any other.
UpdateRoute PrepareUpdate(const AppState& state, bool updaterRunning);

// What the user reads when an updater started before still runs.
QString UpdaterBusyMessage(const StringTable& strings);

} // namespace veldrin
