// One configurator per workspace: two of them would overwrite each other's settings and
// configuration files without a word.
#pragma once

#include "common/ExclusiveLock.h"

#include <QString>

namespace veldrin {

class InstanceLock {
public:
    // The lock file in the workspace (the program folder of a portable configurator).
    explicit InstanceLock(const QString& workspaceDir);

    // Takes the folder for this run. False only when another configurator that is still
    // running holds it; a lock left by a run that ended without releasing it is taken over,
    // and a folder where no lock can be made (read-only) is left to the start-up warning.
    bool acquire();

    // What the user reads when acquire is false, in the language the folder's settings name.
    QString alreadyRunningMessage() const;

private:
    QString m_workspaceDir;
    ExclusiveLock m_lock;
};

} // namespace veldrin
