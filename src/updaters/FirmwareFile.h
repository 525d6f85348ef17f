// The firmware files the updaters load (MASTER/sim30418.sim, MASTER/Sim30418K.sim).
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace veldrin::updaters {

// A firmware file's header and the bytes the device receives.
struct FirmwareFile {
    // The device family the firmware is for: "30418" (serial) or "30418K" (Ethernet).
    QString Family;
    // "1.00": digits, a dot, digits.
    QString Version;
    QByteArray Payload;
};

inline constexpr char SerialFirmwareFamily[] = "30418";
inline constexpr char EthernetFirmwareFamily[] = "30418K";
inline constexpr qint64 MaxFirmwareFileSize = qint64{1024} * 1024;

// The CRC-32 of zip, zlib and PNG (reflected polynomial 0xEDB88320).
std::uint32_t Crc32(const QByteArray& bytes);

// The bytes of a firmware file (format in FirmwareFile.cpp).
QByteArray EncodeFirmwareFile(const FirmwareFile& firmware);

// Reads and checks the firmware file at path: present, in the format, whole, undamaged and
// for the family given. Throws VeldrinError naming the file and what is wrong with it.
FirmwareFile ReadFirmwareFile(const QString& path, const QString& family);

} // namespace veldrin::updaters
