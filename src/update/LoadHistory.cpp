#include "update/LoadHistory.h"

#include "common/AtomicFile.h"
#include "common/ReadWholeFile.h"
#include "common/VeldrinError.h"
#include "configuration/WorkspaceLayout.h"

#include <QCryptographicHash>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace veldrin {
namespace {

// The files a configuration's entry copies, where they are, and their names in the entry.
struct KeptFile {
    QString from;
    QString name;
    bool image;
};

std::vector<KeptFile> keptFiles(const QString& configDir)
{
    const QString images = layout::ImageDir(configDir);
    return {{layout::ParGenPath(configDir), QLatin1String(layout::ParGenFile), false},
            {layout::SetAccessPath(configDir), QLatin1String(layout::SetAccessFile), false},
            {layout::In(images, layout::GeneralImageFile), QLatin1String(layout::GeneralImageFile), true},
            {layout::In(images, layout::RequestImageFile), QLatin1String(layout::RequestImageFile), true}};
}

// Entry names: the UTC time in ISO 8601's basic form, with a suffix when taken.
const QRegularExpression EntryName(QStringLiteral("^\\d{8}T\\d{6}Z(-\\d+)?$"));
const QString PartialPrefix = QStringLiteral(".partial-");

// A copy of a configuration file is at most as large as the files the system reads.
constexpr qint64 FileLimit = qint64{64} * 1024 * 1024;

} // namespace

QByteArray LoadNote(const LoadRecord& record, const std::vector<std::pair<QString, QByteArray>>& images)
{
    QJsonArray kept;
    for (const auto& [name, bytes] : images) {
        kept.append(QJsonObject{
            {QStringLiteral("file"), name},
            {QStringLiteral("size"), static_cast<qint64>(bytes.size())},
            {QStringLiteral("sha256"),
             QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex())}});
    }
    const bool serial = record.route == LoadRecord::Route::Serial;
    return QJsonDocument(
               QJsonObject{
                   {QStringLiteral("time"), record.time.toUTC().toString(Qt::ISODate)},
                   {QStringLiteral("route"), serial ? QStringLiteral("serial") : QStringLiteral("ethernet")},
                   {serial ? QStringLiteral("port") : QStringLiteral("address"), record.target},
                   {QStringLiteral("options"),
                    QJsonObject{{QStringLiteral("firmware"), record.options.firmware},
                                {QStringLiteral("readFirmware"), record.options.readFirmware},
                                {QStringLiteral("configuration"), record.options.config},
                                {QStringLiteral("readConfiguration"), record.options.readConfig}}},
                   {QStringLiteral("exitCode"), record.exitCode},
                   {QStringLiteral("images"), kept}})
        .toJson(QJsonDocument::Indented);
}

QStringList HistoryEntries(const QString& configDir)
{
    const QDir history(layout::In(configDir, HistoryFolder));
    QStringList entries;
    for (const QString& name : history.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        if (EntryName.match(name).hasMatch())
            entries.append(history.filePath(name));
    }
    // A suffix sorts after its base name, and 20261210T144705Z-10 after -9.
    std::sort(entries.begin(), entries.end(), [](const QString& a, const QString& b) {
        const QString nameA = QDir(a).dirName();
        const QString nameB = QDir(b).dirName();
        const qsizetype stamp = QStringLiteral("20261210T144705Z").size();
        if (nameA.left(stamp) != nameB.left(stamp))
            return nameA < nameB;
        return nameA.size() != nameB.size() ? nameA.size() < nameB.size() : nameA < nameB;
    });
    return entries;
}

QString RecordLoad(const QString& configDir, const LoadRecord& record)
{
    if (!QDir(configDir).exists())
        throw VeldrinError(QStringLiteral("The configuration folder %1 no longer exists.")
                               .arg(QDir::toNativeSeparators(configDir)));
    const QString historyDir = layout::In(configDir, HistoryFolder);
    if (!QDir().mkpath(historyDir))
        throw VeldrinError(
            QStringLiteral("Cannot create the folder %1.").arg(QDir::toNativeSeparators(historyDir)));
    QDir history(historyDir);

    // What the configuration holds now.
    std::vector<std::pair<QString, QByteArray>> files;
    std::vector<std::pair<QString, QByteArray>> images;
    for (const KeptFile& kept : keptFiles(configDir)) {
        FileContents contents = ReadWholeFile(kept.from, FileLimit);
        if (contents.status == FileContents::Status::Missing)
            continue;
        if (!contents.read())
            throw VeldrinError(
                QStringLiteral("Cannot keep a copy of %1: %2")
                    .arg(QDir::toNativeSeparators(kept.from),
                         contents.reason.isEmpty() ? QStringLiteral("it cannot be read") : contents.reason));
        if (kept.image)
            images.emplace_back(kept.name, contents.bytes);
        files.emplace_back(kept.name, std::move(contents.bytes));
    }
    files.emplace_back(QLatin1String(LoadNoteFile), LoadNote(record, images));

    // A free name, written whole under a temporary one first.
    const QString stamp = record.time.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
    QString name = stamp;
    for (int n = 2; history.exists(name); ++n)
        name = QStringLiteral("%1-%2").arg(stamp).arg(n);
    const QString partial = history.filePath(PartialPrefix + name);
    QDir(partial).removeRecursively();
    if (!QDir().mkpath(partial))
        throw VeldrinError(
            QStringLiteral("Cannot create the folder %1.").arg(QDir::toNativeSeparators(partial)));
    try {
        for (const auto& [file, bytes] : files)
            WriteFileAtomically(QDir(partial).filePath(file), bytes);
    } catch (const VeldrinError&) {
        QDir(partial).removeRecursively();
        throw;
    }
    QString entry = history.filePath(name);
    if (!history.rename(PartialPrefix + name, name)) {
        QDir(partial).removeRecursively();
        throw VeldrinError(QStringLiteral("Cannot rename %1 to %2.")
                               .arg(QDir::toNativeSeparators(partial), QDir::toNativeSeparators(entry)));
    }

    // The newest entries only, and no leftovers of interrupted writes.
    const QStringList entries = HistoryEntries(configDir);
    for (qsizetype i = 0; i + HistoryLimit < entries.size(); ++i)
        QDir(entries[i]).removeRecursively();
    for (const QString& left : history.entryList({PartialPrefix + u'*'}, QDir::Dirs | QDir::Hidden))
        QDir(history.filePath(left)).removeRecursively();
    return entry;
}

} // namespace veldrin
