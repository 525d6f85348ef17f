// Reads the configuration images an updater loads and checks them as the device would.
#pragma once

#include <QByteArray>
#include <QString>

namespace veldrin::updaters {

// bank.bin at path: present, 4 or 26 bytes, beginning with the header value 4. Throws
// VeldrinError naming the file and what is wrong with it; gives its bytes.
QByteArray ReadGeneralImageFile(const QString& path);

// bank2.bin at path: present, 34816 bytes, the parameter section's checksum right. Throws
// VeldrinError naming the file and what is wrong with it; gives its bytes.
QByteArray ReadRequestImageFile(const QString& path);

} // namespace veldrin::updaters
