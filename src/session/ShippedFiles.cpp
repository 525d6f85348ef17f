#include "session/ShippedFiles.h"

#include "common/AtomicFile.h"
#include "common/ReadWholeFile.h"
#include "common/VeldrinError.h"
#include "configuration/WorkspaceLayout.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QMap>
#include <QRandomGenerator>

#include <optional>

namespace veldrin {
namespace {

// Far above any language, picture, firmware or configuration file an installation ships.
constexpr qint64 MaxShippedFileSize = qint64{64} * 1024 * 1024;
constexpr qint64 MaxRecordSize = qint64{4} * 1024 * 1024;
// A line of Shipped.sha256: 64 hexadecimal digits, two blanks, the path below the workspace.
constexpr qsizetype ChecksumLength = 64;

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

QByteArray checksumOf(const QByteArray& bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

// The files a folder holds directly, by name; none when it is missing.
QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

// A new folder beside where a copy goes, made as any folder the user makes; removed with what it
// holds unless it was moved into its place.
class StagingFolder {
public:
    StagingFolder(const QString& parent, const QString& name)
    {
        QDir().mkpath(parent);
        for (int attempt = 0; attempt < 100 && m_path.isEmpty(); ++attempt) {
            const QString candidate =
                QStringLiteral("%1/.%2.copy-%3")
                    .arg(parent, name)
                    .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
            if (!QFileInfo::exists(candidate) && QDir().mkdir(candidate))
                m_path = candidate;
        }
    }
    ~StagingFolder()
    {
        if (!m_path.isEmpty())
            QDir(m_path).removeRecursively();
    }
    StagingFolder(const StagingFolder&) = delete;
    StagingFolder& operator=(const StagingFolder&) = delete;

    // "" when no folder could be made.
    const QString& path() const { return m_path; }

    bool moveTo(const QString& target)
    {
        if (!QDir().rename(m_path, target))
            return false;
        m_path.clear();
        return true;
    }

private:
    QString m_path;
};

class Seeder {
public:
    Seeder(const QString& dataDir, const QString& workspaceDir)
        : m_data(dataDir), m_workspace(workspaceDir),
          m_recordPath(layout::In(workspaceDir, layout::ShippedRecordFile))
    {
        readRecord();
    }

    // A language or firmware file, relative to both folders.
    void keepUpToDate(const QString& relative)
    {
        const std::optional<QByteArray> shipped = readShipped(relative);
        if (!shipped)
            return;
        const QByteArray shippedSum = checksumOf(*shipped);
        const QString target = m_workspace + u'/' + relative;
        const FileContents current = ReadWholeFile(target, MaxShippedFileSize);
        if (current.status == FileContents::Status::Missing) {
            if (!m_record.contains(relative))
                write(target, relative, *shipped);
            return;
        }
        // Anything but a file that can be read is the user's doing, left as it is.
        if (!current.read())
            return;
        const QByteArray currentSum = checksumOf(current.bytes);
        if (currentSum == shippedSum)
            remember(relative, shippedSum);
        else if (m_record.value(relative) == currentSum)
            write(target, relative, *shipped);
    }

    // A sample configuration: the folder PROJECTS/name with everything below it.
    void copyOnce(const QString& name)
    {
        const QString relative = QLatin1String(layout::ProjectsFolder) + u'/' + name;
        const QString target = m_workspace + u'/' + relative;
        if (QFileInfo::exists(target) || wasCopied(relative))
            return;
        const QString projects = QFileInfo(target).path();
        // Built beside its place and then moved there, so it never shows half copied.
        StagingFolder staging(projects, name);
        if (staging.path().isEmpty()) {
            m_problems << QStringLiteral(
                              "Cannot copy the sample configuration %1: cannot create a folder in %2")
                              .arg(name, native(projects));
            return;
        }
        QMap<QString, QByteArray> sums;
        const QString source = m_data + u'/' + relative;
        QDirIterator entries(source, QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot,
                             QDirIterator::Subdirectories);
        while (entries.hasNext()) {
            const QString path = entries.next();
            const QString below = QDir(source).relativeFilePath(path);
            const QString copy = staging.path() + u'/' + below;
            if (entries.fileInfo().isDir()) {
                QDir().mkpath(copy);
                continue;
            }
            const std::optional<QByteArray> bytes = readShipped(relative + u'/' + below);
            if (!bytes)
                return;
            try {
                QDir().mkpath(QFileInfo(copy).path());
                WriteFileAtomically(copy, *bytes);
            } catch (const VeldrinError& error) {
                m_problems << error.message();
                return;
            }
            sums.insert(relative + u'/' + below, checksumOf(*bytes));
        }
        if (!staging.moveTo(target)) {
            m_problems << QStringLiteral("Cannot copy the sample configuration %1 into %2")
                              .arg(name, native(projects));
            return;
        }
        for (auto sum = sums.cbegin(); sum != sums.cend(); ++sum)
            remember(sum.key(), sum.value());
    }

    // Writes the record when it changed; gives every problem met.
    QStringList finish()
    {
        if (m_recordChanged) {
            QByteArray text;
            for (auto entry = m_record.cbegin(); entry != m_record.cend(); ++entry)
                text += entry.value() + "  " + entry.key().toUtf8() + '\n';
            try {
                WriteFileAtomically(m_recordPath, text);
            } catch (const VeldrinError& error) {
                m_problems << error.message();
            }
        }
        return m_problems;
    }

private:
    void readRecord()
    {
        const FileContents record = ReadWholeFile(m_recordPath, MaxRecordSize);
        if (!record.read())
            return;
        for (const QByteArray& line : record.bytes.split('\n')) {
            // Lines of another shape are not this program's and name nothing it copied.
            if (line.size() > ChecksumLength + 2 && line.mid(ChecksumLength, 2) == "  ")
                m_record.insert(QString::fromUtf8(line.mid(ChecksumLength + 2)), line.left(ChecksumLength));
        }
    }

    bool wasCopied(const QString& folder) const
    {
        const QString prefix = folder + u'/';
        const auto after = m_record.lowerBound(prefix);
        return after != m_record.cend() && after.key().startsWith(prefix);
    }

    std::optional<QByteArray> readShipped(const QString& relative)
    {
        const QString path = m_data + u'/' + relative;
        FileContents file = ReadWholeFile(path, MaxShippedFileSize);
        if (file.read())
            return std::move(file.bytes);
        QString reason = file.reason;
        if (file.status == FileContents::Status::TooLarge)
            reason = QStringLiteral("it is larger than any file an installation ships");
        else if (file.status != FileContents::Status::Unreadable)
            reason = QStringLiteral("it is not a file");
        m_problems << QStringLiteral("Cannot read %1: %2").arg(native(path), reason);
        return std::nullopt;
    }

    void write(const QString& target, const QString& relative, const QByteArray& bytes)
    {
        try {
            QDir().mkpath(QFileInfo(target).path());
            WriteFileAtomically(target, bytes);
            remember(relative, checksumOf(bytes));
        } catch (const VeldrinError& error) {
            m_problems << error.message();
        }
    }

    void remember(const QString& relative, const QByteArray& sum)
    {
        // A name the record's lines cannot hold is copied but not remembered.
        if (relative.contains(u'\n') || relative.contains(u'\r') || m_record.value(relative) == sum)
            return;
        m_record.insert(relative, sum);
        m_recordChanged = true;
    }

    QString m_data;
    QString m_workspace;
    QString m_recordPath;
    QMap<QString, QByteArray> m_record;
    bool m_recordChanged = false;
    QStringList m_problems;
};

} // namespace

QStringList SeedWorkspace(const QString& dataDir, const QString& workspaceDir)
{
    if (!QFileInfo(dataDir).isDir())
        return {QStringLiteral("Cannot read the installation's files: the folder %1 is missing")
                    .arg(native(dataDir))};
    if (!QDir().mkpath(workspaceDir))
        return {QStringLiteral("Cannot create the folder %1").arg(native(workspaceDir))};
    Seeder seeder(dataDir, workspaceDir);
    for (const char* folder : {layout::LanguageFolder, layout::MasterFolder}) {
        for (const QString& name : filesIn(layout::In(dataDir, folder)))
            seeder.keepUpToDate(QLatin1String(folder) + u'/' + name);
    }
    const QString samples = layout::In(dataDir, layout::ProjectsFolder);
    for (const QString& name : QDir(samples).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        seeder.copyOnce(name);
    return seeder.finish();
}

} // namespace veldrin
