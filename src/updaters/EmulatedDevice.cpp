#include "updaters/EmulatedDevice.h"

#include "common/AtomicFile.h"
#include "common/TextRules.h"
#include "common/VeldrinError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

namespace veldrin::updaters {

EmulatedDevice::EmulatedDevice(const QString& programDir, const QString& folderName)
{
    // The names reaching here are checked where they are parsed; this keeps a slip there from
    // writing outside DEVICES.
    if (!IsPlainName(folderName))
        throw VeldrinError(QStringLiteral("\"%1\" cannot name a device folder").arg(folderName));
    m_folder = QDir::cleanPath(programDir) + QStringLiteral("/DEVICES/") + folderName;
}

void EmulatedDevice::write(const std::vector<std::pair<QString, QByteArray>>& areas) const
{
    const QString shown = QDir::toNativeSeparators(m_folder);
    const QFileInfo folder(m_folder);
    if (folder.exists() && !folder.isDir())
        throw VeldrinError(QStringLiteral("Cannot write the device: %1 is a file, not a folder").arg(shown));
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(m_folder.toStdU16String()), error);
    if (error)
        throw VeldrinError(QStringLiteral("Cannot create the device folder %1: %2")
                               .arg(shown, QString::fromLocal8Bit(error.message())));
    std::vector<std::pair<QString, QByteArray>> files;
    for (const auto& [area, bytes] : areas)
        files.emplace_back(m_folder + u'/' + area, bytes);
    WriteFilesAtomically(files);
}

std::optional<QByteArray> EmulatedDevice::read(const QString& area) const
{
    const QString path = m_folder + u'/' + area;
    if (!QFileInfo::exists(path))
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw VeldrinError(
            QStringLiteral("Cannot read %1: %2").arg(QDir::toNativeSeparators(path), file.errorString()));
    return file.readAll();
}

QString ReadBackDifference(const std::optional<QByteArray>& device, const QByteArray& expected)
{
    if (!device)
        return QStringLiteral("the device holds nothing there");
    if (device->size() != expected.size())
        return QStringLiteral("the device holds %1 bytes, the file %2")
            .arg(device->size())
            .arg(expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i) {
        if (device->at(i) != expected.at(i))
            return QStringLiteral("first difference at byte %1 of %2").arg(i).arg(expected.size());
    }
    return {};
}

} // namespace veldrin::updaters
