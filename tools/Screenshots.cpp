// Renders the main window and each of its dialogs to OUT_DIR/NAME.png, working on a copy of
// the application folder so nothing in it changes. Usage: veldrin_screenshots DIST_DIR OUT_DIR
#include "access/DataAreaMapWindow.h"
#include "access/TFSetAccess.h"
#include "app/Application.h"
#include "app/TFAbout.h"
#include "app/TFVeldrineFirmWare.h"
#include "comm/TFParGen.h"
#include "common/Prompts.h"
#include "options/TFSoftOptions.h"
#include "poll/TestPollWindow.h"
#include "projects/TFNew_Project.h"
#include "projects/TFOpenConf.h"
#ifdef VELDRIN_SCREENSHOT_POLL_RUN
#include "support/ModbusSlaveProcess.h"
#include "support/PtyBridge.h"
#endif
#include "update/TFBootSer.h"
#include "update/TFBootTCP.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QPixmap>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

namespace {

// Messages are printed, never shown: nothing may wait for a click here.
class PrintedPrompts : public veldrin::Prompts {
public:
    void error(const QString& text) override { std::fprintf(stderr, "error: %s\n", qPrintable(text)); }
    void warning(const QString& text) override { std::fprintf(stderr, "warning: %s\n", qPrintable(text)); }
    bool question(const QString& text) override
    {
        std::fprintf(stderr, "question: %s\n", qPrintable(text));
        return false;
    }
    int choose(const QString& text, const QStringList&) override
    {
        std::fprintf(stderr, "choice: %s\n", qPrintable(text));
        return -1;
    }
};

bool save(QWidget* window, const QString& outDir)
{
    const QString path = outDir + u'/' + window->objectName() + QStringLiteral(".png");
    if (!window->grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

// The test poll after one round of the sample's rows against the Modbus test slave on a
// pseudo-terminal, where the tests are built; else as it opens.
bool saveTestPoll(veldrin::TFSetAccess& dialog, const QString& outDir)
{
    dialog.Btn_TestPollClick();
    veldrin::TestPollWindow* poll = dialog.pollWindow();
    if (poll == nullptr)
        return false;
#ifdef VELDRIN_SCREENSHOT_POLL_RUN
    veldrin::test::PtyBridge line;
    veldrin::test::ModbusSlaveProcess slave(line.slavePort(), QStringLiteral("rtu"));
    if (!slave.error().isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(slave.error()));
        return false;
    }
    poll->findChild<QComboBox*>(QStringLiteral("CB_Port"))->setEditText(line.masterPort());
    poll->startPoll();
    QElapsedTimer waited;
    waited.start();
    while (poll->running() && waited.elapsed() < 10000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
#endif
    QApplication::processEvents();
    // The port the picture shows: an adapter's, not the pseudo-terminal's.
    poll->findChild<QComboBox*>(QStringLiteral("CB_Port"))->setEditText(QStringLiteral("/dev/ttyUSB0"));
    QApplication::processEvents();
    const bool saved = save(poll, outDir);
    poll->close();
    return saved;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: veldrin_screenshots DIST_DIR OUT_DIR\n");
        return 2;
    }
    QFont font;
    font.setFamilies({QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans")});
    font.setPointSize(8);
    QApplication::setFont(font);

    QTemporaryDir program;
    if (QProcess::execute(QStringLiteral("cp"),
                          {QStringLiteral("-r"), QString::fromLocal8Bit(argv[1]) + QStringLiteral("/."),
                           program.path()}) != 0) {
        std::fprintf(stderr, "cannot copy %s\n", argv[1]);
        return 1;
    }
    QFile::remove(program.filePath(QStringLiteral("Veldrin.xml")));
    const QString outDir = QDir(QString::fromLocal8Bit(argv[2])).absolutePath();

    PrintedPrompts prompts;
    veldrin::Application configurator(program.path(), veldrin::Services{&prompts, nullptr});
    if (QDir(configurator.state().ConfigDir(QStringLiteral("Demo"))).exists()) {
        configurator.state().OpenConfiguration(QStringLiteral("Demo"));
        configurator.mainWindow().ShowActiveConfig();
    }
    configurator.mainWindow().show();
    QApplication::processEvents();
    veldrin::TFVeldrineFirmWare& window = configurator.mainWindow();
    bool ok = save(&window, outDir);

    // Each dialog as the user first opens it.
    for (QDialog* dialog : std::initializer_list<QDialog*>{
             &window.newProjectDialog(), &window.openConfDialog(), &window.aboutDialog(),
             &window.softOptionsDialog(), &window.bootSerDialog(), &window.bootTcpDialog(),
             &window.parGenDialog(), &window.setAccessDialog()}) {
        dialog->show();
        QApplication::processEvents();
        ok = save(dialog, outDir) && ok;
        if (dialog == &window.setAccessDialog()) {
            window.setAccessDialog().Btn_MapClick();
            QApplication::processEvents();
            ok = save(window.setAccessDialog().mapWindow(), outDir) && ok;
            ok = saveTestPoll(window.setAccessDialog(), outDir) && ok;
        }
        dialog->hide();
    }
    return ok ? 0 : 1;
}
