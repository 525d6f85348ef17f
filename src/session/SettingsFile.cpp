#include "session/SettingsFile.h"

#include "common/AtomicFile.h"
#include "common/ReadWholeFile.h"
#include "common/VeldrinError.h"
#include "common/XmlDoc.h"

#include <QFileInfo>

namespace veldrin {
namespace {

// The value's text, or nothing when the group or the value element is missing.
std::optional<QString> value(const XmlNode& root, const QString& group, const QString& name)
{
    const XmlNode element = root.child(group).child(name);
    if (element.isNull())
        return std::nullopt;
    return element.text();
}

bool flag(const XmlNode& root, const QString& name)
{
    return value(root, QStringLiteral("lastinternet"), name) == QStringLiteral("1");
}

QString flagText(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

AppSettings ReadSettings(const XmlDoc& doc)
{
    const XmlNode root = doc.root();
    AppSettings settings;
    settings.ActiveConfigName = value(root, QStringLiteral("lastproj"), QStringLiteral("projectname"))
                                    .value_or(settings.ActiveConfigName);
    settings.LastDeviceIp =
        value(root, QStringLiteral("lastipadd"), QStringLiteral("ipaddress")).value_or(settings.LastDeviceIp);
    settings.CurrentLanguage = value(root, QStringLiteral("lastlang"), QStringLiteral("language"))
                                   .value_or(settings.CurrentLanguage);
    settings.InternetEnabled = flag(root, QStringLiteral("enable_internet"));
    settings.UpdateCheckEnabled = flag(root, QStringLiteral("enable_update"));
    return settings;
}

AppSettings ReadSettingsFile(const QString& path)
{
    if (!QFileInfo::exists(path))
        return {};
    try {
        return ReadSettings(XmlDoc::Load(path));
    } catch (const VeldrinError&) {
        return {};
    }
}

QByteArray SettingsFileBytes(const AppSettings& settings)
{
    XmlDoc doc;
    XmlNode root = doc.appendElement(QStringLiteral("Conf_Settings"));
    root.appendElement(QStringLiteral("lastproj"))
        .appendTextElement(QStringLiteral("projectname"), settings.ActiveConfigName);
    root.appendElement(QStringLiteral("lastipadd"))
        .appendTextElement(QStringLiteral("ipaddress"), settings.LastDeviceIp);
    root.appendElement(QStringLiteral("lastlang"))
        .appendTextElement(QStringLiteral("language"), settings.CurrentLanguage);
    XmlNode internet = root.appendElement(QStringLiteral("lastinternet"));
    internet.appendTextElement(QStringLiteral("enable_internet"), flagText(settings.InternetEnabled));
    internet.appendTextElement(QStringLiteral("enable_update"), flagText(settings.UpdateCheckEnabled));
    return doc.toBytes();
}

void WriteSettingsFile(const QString& path, const AppSettings& settings)
{
    const QByteArray bytes = SettingsFileBytes(settings);
    // A file that already holds these bytes is left as it is: closing without a change then
    // costs no write and no disk sync.
    if (const FileContents current = ReadWholeFile(path, bytes.size());
        current.read() && current.bytes == bytes)
        return;
    WriteFileAtomically(path, bytes);
}

} // namespace veldrin
