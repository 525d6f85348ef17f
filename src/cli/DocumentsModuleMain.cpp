// The documents module: veldrin-cli with a GUI application, whose fonts laying out a document
// needs, and the commissioning report's writer.
#include "cli/CliMain.h"
#include "report/ReportDocument.h"

#include <QGuiApplication>

extern "C" Q_DECL_EXPORT int veldrin_documents_main(int argc, char** argv)
{
    // No window is shown, so no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QGuiApplication app(argc, argv);
    return veldrin::cli::CliProgramMain(veldrin::WriteCommissioningReport);
}
