#include "common/ExclusiveLock.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QLockFile>
#include <QThread>

#ifdef Q_OS_LINUX
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace veldrin {

ExclusiveLock::ExclusiveLock(const QString& path) : m_path(path) {}

ExclusiveLock::~ExclusiveLock()
{
    unlock();
}

ExclusiveLock::Result ExclusiveLock::tryLock(int waitMs)
{
#ifdef Q_OS_LINUX
    const QDeadlineTimer deadline(waitMs);
    // flock is released by the kernel when its holder ends; the file only names it. A holder
    // removes the file on unlocking, so a lock taken on a file that has meanwhile been removed
    // or replaced is tried again on the file now there.
    const QByteArray path = QFile::encodeName(m_path);
    for (;;) {
        // Never through a link: the lock file is this program's own name, not a way elsewhere.
        const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
        if (fd < 0)
            return Result::Unavailable;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            struct stat held {};
            struct stat named {};
            if (::fstat(fd, &held) == 0 && ::stat(path.constData(), &named) == 0 &&
                held.st_ino == named.st_ino && held.st_dev == named.st_dev) {
                m_fd = fd;
                return Result::Acquired;
            }
            ::close(fd);
            continue;
        }
        const int error = errno;
        ::close(fd);
        if (error != EWOULDBLOCK)
            return Result::Unavailable;
        if (deadline.hasExpired())
            return Result::HeldByAnother;
        QThread::msleep(20);
    }
#else
    // Elsewhere the lock file is opened without sharing, which the system also ends with its
    // holder; QLockFile takes over one whose program has ended.
    m_fallback = std::make_unique<QLockFile>(m_path);
    m_fallback->setStaleLockTime(0);
    if (m_fallback->tryLock(waitMs))
        return Result::Acquired;
    const bool busy = m_fallback->error() == QLockFile::LockFailedError;
    m_fallback.reset();
    return busy ? Result::HeldByAnother : Result::Unavailable;
#endif
}

void ExclusiveLock::unlock()
{
#ifdef Q_OS_LINUX
    if (m_fd >= 0) {
        // Only while the name is still the file locked here.
        const QByteArray path = QFile::encodeName(m_path);
        struct stat held {};
        struct stat named {};
        if (::fstat(m_fd, &held) == 0 && ::lstat(path.constData(), &named) == 0 &&
            held.st_ino == named.st_ino && held.st_dev == named.st_dev)
            ::unlink(path.constData());
        ::close(m_fd);
        m_fd = -1;
    }
#endif
    m_fallback.reset();
}

} // namespace veldrin
