#include "options/LanguageList.h"

#include "configuration/WorkspaceLayout.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace veldrin {

QStringList Create_Lang_List(const QString& languageDir)
{
    QStringList names;
    const QFileInfoList entries =
        QDir(languageDir)
            .entryInfoList({QStringLiteral("*.lng")},
                           QDir::Files | QDir::Hidden | QDir::System | QDir::CaseSensitive);
    for (const QFileInfo& entry : entries) {
        // Only a name that ends exactly in ".lng" can be loaded back by its stem.
        if (!entry.fileName().endsWith(u".lng") || !entry.isFile() || entry.isSymLink())
            continue;
        if (!(entry.permissions() & QFileDevice::WriteOwner))
            continue;
        names.append(entry.fileName());
    }
    std::stable_sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return names;
}

QString LanguageName(const QString& fileName)
{
    return fileName.left(fileName.size() - 4);
}

LanguagePage Update_Lang_Page(int Num_Page, int count)
{
    LanguagePage page;
    page.pages = (count + LanguagesPerPage - 1) / LanguagesPerPage;
    page.first = (Num_Page - 1) * LanguagesPerPage;
    page.shown = std::clamp(count - page.first, 0, LanguagesPerPage);
    page.prevShown = Num_Page != 1;
    page.nextShown = Num_Page != page.pages;
    return page;
}

int TurnLanguagePage(int page, bool forward, int count)
{
    const int pages = Update_Lang_Page(1, count).pages;
    if (forward && pages >= page + 1)
        return page + 1;
    if (!forward && page >= 2)
        return page - 1;
    return page;
}

qsizetype LanguageOfSlot(int page, int slot, int count)
{
    const qsizetype index = qsizetype(page - 1) * LanguagesPerPage + slot - 1;
    if (slot < 1 || slot > LanguagesPerPage || index < 0 || index >= count)
        return -1;
    return index;
}

QString LanguageFlagPath(const QString& languageDir, const QString& name)
{
    QString flag = languageDir + u'/' + name + QStringLiteral(".bmp");
    if (!QFileInfo::exists(flag))
        flag = layout::In(languageDir, layout::DefaultFlagFile);
    return QFileInfo(flag).isFile() ? flag : QString();
}

} // namespace veldrin
