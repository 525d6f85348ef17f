#include "poll/SerialPortPath.h"

#include "lang/StringTable.h"
#include "poll/PollTexts.h"

#include <QDir>
#include <QFileInfo>

namespace veldrin {

std::optional<QString> CanonicalPortPath(const QString& chosen)
{
    const QString name = chosen.trimmed();
    if (name.isEmpty())
        return std::nullopt;
#ifdef Q_OS_WIN
    // COM ports are names, not files.
    return name;
#else
    const QString path = name.contains(u'/') ? name : QStringLiteral("/dev/") + name;
    const QString canonical = QFileInfo(path).canonicalFilePath();
    if (canonical.isEmpty())
        return std::nullopt;
    return canonical;
#endif
}

QString PortOpenMessage(const QString& path, QSerialPort::SerialPortError error, const QString& reason,
                        const StringTable& strings)
{
    const QString port = QDir::toNativeSeparators(path);
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return strings[polltext::PortMissing].arg(port);
    case QSerialPort::PermissionError:
        // The serial-port service reports a port another program holds as a failure to lock it.
        if (reason.contains(QStringLiteral("locking"), Qt::CaseInsensitive))
            return strings[polltext::PortBusy].arg(port);
        return strings[polltext::PortNoAccess];
    default:
        return strings[polltext::PortFailed].arg(port, reason);
    }
}

QString PortLostMessage(const QString& path, const QString& reason, const StringTable& strings)
{
    return strings[polltext::PortLost].arg(QDir::toNativeSeparators(path), reason);
}

} // namespace veldrin
