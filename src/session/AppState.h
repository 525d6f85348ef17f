// The values the windows share: workspace paths, settings, the open configuration and the
// user-interface texts. One instance, owned by the application.
#pragma once

#include "lang/StringTable.h"
#include "session/AppSettings.h"

#include <QString>

namespace veldrin {

struct AppState {
    // The folder of the programs (the configurator, the updaters).
    QString ProgramDir;
    // The installation's shipped files; Qt's translations are read from there.
    QString DataDir;
    // Where the settings file, the configurations, the languages and the firmware files are:
    // ProgramDir in a portable folder, the user's data folder in an installation.
    QString WorkspaceDir;
    QString MasterDir;
    QString ProjectsDir;
    QString LanguageDir;

    // The five values of Veldrin.xml; ActiveConfigName is the open configuration's name,
    // kept even when its folder was missing at start-up.
    AppSettings Settings;

    // "" while no configuration is open.
    QString ActiveConfigDir;
    QString ParGenPath;
    QString SetAccessPath;

    QString SoftwareCode;
    QString SoftwareDescription;
    QString WindowTitle;

    StringTable Strings;

    bool IsConfigOpen() const { return !ActiveConfigDir.isEmpty(); }
    QString SettingsPath() const;
    QString ConfigDir(const QString& name) const;

    // ParGenPath and SetAccessPath from ActiveConfigDir, empty or not.
    void Set_Files();
    // Opens the configuration of that name, or none for "".
    void OpenConfiguration(const QString& name);

    // The active-configuration labels: [11] and the name, or [9] and [10].
    QString ActiveConfigLabel() const;
    QString ActiveConfigLabel2() const;
};

} // namespace veldrin
