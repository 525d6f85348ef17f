// The start-up sequence: workspace folders, settings, texts and the last configuration.
#pragma once

#include <QString>

namespace veldrin {

struct AppState;

struct StartupResult {
    // Both internet options are on: the update-check timer runs.
    bool UpdateTimerEnabled = false;
    // Set when the program folder cannot be written, for the one warning at start-up.
    QString Warning;
};

// Fills state for the program in programDir: creates MASTER, PROJECTS and LANGUAGE when
// missing, reads Veldrin.xml, builds the texts of the saved language and reopens the saved
// configuration when its folder still exists.
StartupResult RunStartup(AppState& state, const QString& programDir);

} // namespace veldrin
