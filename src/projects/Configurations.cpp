#include "projects/Configurations.h"

#include "common/TextRules.h"
#include "configuration/WorkspaceLayout.h"
#include "lang/StringTable.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace veldrin {
namespace {

constexpr int ConfigurationGoneText = 200; // "The configuration \"%1\" is gone: ..."

bool isWindowsDeviceName(const QString& name)
{
    // Windows refuses these with any extension and blanks before it.
    const QString stem = AsciiUpper(name.section(u'.', 0, 0)).trimmed();
    static const QStringList reserved = {QStringLiteral("CON"), QStringLiteral("PRN"), QStringLiteral("AUX"),
                                         QStringLiteral("NUL")};
    if (reserved.contains(stem))
        return true;
    return stem.size() == 4 && (stem.startsWith(u"COM") || stem.startsWith(u"LPT")) && stem[3] >= u'1' &&
           stem[3] <= u'9';
}

} // namespace

bool IsSafeConfigName(const QString& name)
{
    // Windows drops a trailing blank or period, so such a folder could not be found again
    // there; a name of blanks only would look like no name at all.
    if (name.isEmpty() || name.endsWith(u' ') || name.endsWith(u'.'))
        return false;
    for (QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || QStringLiteral("/\\:*?\"<>|").contains(c))
            return false;
    }
    return !isWindowsDeviceName(name);
}

std::optional<int> CreateConfiguration(const QString& projectsDir, const QString& name)
{
    if (name.isEmpty())
        return NameEmptyMessage;
    if (!IsSafeConfigName(name))
        return NameNotValidMessage;
    // Windows file systems ignore case, and configurations move between machines.
    const QStringList existing =
        QDir(projectsDir).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString& other : existing) {
        if (other.compare(name, Qt::CaseInsensitive) == 0)
            return NameExistsMessage;
    }
    const QString dir = projectsDir + u'/' + name;
    if (QFileInfo::exists(dir) || !QDir().mkdir(dir))
        return NameNotValidMessage;
    QDir().mkpath(layout::ImageDir(dir));
    return std::nullopt;
}

QStringList ListConfigurations(const QString& projectsDir)
{
    QStringList names;
    const QFileInfoList entries = QDir(projectsDir).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries) {
        if (!entry.fileName().startsWith(u'.'))
            names.append(entry.fileName());
    }
    std::stable_sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int folded = a.compare(b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    });
    return names;
}

int Search_Open_Conf(const QStringList& SL, const QString& name)
{
    const int exact = static_cast<int>(SL.indexOf(name));
    if (exact >= 0)
        return exact;
    const QString folded = AsciiUpper(name);
    for (int i = 0; i < SL.size(); ++i) {
        if (AsciiUpper(SL[i]) == folded)
            return i;
    }
    return -1;
}

QString ConfigurationGoneMessage(const QString& name, const QString& configDir, const StringTable& strings)
{
    return strings[ConfigurationGoneText].arg(name, QDir::toNativeSeparators(configDir));
}

} // namespace veldrin
