// The fields of a device image as data, the way veldrin-cli inspect reports them and the
// configuration diff compares them.
#pragma once

#include <QByteArray>
#include <QJsonObject>

namespace veldrin {

// bank.bin: kind, size, header, headerOk and, when the image holds them, the communication
// fields.
QJsonObject GeneralImageReport(const QByteArray& image);
// bank2.bin: kind, size, the filled request slots, the parameter block, the offsets of bytes no
// field explains that differ from what the compiler writes, and the checksum. Throws
// VeldrinError unless the image has the size of one.
QJsonObject RequestImageReport(const QByteArray& image);

} // namespace veldrin
