// The start-up sequence: workspace folders, settings, texts and the last configuration.
#pragma once

#include "session/WorkspaceLocation.h"

#include <QString>

namespace veldrin {

struct AppState;

struct StartupResult {
    // Both internet options are on: the update-check timer runs.
    bool UpdateTimerEnabled = false;
    // Set for the one warning at start-up: a portable folder that cannot be written, or the
    // shipped files that could not be copied into an installation's workspace.
    QString Warning;
};

// Fills state for the program at where: in an installation, first copies the shipped files
// into the user's workspace (SeedWorkspace); then creates MASTER, PROJECTS and LANGUAGE in the
// workspace when missing, reads Veldrin.xml, builds the texts of the saved language and reopens
// the saved configuration when its folder still exists. probes.isWritable tells whether a
// portable folder can be written.
StartupResult RunStartup(AppState& state, const WorkspaceLocation& where,
                         const WorkspaceProbes& probes = SystemWorkspaceProbes());

// The same for a portable folder: everything in programDir.
StartupResult RunStartup(AppState& state, const QString& programDir);

} // namespace veldrin
