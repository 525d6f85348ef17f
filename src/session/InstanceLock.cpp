#include "session/InstanceLock.h"

#include "configuration/WorkspaceLayout.h"
#include "lang/LanguageFile.h"
#include "lang/StringTable.h"
#include "session/SettingsFile.h"

#include <QDir>

namespace veldrin {
namespace {

constexpr int AlreadyRunningText = 219; // "The configurator is already running from the folder %1. ..."

} // namespace

InstanceLock::InstanceLock(const QString& workspaceDir)
    : m_workspaceDir(workspaceDir), m_lock(QDir(workspaceDir).filePath(QLatin1String(layout::LockFile)))
{}

bool InstanceLock::acquire()
{
    return m_lock.tryLock(0) != ExclusiveLock::Result::HeldByAnother;
}

QString InstanceLock::alreadyRunningMessage() const
{
    // In the language the running configurator shows, the one its settings name.
    QString language = ReadSettingsFile(layout::In(m_workspaceDir, layout::SettingsFile)).CurrentLanguage;
    StringTable strings;
    SelectLanguage(strings, layout::In(m_workspaceDir, layout::LanguageFolder), language);
    return strings[AlreadyRunningText].arg(QDir::toNativeSeparators(m_workspaceDir));
}

} // namespace veldrin
