#include "session/Startup.h"

#include "common/TextRules.h"
#include "configuration/WorkspaceLayout.h"
#include "lang/LanguageFile.h"
#include "session/AppState.h"
#include "session/Identity.h"
#include "session/SettingsFile.h"
#include "session/ShippedFiles.h"

#include <QDir>
#include <QFileInfo>

namespace veldrin {
namespace {

constexpr int ReadOnlyFolderText = 218; // "The program folder %1 cannot be written: ..."
constexpr int NotCopiedText =
    269; // "Some files of the installation could not be copied into your folder %1:"

void ensureDirectory(const QString& path)
{
    // One level only; a folder that cannot be created shows when it is used.
    if (!QFileInfo(path).isDir())
        QDir().mkdir(path);
}

} // namespace

StartupResult RunStartup(AppState& state, const QString& programDir)
{
    return RunStartup(state, WorkspaceLocation::Portable(programDir));
}

StartupResult RunStartup(AppState& state, const WorkspaceLocation& where, const WorkspaceProbes& probes)
{
    StartupResult result;
    state.Strings = StringTable();

    state.ProgramDir = where.ProgramDir;
    state.DataDir = where.DataDir;
    state.WorkspaceDir = where.WorkspaceDir;
    state.MasterDir = layout::In(state.WorkspaceDir, layout::MasterFolder);
    state.ProjectsDir = layout::In(state.WorkspaceDir, layout::ProjectsFolder);
    state.LanguageDir = layout::In(state.WorkspaceDir, layout::LanguageFolder);
    const QStringList notCopied =
        where.installed() ? SeedWorkspace(where.DataDir, where.WorkspaceDir) : QStringList();
    ensureDirectory(state.MasterDir);
    ensureDirectory(state.ProjectsDir);
    ensureDirectory(state.LanguageDir);

    state.Settings = ReadSettingsFile(state.SettingsPath());
    state.ActiveConfigDir.clear();
    result.UpdateTimerEnabled = state.Settings.updateCheckWanted();

    state.WindowTitle = identity::WindowTitle();
    state.SoftwareCode = QString::fromLatin1(identity::SoftwareCode);
    state.SoftwareDescription = QString::fromLatin1(identity::SoftwareDescription);

    SelectLanguage(state.Strings, state.LanguageDir, state.Settings.CurrentLanguage);

    // A saved name that would leave PROJECTS opens nothing, and stays saved as it was.
    const QString& name = state.Settings.ActiveConfigName;
    if (IsPlainName(name) && QFileInfo(state.ConfigDir(name)).isDir())
        state.ActiveConfigDir = state.ConfigDir(name);
    state.Set_Files();

    // An installation's program folder is not meant to be written.
    if (!where.installed() && !probes.isWritable(state.ProgramDir))
        result.Warning = state.Strings[ReadOnlyFolderText].arg(QDir::toNativeSeparators(state.ProgramDir));
    else if (!notCopied.isEmpty())
        result.Warning = state.Strings[NotCopiedText].arg(QDir::toNativeSeparators(state.WorkspaceDir)) +
                         u'\n' + notCopied.join(u'\n');
    return result;
}

} // namespace veldrin
