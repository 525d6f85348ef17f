#include "app/Application.h"
#include "app/TFVeldrineFirmWare.h"
#include "common/MessageBoxPrompts.h"
#include "session/InstanceLock.h"

#include <QApplication>
#include <QTimer>

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

// For the start-up benchmark only: end the program once the main window has painted.
class QuitAfterFirstPaint : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        return QObject::eventFilter(watched, event);
    }
};

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
    if (qEnvironmentVariableIsSet("VELDRIN_QUIT_AFTER_FIRST_PAINT"))
        configurator.mainWindow().installEventFilter(new QuitAfterFirstPaint(&app));
    configurator.show();
    return QApplication::exec();
}
