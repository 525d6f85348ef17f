#include "updaters/DeviceAddress.h"

#include "common/Ipv4Address.h"
#include "common/TextRules.h"

namespace veldrin::updaters {
namespace {

constexpr qsizetype MaxPortNameLength = 64;

bool isPortNameCharacter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9') || u == u'-' ||
           u == u'_' || u == u'.';
}

bool isWindowsDeviceName(const QString& base)
{
    const QString upper = AsciiUpper(base);
    if (upper == u"CON" || upper == u"PRN" || upper == u"AUX" || upper == u"NUL")
        return true;
    return upper.size() == 4 && (upper.startsWith(u"COM") || upper.startsWith(u"LPT")) && upper[3] >= u'0' &&
           upper[3] <= u'9';
}

} // namespace

std::optional<QString> PortNameOfField(const QString& field)
{
    const QString prefix = QLatin1String(SerialPortPrefix);
    if (!field.startsWith(prefix))
        return std::nullopt;
    const QString name = field.mid(prefix.size());
    if (name.isEmpty() || name.size() > MaxPortNameLength || name.startsWith(u'.') || name.endsWith(u'.'))
        return std::nullopt;
    for (QChar c : name) {
        if (!isPortNameCharacter(c))
            return std::nullopt;
    }
    return name;
}

QString DeviceFolderOfPort(const QString& portName, bool windowsNames)
{
    if (!windowsNames)
        return portName;
    // Windows takes "COM3" and "COM3.x" alike for its device, so the mark goes after the base.
    const qsizetype dot = portName.indexOf(u'.');
    const QString base = dot < 0 ? portName : portName.left(dot);
    if (!isWindowsDeviceName(base))
        return portName;
    return base + u'_' + portName.mid(base.size());
}

QString DeviceFolderOfPort(const QString& portName)
{
#ifdef Q_OS_WIN
    return DeviceFolderOfPort(portName, true);
#else
    return DeviceFolderOfPort(portName, false);
#endif
}

std::optional<QString> DeviceAddressOf(const QString& text)
{
    const std::optional<std::uint32_t> address = DeviceAddress(text);
    if (!address)
        return std::nullopt;
    return DottedQuad(*address);
}

} // namespace veldrin::updaters
