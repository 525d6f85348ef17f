#include "session/AppState.h"

#include "session/SettingsFile.h"

namespace veldrin {

QString AppState::SettingsPath() const
{
    return ProgramDir + u'/' + QString::fromLatin1(SettingsFileName);
}

QString AppState::ConfigDir(const QString& name) const
{
    return ProjectsDir + u'/' + name;
}

void AppState::Set_Files()
{
    ParGenPath = ActiveConfigDir + QStringLiteral("/ParGen.xml");
    SetAccessPath = ActiveConfigDir + QStringLiteral("/ModbusM_SetAccess.xml");
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
