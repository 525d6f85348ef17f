#include "update/SerialCommandLine.h"

#include "configuration/WorkspaceLayout.h"

#include <QDir>

namespace veldrin {

QString SerialFirmwarePath(const QString& masterDir)
{
    return layout::In(masterDir, layout::SerialFirmwareFile);
}

QString BuildSerialCommandLine(const QString& port, const UpdateOptions& options, const QString& masterDir,
                               const QString& activeConfigDir)
{
    QString line = QStringLiteral("\\\\.\\") + port + u' ';
    line += options.firmware ? QStringLiteral("FW ") : QStringLiteral("NO ");
    line += options.readFirmware ? QStringLiteral("FR ") : QStringLiteral("NO ");
    line += options.config ? QStringLiteral("PW ") : QStringLiteral("NO ");
    line += options.readConfig ? QStringLiteral("PR ") : QStringLiteral("NO ");
    line += u'"' + QDir::toNativeSeparators(SerialFirmwarePath(masterDir)) + QStringLiteral("\" ");
    line += u'"' + QDir::toNativeSeparators(layout::ImageDir(activeConfigDir) + u'/') + u'"';
    return line;
}

} // namespace veldrin
