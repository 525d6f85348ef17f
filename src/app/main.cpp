#include "BuildConfig.h"
#include "app/Application.h"
#include "common/MessageBoxPrompts.h"
#include "session/InstanceLock.h"
#include "session/WorkspaceLocation.h"

#include <QApplication>
#include <QDir>
#include <QFont>

namespace {

// Verdana 8 pt where it is installed, else DejaVu Sans, the font the setup installs.
QFont commonFont()
{
    // A list of families, so the font database is not enumerated at start-up.
    QFont font;
    font.setFamilies({QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans")});
    font.setPointSize(8);
    return font;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const veldrin::WorkspaceLocation where = veldrin::LocateWorkspace(QCoreApplication::applicationDirPath());
    // An installation's workspace is made before it is locked; one that cannot be made is
    // reported at start-up.
    if (where.installed())
        QDir().mkpath(where.WorkspaceDir);
    veldrin::InstanceLock instance(where.WorkspaceDir);
    if (!instance.acquire()) {
        veldrin::MessageBoxPrompts().error(instance.alreadyRunningMessage());
        return 1;
    }
    QApplication::setApplicationName(QStringLiteral("Veldrin"));
    // So the desktop finds the configurator's entry and icon for its windows.
    QGuiApplication::setDesktopFileName(QLatin1String(veldrin::build::AppId));
    QApplication::setFont(commonFont());

    veldrin::Application configurator(where);
    QApplication::setApplicationDisplayName(configurator.state().SoftwareCode);
    configurator.show();
    return QApplication::exec();
}
