// A program folder as the configurator leaves it for an updater: the two firmware files in
// MASTER and a configuration whose bin folder holds freshly compiled images.
#pragma once

#include "image/DeviceImages.h"
#include "image/ImageFiles.h"
#include "support/TempProgramDir.h"
#include "updaters/FirmwareFile.h"

#include <QDir>
#include <QFileInfo>

namespace veldrin::updaters::test {

// Firmware bytes that differ between families and hold every byte value.
inline QByteArray FirmwarePayload(char seed)
{
    QByteArray payload;
    for (int i = 0; i < 3000; ++i)
        payload.append(char(i * 7 + seed));
    return payload;
}

class UpdaterFiles : public veldrin::test::TempProgramDir {
public:
    UpdaterFiles()
    {
        write(
            QStringLiteral("MASTER/sim30418.sim"),
            EncodeFirmwareFile({QLatin1String(SerialFirmwareFamily), QStringLiteral("1.00"), SerialPayload}));
        write(QStringLiteral("MASTER/Sim30418K.sim"),
              EncodeFirmwareFile(
                  {QLatin1String(EthernetFirmwareFamily), QStringLiteral("2.10"), EthernetPayload}));
        write(QStringLiteral("PROJECTS/Line 1/ParGen.xml"), veldrin::test::ParGenFile());
        write(QStringLiteral("PROJECTS/Line 1/ModbusM_SetAccess.xml"),
              veldrin::test::SetAccessFile({veldrin::test::ReadRow()}, {veldrin::test::WriteRow()}));
        const DeviceImages images =
            CompileConfigurationImages(configDir() + QStringLiteral("/ParGen.xml"),
                                       configDir() + QStringLiteral("/ModbusM_SetAccess.xml"), binDir());
        GeneralImage = images.GeneralImage;
        RequestImage = images.RequestImage;
    }

    QString masterDir() const { return file(QStringLiteral("MASTER")); }
    QString serialFirmware() const { return file(QStringLiteral("MASTER/sim30418.sim")); }
    QString ethernetFirmware() const { return file(QStringLiteral("MASTER/Sim30418K.sim")); }
    QString configDir() const { return file(QStringLiteral("PROJECTS/Line 1")); }
    QString binDir() const { return file(QStringLiteral("PROJECTS/Line 1/bin")); }
    QString bank() const { return binDir() + QStringLiteral("/bank.bin"); }
    QString bank2() const { return binDir() + QStringLiteral("/bank2.bin"); }

    bool hasDevices() const { return QFileInfo::exists(file(QStringLiteral("DEVICES"))); }
    // The names of the files the emulated device holds.
    QStringList deviceAreas(const QString& device) const
    {
        return QDir(file(QStringLiteral("DEVICES/") + device)).entryList(QDir::Files, QDir::Name);
    }
    QByteArray deviceArea(const QString& device, const QString& area) const
    {
        return read(QStringLiteral("DEVICES/%1/%2").arg(device, area));
    }

    const QByteArray SerialPayload = FirmwarePayload(1);
    const QByteArray EthernetPayload = FirmwarePayload(2);
    QByteArray GeneralImage;
    QByteArray RequestImage;
};

} // namespace veldrin::updaters::test
