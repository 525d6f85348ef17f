// Where the configurator keeps its files: beside the programs in a portable folder, or, for an
// installation the user cannot write, in the user's data folder.
#pragma once

#include <QString>

#include <functional>

namespace veldrin {

enum class WorkspaceMode { Portable, Installed };

struct WorkspaceLocation {
    WorkspaceMode Mode = WorkspaceMode::Portable;
    // The folder of the running program: the configurator, veldrin-cli, the updaters and the
    // online module.
    QString ProgramDir;
    // The installation's shipped files: LANGUAGE, MASTER, the sample configurations in PROJECTS
    // and Qt's translations.
    QString DataDir;
    // Veldrin.xml, PROJECTS, LANGUAGE, MASTER, Ethernet_Update.xml and the updaters' DEVICES.
    QString WorkspaceDir;

    bool installed() const { return Mode == WorkspaceMode::Installed; }

    // A portable folder: everything in programDir.
    static WorkspaceLocation Portable(const QString& programDir);
};

// What the choice of the workspace asks of the system, so tests can answer for it.
struct WorkspaceProbes {
    // Whether this user can create files in the folder.
    std::function<bool(const QString& folder)> isWritable;
    // The user's data folder for the configurator (QStandardPaths' application data location of
    // an application named Veldrin, whichever of the programs asks).
    std::function<QString()> userWorkspaceDir;
};

// The answers of this system and user.
WorkspaceProbes SystemWorkspaceProbes();

// The one rule for every program of an installation. Portable when programDir holds a file
// "portable", or when this user can write it and it holds no file "installed"; else installed:
// the workspace is the user's data folder, the data folder the one the file "installed" names
// relative to programDir, or programDir itself where it names none.
WorkspaceLocation LocateWorkspace(const QString& programDir,
                                  const WorkspaceProbes& probes = SystemWorkspaceProbes());

} // namespace veldrin
