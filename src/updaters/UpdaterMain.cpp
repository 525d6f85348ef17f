#include "updaters/UpdaterMain.h"

#include "common/VeldrinError.h"
#include "session/WorkspaceLocation.h"
#include "updaters/ConsoleReport.h"
#include "updaters/NativeCommandLine.h"
#include "updaters/ProgressWindow.h"
#include "updaters/UpdaterExit.h"

#include <QApplication>
#include <QCoreApplication>
#include <QProcessEnvironment>
#include <QTextStream>

#include <exception>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace veldrin::updaters {
namespace {

QStringList argumentsOf(int argc, char** argv)
{
#ifdef Q_OS_WIN
    // Windows hands over one command line; its own splitting would take the bin folder's
    // trailing backslash for an escaped quote.
    Q_UNUSED(argc);
    Q_UNUSED(argv);
    return ArgumentsOfCommandLine(QString::fromWCharArray(GetCommandLineW()));
#else
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
#endif
}

int runGuarded(const UpdaterBody& body, const QStringList& arguments, UpdaterReport& report)
{
    try {
        // The workspace of the configurator that started it, found by the configurator's rule.
        return body(arguments, LocateWorkspace(QCoreApplication::applicationDirPath()).WorkspaceDir, report);
    } catch (const VeldrinError& error) {
        report.problem(error.message());
        report.finish(false, QStringLiteral("The update stopped."));
        return ExitDeviceFailure;
    } catch (const std::exception& error) {
        // Only the system's own errors carry a message meant for the user; what() is UTF-8.
        report.problem(QString::fromUtf8(error.what()));
        report.finish(false, QStringLiteral("The update stopped."));
        return ExitDeviceFailure;
    }
}

} // namespace

int RunUpdaterProgram(int argc, char** argv, const QString& programName, const UpdaterBody& body)
{
    const QStringList arguments = argumentsOf(argc, argv);
    if (!CanShowWindow(QProcessEnvironment::systemEnvironment())) {
        QCoreApplication app(argc, argv);
        QTextStream out(stdout);
        QTextStream err(stderr);
        ConsoleReport report(out, err);
        return runGuarded(body, arguments, report);
    }
    QApplication app(argc, argv);
    ProgressWindow window(programName);
    window.show();
    const int code = runGuarded(body, arguments, window);
    app.exec();
    return code;
}

} // namespace veldrin::updaters
