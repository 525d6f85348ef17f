#include "cli/CompileCommand.h"

#include "common/VeldrinError.h"
#include "configuration/WorkspaceLayout.h"
#include "image/DeviceImages.h"
#include "image/ImageLayout.h"

#include <QDir>
#include <QFileInfo>

namespace veldrin::cli {

QString CompileCommand::usage() const
{
    return QStringLiteral(
        "compile CONFIG_DIR [--out DIR]   compiles the configuration's ParGen.xml and "
        "ModbusM_SetAccess.xml into bank.bin and bank2.bin in DIR (default CONFIG_DIR/bin)");
}

int CompileCommand::run(const QStringList& args, QTextStream& out, QTextStream& err)
{
    QString configDir;
    QString outDir;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == u"--out" && i + 1 < args.size()) {
            outDir = args[++i];
        } else if (!arg.startsWith(u'-') && configDir.isEmpty()) {
            configDir = arg;
        } else {
            err << "veldrin-cli compile: unknown or incomplete argument '" << arg << "'\n" << usage() << '\n';
            return ExitUsage;
        }
    }
    if (configDir.isEmpty()) {
        err << "veldrin-cli compile: no configuration folder given\n" << usage() << '\n';
        return ExitUsage;
    }
    if (!QFileInfo(configDir).isDir()) {
        err << "veldrin-cli compile: " << QDir::toNativeSeparators(configDir) << " is not a folder\n";
        return ExitUsage;
    }
    const QString config = QDir::cleanPath(configDir);
    if (outDir.isEmpty())
        outDir = layout::ImageDir(config);
    outDir = QDir::cleanPath(outDir);

    try {
        const DeviceImages images =
            CompileConfigurationImages(layout::ParGenPath(config), layout::SetAccessPath(config), outDir);
        const std::uint32_t total = images.Counts.RequestCount;
        const std::uint32_t reads =
            images.Counts.FirstWriteRequest == 0 ? total : images.Counts.FirstWriteRequest - 1;
        const QString dir = QDir::toNativeSeparators(outDir + u'/');
        out << "Wrote " << dir << layout::GeneralImageFile << " (" << images.GeneralImage.size()
            << " bytes) and " << dir << layout::RequestImageFile << " (" << images.RequestImage.size()
            << " bytes): " << total << (total == 1 ? " request" : " requests") << " (" << reads << " read, "
            << total - reads << " write)\n";
        return ExitOk;
    } catch (const VeldrinError& error) {
        err << "veldrin-cli compile: " << error.message() << '\n';
        return ExitFailed;
    }
}

} // namespace veldrin::cli
