#include "session/Startup.h"

#include "common/TextRules.h"
#include "configuration/WorkspaceLayout.h"
#include "lang/LanguageFile.h"
#include "session/AppState.h"
#include "session/Identity.h"
#include "session/SettingsFile.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace veldrin {
namespace {

constexpr int ReadOnlyFolderText = 218; // "The program folder %1 cannot be written: ..."

void ensureDirectory(const QString& path)
{
    // One level only; a folder that cannot be created shows when it is used.
    if (!QFileInfo(path).isDir())
        QDir().mkdir(path);
}

bool isWritableFolder(const QString& dir)
{
    QTemporaryFile probe(dir + QStringLiteral("/.veldrin-write-test-XXXXXX"));
    return probe.open();
}

} // namespace

StartupResult RunStartup(AppState& state, const QString& programDir)
{
    StartupResult result;
    state.Strings = StringTable();

    state.ProgramDir = QDir::cleanPath(programDir);
    state.MasterDir = layout::In(state.ProgramDir, layout::MasterFolder);
    state.ProjectsDir = layout::In(state.ProgramDir, layout::ProjectsFolder);
    state.LanguageDir = layout::In(state.ProgramDir, layout::LanguageFolder);
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

    if (!isWritableFolder(state.ProgramDir))
        result.Warning = state.Strings[ReadOnlyFolderText].arg(QDir::toNativeSeparators(state.ProgramDir));
    return result;
}

} // namespace veldrin
