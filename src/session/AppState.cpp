#include "session/AppState.h"

#include "configuration/WorkspaceLayout.h"
#include "session/SettingsFile.h"

namespace veldrin {

QString AppState::SettingsPath() const
{
    return layout::In(WorkspaceDir, layout::SettingsFile);
}

QString AppState::ConfigDir(const QString& name) const
{
    return ProjectsDir + u'/' + name;
}

void AppState::Set_Files()
{
    ParGenPath = layout::ParGenPath(ActiveConfigDir);
    SetAccessPath = layout::SetAccessPath(ActiveConfigDir);
}

void AppState::OpenConfiguration(const QString& name)
{
    Settings.ActiveConfigName = name;
    ActiveConfigDir = name.isEmpty() ? QString() : ConfigDir(name);
    Set_Files();
}

QString AppState::ActiveConfigLabel() const
{
    return IsConfigOpen() ? Strings[11] : Strings[9];
}

QString AppState::ActiveConfigLabel2() const
{
    return IsConfigOpen() ? Settings.ActiveConfigName : Strings[10];
}

} // namespace veldrin
