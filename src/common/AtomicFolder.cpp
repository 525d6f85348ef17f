#include "common/AtomicFolder.h"

#include "common/AtomicFile.h"
#include "common/ExclusiveLock.h"
#include "common/VeldrinError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#ifdef Q_OS_LINUX
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace veldrin {
namespace {

// How long a second writer of the same folder waits for the first.
constexpr int ConcurrentWriterWaitMs = 3000;

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

std::filesystem::path fsPath(const QString& path)
{
    return std::filesystem::path(path.toStdU16String());
}

QString cannotWrite(const QString& path, const QString& reason)
{
    return QStringLiteral("Cannot write %1: %2").arg(native(path), reason);
}

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

enum class Exchange { Done, Unsupported, Failed };

// Swaps the two folders' names in one step, or moves from to the free name to.
Exchange exchangeFolders(const QString& from, const QString& to, bool toExists, int& error)
{
#ifdef Q_OS_LINUX
    const QByteArray a = QFile::encodeName(from);
    const QByteArray b = QFile::encodeName(to);
    const int result = ::renameat2(AT_FDCWD, a.constData(), AT_FDCWD, b.constData(),
                                   toExists ? RENAME_EXCHANGE : RENAME_NOREPLACE);
    error = errno;
    if (result == 0)
        return Exchange::Done;
    // No exchange on this file system, a mount point, or a layer of an overlay.
    if (error == EINVAL || error == ENOSYS || error == ENOTSUP || error == EOPNOTSUPP || error == EBUSY ||
        error == EXDEV)
        return toExists ? Exchange::Unsupported
                        : (::rename(a.constData(), b.constData()) == 0 ? Exchange::Done : Exchange::Failed);
    return Exchange::Failed;
#else
    if (toExists)
        return Exchange::Unsupported;
    error = 0;
    return QDir().rename(from, to) ? Exchange::Done : Exchange::Failed;
#endif
}

// Makes what was written to a folder's entries durable before it is renamed or relied on.
void syncPath(const QString& path)
{
#ifdef Q_OS_LINUX
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#else
    Q_UNUSED(path);
#endif
}

void writeSynced(const QString& path, const QByteArray& data)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
        throw VeldrinError(cannotWrite(path, file.errorString()));
    WriteAll(file, data, path);
#ifdef Q_OS_LINUX
    if (::fsync(file.handle()) != 0)
        throw VeldrinError(cannotWrite(path, systemReason(errno)));
#endif
    file.close();
    if (file.error() != QFileDevice::NoError)
        throw VeldrinError(cannotWrite(path, file.errorString()));
}

// A file kept from the previous folder: linked where the file system allows, else copied.
void carryOver(const QString& from, const QString& to)
{
    std::error_code error;
    std::filesystem::create_hard_link(fsPath(from), fsPath(to), error);
    if (!error)
        return;
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        throw VeldrinError(QStringLiteral("Cannot read %1: %2").arg(native(from), source.errorString()));
    writeSynced(to, source.readAll());
}

QString swapPrefix(const QString& name)
{
    return u'.' + name + QStringLiteral(".swap-");
}

// The folder the new files are written into, beside the target; made as any new folder is,
// so it takes the permissions a folder made by the user would have.
class StagingFolder {
public:
    StagingFolder(const QString& parent, const QString& prefix, const QString& shown, const QStringList& own)
        : m_own(own)
    {
        static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
        for (int attempt = 0; attempt < 100 && m_path.isEmpty(); ++attempt) {
            QString candidate = parent + u'/' + prefix;
            for (int i = 0; i < 6; ++i)
                candidate +=
                    QLatin1Char(letters[QRandomGenerator::global()->bounded(int(sizeof letters) - 1)]);
            std::error_code error;
            if (std::filesystem::create_directory(fsPath(candidate), error))
                m_path = candidate;
            else if (error)
                throw VeldrinError(
                    QStringLiteral("Cannot write into %1: cannot create a folder beside it in %2: %3")
                        .arg(shown, native(parent), QString::fromLocal8Bit(error.message())));
        }
        if (m_path.isEmpty())
            throw VeldrinError(QStringLiteral("Cannot write into %1: cannot create a folder beside it in %2")
                                   .arg(shown, native(parent)));
    }
    ~StagingFolder() { removeOwn(m_own); }

    // Removes the files of the given names and then the folder, if nothing else is left in it:
    // after the exchange it holds the previous folder, and a file someone put there meanwhile is
    // not this writer's to remove. Gives what is left.
    QStringList removeOwn(const QStringList& own)
    {
        if (m_path.isEmpty())
            return {};
        QDir folder(m_path);
        for (const QString& entry : own) {
            const QFileInfo file(folder.filePath(entry));
            if (file.isFile() && !file.isSymLink())
                folder.remove(entry);
        }
        QStringList left =
            folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        if (left.isEmpty())
            QDir().rmdir(m_path);
        m_path.clear();
        return left;
    }
    StagingFolder(const StagingFolder&) = delete;
    StagingFolder& operator=(const StagingFolder&) = delete;

    const QString& path() const { return m_path; }
    QString filePath(const QString& name) const { return m_path + u'/' + name; }

private:
    QString m_path;
    QStringList m_own;
};

// The folders an interrupted write leaves beside the target: its own files are removed, and
// the folder when nothing else is in it. Only names this writer makes.
void removeLeftovers(const QString& parent, const QString& name, const QStringList& own)
{
    const QRegularExpression swapName(QStringLiteral("^") + QRegularExpression::escape(swapPrefix(name)) +
                                      QStringLiteral("[A-Za-z0-9]{6}$"));
    const QFileInfoList siblings =
        QDir(parent).entryInfoList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QFileInfo& sibling : siblings) {
        if (sibling.isSymLink() || !swapName.match(sibling.fileName()).hasMatch())
            continue;
        QDir folder(sibling.filePath());
        for (const QString& entry : own) {
            const QFileInfo file(folder.filePath(entry));
            if (file.isFile() && !file.isSymLink())
                folder.remove(entry);
        }
        QDir(parent).rmdir(sibling.fileName());
    }
}

} // namespace

void WriteFolderAtomically(const QString& folder, const std::vector<std::pair<QString, QByteArray>>& files,
                           const QStringList& carried)
{
    QStringList own = carried;
    for (const auto& [name, data] : files)
        own.append(name);

    const QFileInfo info(folder);
    const bool exists = info.exists();
    if (!exists && info.isSymLink())
        throw VeldrinError(
            QStringLiteral("Cannot write into %1: it is a link to a folder that does not exist")
                .arg(native(folder)));
    if (exists && !info.isDir())
        throw VeldrinError(
            QStringLiteral("Cannot write into %1: it is a file, not a folder").arg(native(folder)));
    // A link to a folder stays a link; the folder it names is the one replaced.
    const QString target = exists ? info.canonicalFilePath() : QDir::cleanPath(info.absoluteFilePath());
    const QString shown = native(target);
    const QString parent = QFileInfo(target).path();
    const QString name = QFileInfo(target).fileName();
    if (name.isEmpty() || QFileInfo(target).isRoot())
        throw VeldrinError(QStringLiteral("Cannot write into %1: a folder of its own is needed").arg(shown));
    if (exists && !info.isWritable())
        throw VeldrinError(QStringLiteral("Cannot write into %1: the folder is read-only").arg(shown));
    if (exists && target == QDir::current().canonicalPath())
        throw VeldrinError(
            QStringLiteral("Cannot write into %1: it is the folder this program runs in, and the "
                           "files are put in place by replacing the whole folder; name another one")
                .arg(shown));

    std::error_code error;
    std::filesystem::create_directories(fsPath(parent), error);
    if (error)
        throw VeldrinError(QStringLiteral("Cannot create the folder %1: %2")
                               .arg(native(parent), QString::fromLocal8Bit(error.message())));

    ExclusiveLock lock(parent + QStringLiteral("/.") + name + QStringLiteral(".lock"));
    const ExclusiveLock::Result locked = lock.tryLock(ConcurrentWriterWaitMs);
    if (locked == ExclusiveLock::Result::HeldByAnother)
        throw VeldrinError(
            QStringLiteral("Cannot write into %1: another program is writing there now; try again "
                           "when it has finished")
                .arg(shown));
    // Without the lock (a file system without locks) another writer's folder may be in use.
    if (locked == ExclusiveLock::Result::Acquired)
        removeLeftovers(parent, name, own);
    if (exists) {
        for (const QString& entry :
             QDir(target).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
            const QFileInfo file(target + u'/' + entry);
            if (!own.contains(entry) || file.isSymLink() || !file.isFile())
                throw VeldrinError(
                    QStringLiteral("Cannot write into %1: it holds %2, which is not a file this "
                                   "program writes there; the files are put in place by replacing the whole "
                                   "folder, so it may hold only %3 (move anything else elsewhere, or remove "
                                   "it if it is the leftover of an interrupted write)")
                        .arg(shown, entry, own.join(QStringLiteral(", "))));
        }
    }

    // Removed when this function ends: with the new files on a failure, with the previous
    // folder's after the exchange.
    StagingFolder staging(parent, swapPrefix(name), shown, own);
    for (const auto& [file, data] : files)
        writeSynced(staging.filePath(file), data);
    for (const QString& file : carried) {
        const QString previous = target + u'/' + file;
        const bool written =
            std::any_of(files.begin(), files.end(), [&](const auto& f) { return f.first == file; });
        if (!written && exists && QFileInfo(previous).isFile())
            carryOver(previous, staging.filePath(file));
    }
    if (exists)
        QFile::setPermissions(staging.path(), info.permissions());
    syncPath(staging.path());

    int reason = 0;
    switch (exchangeFolders(staging.path(), target, exists, reason)) {
    case Exchange::Done:
        break;
    case Exchange::Unsupported:
        // Today's order: each synced file renamed into place, one after the other.
        for (const auto& [file, data] : files) {
            std::error_code failure;
            std::filesystem::rename(fsPath(staging.filePath(file)), fsPath(target + u'/' + file), failure);
            if (failure)
                throw VeldrinError(
                    QStringLiteral(
                        "Cannot put %1 in place in %2: %3 (the folder cannot be exchanged in one step "
                        "there, so the files were being replaced one after the other and may not "
                        "belong together now)")
                        .arg(file, shown, QString::fromLocal8Bit(failure.message())));
        }
        syncPath(target);
        return;
    case Exchange::Failed:
        throw VeldrinError(
            QStringLiteral("Cannot put the new files in place in %1: %2").arg(shown, systemReason(reason)));
    }
    syncPath(parent);
    const QString previous = native(staging.path());
    const QStringList strays = staging.removeOwn(own);
    if (!strays.isEmpty())
        throw VeldrinError(
            QStringLiteral("The new files are in place in %1, but %2 appeared in it while they were "
                           "written and is now in %3")
                .arg(shown, strays.join(QStringLiteral(", ")), previous));
}

} // namespace veldrin
