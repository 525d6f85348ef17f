#include "session/InstanceLock.h"

#include "configuration/WorkspaceLayout.h"

#include <QDir>

namespace veldrin {

InstanceLock::InstanceLock(const QString& programDir)
    : m_programDir(programDir), m_lock(QDir(programDir).filePath(QLatin1String(layout::LockFile)))
{}

bool InstanceLock::acquire()
{
    return m_lock.tryLock(0) != ExclusiveLock::Result::HeldByAnother;
}

QString InstanceLock::alreadyRunningMessage() const
{
    return QStringLiteral("The configurator is already running from the folder %1. Use the window that is "
                          "open; a second one would overwrite its settings and configurations.")
        .arg(QDir::toNativeSeparators(m_programDir));
}

} // namespace veldrin
