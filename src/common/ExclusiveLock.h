// A lock file that one program at a time can hold, and that the system frees when the
// program ends in any way, so a crash never leaves a lock nobody can take.
#pragma once

#include <QString>

#include <memory>

class QLockFile;

namespace veldrin {

class ExclusiveLock {
public:
    enum class Result { Acquired, HeldByAnother, Unavailable };

    explicit ExclusiveLock(const QString& path);
    ~ExclusiveLock();
    ExclusiveLock(const ExclusiveLock&) = delete;
    ExclusiveLock& operator=(const ExclusiveLock&) = delete;

    // Tries for up to waitMs. Unavailable when no lock file can be made there (a read-only
    // folder): the caller decides whether to go on without it.
    Result tryLock(int waitMs);
    // Removes the lock file and frees the lock; also done on destruction.
    void unlock();

private:
    QString m_path;
    int m_fd = -1;
    std::unique_ptr<QLockFile> m_fallback;
};

} // namespace veldrin
