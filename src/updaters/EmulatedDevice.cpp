#include "updaters/EmulatedDevice.h"

#include "common/AtomicFolder.h"
#include "common/ReadWholeFile.h"
#include "common/TextRules.h"
#include "common/VeldrinError.h"
#include "configuration/WorkspaceLayout.h"
#include "image/ImageLayout.h"
#include "updaters/FirmwareFile.h"

#include <QDir>
#include <QFileInfo>

namespace veldrin::updaters {

EmulatedDevice::EmulatedDevice(const QString& workspaceDir, const QString& folderName)
{
    // The names reaching here are checked where they are parsed; this keeps a slip there from
    // writing outside DEVICES.
    if (!IsPlainName(folderName))
        throw VeldrinError(QStringLiteral("\"%1\" cannot name a device folder").arg(folderName));
    m_folder = layout::In(QDir::cleanPath(workspaceDir), layout::DevicesFolder) + u'/' + folderName;
}

void EmulatedDevice::write(const std::vector<std::pair<QString, QByteArray>>& areas) const
{
    const QFileInfo folder(m_folder);
    if (folder.exists() && !folder.isDir())
        throw VeldrinError(QStringLiteral("Cannot write the device: %1 is a file, not a folder")
                               .arg(QDir::toNativeSeparators(m_folder)));
    // The areas not written this time keep what the device held.
    WriteFolderAtomically(m_folder, areas,
                          {QLatin1String(FirmwareArea), QLatin1String(layout::GeneralImageFile),
                           QLatin1String(layout::RequestImageFile)});
}

std::optional<QByteArray> EmulatedDevice::read(const QString& area) const
{
    const QString path = m_folder + u'/' + area;
    // No area of the device holds more than the largest firmware.
    const FileContents file = ReadWholeFile(path, MaxFirmwareFileSize);
    const QString shown = QDir::toNativeSeparators(path);
    switch (file.status) {
    case FileContents::Status::Read:
        return file.bytes;
    case FileContents::Status::Missing:
        return std::nullopt;
    case FileContents::Status::NotAFile:
        throw VeldrinError(QStringLiteral("Cannot read %1: it is not a file").arg(shown));
    case FileContents::Status::TooLarge:
        throw VeldrinError(
            QStringLiteral("Cannot read %1: it is larger than any area of the device").arg(shown));
    case FileContents::Status::Unreadable:
        break;
    }
    throw VeldrinError(QStringLiteral("Cannot read %1: %2").arg(shown, file.reason));
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
