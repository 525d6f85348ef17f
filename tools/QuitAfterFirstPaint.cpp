// Linked into a second build of the configurator's own main(), for measuring and tests only:
// the program ends once its main window has painted, so a run measures start to first paint.
#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

namespace {

class QuitAfterFirstPaint : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->objectName() == u"TFVeldrineFirmWare")
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        return QObject::eventFilter(watched, event);
    }
};

// Runs as soon as the application object exists, before main() builds any window.
void watchForFirstPaint()
{
    qApp->installEventFilter(new QuitAfterFirstPaint(qApp));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(watchForFirstPaint)
