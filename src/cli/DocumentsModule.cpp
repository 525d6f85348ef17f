#include "cli/DocumentsModule.h"

#include "cli/CliCommand.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>
#include <QTextStream>

#include <cstring>

namespace veldrin::cli {

bool NeedsDocumentsModule(const char* command)
{
    return std::strcmp(command, "report") == 0;
}

int RunInDocumentsModule(int argc, char** argv)
{
    QString folder;
    {
        // Only to find the program's folder: the module makes the application it runs with.
        const QCoreApplication finder(argc, argv);
        folder = QCoreApplication::applicationDirPath();
    }
    // Never unloaded: the program ends inside it.
    QLibrary module(folder + u'/' + QLatin1String(DocumentsModuleFile));
    const auto entry = reinterpret_cast<DocumentsMainFunction>(module.resolve(DocumentsMainEntry));
    if (entry == nullptr) {
        QTextStream(stderr) << ProgramName << ": the program part " << DocumentsModuleFile
                            << " cannot be loaded from " << QDir::toNativeSeparators(folder) << ": "
                            << module.errorString() << '\n';
        return ExitFailed;
    }
    return entry(argc, argv);
}

} // namespace veldrin::cli
