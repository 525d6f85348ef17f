#include "cli/CliMain.h"
#include "cli/DocumentsModule.h"

#include <QCoreApplication>

int main(int argc, char* argv[])
{
    if (argc > 1 && veldrin::cli::NeedsDocumentsModule(argv[1]))
        return veldrin::cli::RunInDocumentsModule(argc, argv);
    const QCoreApplication app(argc, argv);
    return veldrin::cli::CliProgramMain({});
}
