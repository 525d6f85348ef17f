// The device an updater talks to, emulated by a folder: DEVICES/<port or address>/ in the
// configurator's workspace (beside the updater in a portable folder) holds what the device's
// memory holds, one file per memory area.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <utility>
#include <vector>

namespace veldrin::updaters {

// The memory areas' file names.
inline constexpr char FirmwareArea[] = "firmware.bin";

class EmulatedDevice {
public:
    // folderName comes from DeviceFolderOfPort or DeviceAddressOf: a plain name.
    EmulatedDevice(const QString& workspaceDir, const QString& folderName);

    // workspaceDir/DEVICES/folderName.
    const QString& folder() const { return m_folder; }

    // Writes the areas (name, bytes) together: all of them or, on failure, none. Throws
    // VeldrinError naming the file or folder and the reason.
    void write(const std::vector<std::pair<QString, QByteArray>>& areas) const;
    // The area's bytes, or nothing when the device holds none there. Throws VeldrinError when
    // the area cannot be read.
    std::optional<QByteArray> read(const QString& area) const;

private:
    QString m_folder;
};

// Compares what a read-back gave with what was meant to be there; "" when they are the same,
// else why they differ ("the device holds no firmware", "first difference at byte 17").
QString ReadBackDifference(const std::optional<QByteArray>& device, const QByteArray& expected);

} // namespace veldrin::updaters
