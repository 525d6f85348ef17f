#include "session/WorkspaceLocation.h"

#include "common/ReadWholeFile.h"
#include "configuration/WorkspaceLayout.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace veldrin {
namespace {

// The file "installed" holds one relative path; anything longer is not one.
constexpr qint64 MaxInstalledMarkerSize = 4096;

bool canCreateFilesIn(const QString& folder)
{
    QTemporaryFile probe(folder + QStringLiteral("/.veldrin-write-test-XXXXXX"));
    return probe.open();
}

QString userWorkspaceDir()
{
    // The generic location plus a fixed name rather than AppDataLocation, which follows the
    // name of the program asking: veldrin-cli and the updaters find the configurator's folder.
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return data.isEmpty() ? QString() : layout::In(data, layout::UserWorkspaceFolder);
}

// The data folder the installation's marker names, or the program folder when it names none.
QString dataDirOf(const QString& programDir)
{
    const FileContents marker =
        ReadWholeFile(layout::In(programDir, layout::InstalledMarkerFile), MaxInstalledMarkerSize);
    const QString relative = marker.read() ? QString::fromUtf8(marker.bytes).trimmed() : QString();
    if (relative.isEmpty())
        return programDir;
    return QDir::cleanPath(QDir(programDir).absoluteFilePath(relative));
}

} // namespace

WorkspaceLocation WorkspaceLocation::Portable(const QString& programDir)
{
    const QString dir = QDir::cleanPath(programDir);
    return {WorkspaceMode::Portable, dir, dir, dir};
}

WorkspaceProbes SystemWorkspaceProbes()
{
    return {&canCreateFilesIn, &userWorkspaceDir};
}

WorkspaceLocation LocateWorkspace(const QString& programDir, const WorkspaceProbes& probes)
{
    const QString dir = QDir::cleanPath(programDir);
    if (QFileInfo::exists(layout::In(dir, layout::PortableMarkerFile)))
        return WorkspaceLocation::Portable(dir);
    // An installation's folder stays installed for root too, who can write it: the package
    // manager owns what lies there.
    const bool marked = QFileInfo::exists(layout::In(dir, layout::InstalledMarkerFile));
    if (!marked && probes.isWritable(dir))
        return WorkspaceLocation::Portable(dir);
    const QString workspace = QDir::cleanPath(probes.userWorkspaceDir());
    // Without a data folder for the user there is nowhere else: the folder stays the workspace,
    // and start-up warns that it cannot be written.
    if (workspace.isEmpty())
        return WorkspaceLocation::Portable(dir);
    return {WorkspaceMode::Installed, dir, dataDirOf(dir), workspace};
}

} // namespace veldrin
