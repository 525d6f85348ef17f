#include "cli/CliCommand.h"
#include "cli/CliMain.h"
#include "session/ShippedFiles.h"
#include "session/WorkspaceLocation.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
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
