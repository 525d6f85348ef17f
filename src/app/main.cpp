#include "app/Application.h"
#include "common/MessageBoxPrompts.h"
#include "session/InstanceLock.h"

#include <QApplication>
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
    const QString programDir = QCoreApplication::applicationDirPath();
    veldrin::InstanceLock instance(programDir);
    if (!instance.acquire()) {
        veldrin::MessageBoxPrompts().error(instance.alreadyRunningMessage());
        return 1;
    }
    QApplication::setApplicationName(QStringLiteral("Veldrin"));
    QApplication::setFont(commonFont());

    veldrin::Application configurator(programDir);
    QApplication::setApplicationDisplayName(configurator.state().SoftwareCode);
    configurator.show();
    return QApplication::exec();
}
