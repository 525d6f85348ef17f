#include "cli/CliCommand.h"
#include "cli/CliMain.h"
#include "session/ShippedFiles.h"
#include "session/WorkspaceLocation.h"

#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>
#include <cstring>
#include <memory>

int main(int argc, char* argv[])
{
    // Only the report lays out a document, which needs fonts and so a GUI application; it
    // shows no window, so it needs no display either.
    const bool report = argc > 1 && std::strcmp(argv[1], "report") == 0;
    if (report && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::unique_ptr<QCoreApplication> app = report ? std::make_unique<QGuiApplication>(argc, argv)
                                                         : std::make_unique<QCoreApplication>(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    // The configurator's workspace, prepared as the configurator prepares it.
    const veldrin::WorkspaceLocation where = veldrin::LocateWorkspace(QCoreApplication::applicationDirPath());
    if (where.installed()) {
        for (const QString& problem : veldrin::SeedWorkspace(where.DataDir, where.WorkspaceDir))
            err << veldrin::cli::ProgramName << ": " << problem << '\n';
    }
    const int code = veldrin::cli::RunCli(QCoreApplication::arguments().mid(1), where.WorkspaceDir, out, err);
    out.flush();
    err.flush();
    return code;
}
