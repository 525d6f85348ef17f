#include "cli/CompileCommand.h"

#include "common/VeldrinError.h"
#include "configuration/WorkspaceLayout.h"
#include "image/DeviceImages.h"
#include "image/ImageLayout.h"

#include <QDir>
#include <QFileInfo>

namespace veldrin::cli {

CompileCommand::CompileCommand()
    : m_outOption(QStringLiteral("out"),
                  QStringLiteral("The folder to write the two images into, replacing what it holds; "
                                 "it may hold nothing else (default: CONFIG_DIR/bin)."),
                  QStringLiteral("DIR"))
{}

QString CompileCommand::description() const
{
    return QStringLiteral("Compiles a configuration into the device's images, bank.bin and bank2.bin.\n"
                          "Exits with 1 when the configuration does not compile or the images cannot be\n"
                          "written.");
}

QList<CliArgument> CompileCommand::arguments() const
{
    return {{QStringLiteral("CONFIG_DIR"),
             QStringLiteral("The configuration folder, holding ParGen.xml and ModbusM_SetAccess.xml.")}};
}

int CompileCommand::run(const QCommandLineParser& commandLine, QTextStream& out, QTextStream& err)
{
    const QString configDir = commandLine.positionalArguments().constFirst();
    QString outDir = commandLine.value(m_outOption);
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
