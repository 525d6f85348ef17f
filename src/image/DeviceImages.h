// The device image compiler: a configuration's two XML files into bank.bin and bank2.bin.
#pragma once

#include "image/RequestRecords.h"

#include <QByteArray>
#include <QString>

namespace veldrin {

// Both images of one compile, and what the request table holds.
struct DeviceImages {
    // bank.bin: 4 bytes without ParGen.xml, else 26.
    QByteArray GeneralImage;
    // bank2.bin: 34816 bytes.
    QByteArray RequestImage;
    RequestCounts Counts;
};

// Compiles both images in memory from the two files (either may be absent); every byte
// comes from the files, so the same files give the same bytes. Throws VeldrinError, and
// produces nothing, when a file cannot be loaded or a request row cannot be compiled.
DeviceImages CompileDeviceImages(const QString& parGenPath, const QString& setAccessPath);

// Writes bank.bin and bank2.bin into binDir, creating the folder when it is missing, as one
// unit: whatever interrupts the write (a kill, no space, no permission), a reader finds both
// earlier images or both new ones. binDir may hold nothing but the two images. A failure
// throws VeldrinError naming the file or folder and the reason.
void WriteDeviceImages(const DeviceImages& images, const QString& binDir);

// Update Device, step 1: compiles the configuration and writes both images into binDir
// (the configuration folder + "/bin"). A compile error throws before anything is written;
// a write error throws as WriteDeviceImages does. Returns the images written.
DeviceImages CompileConfigurationImages(const QString& parGenPath, const QString& setAccessPath,
                                        const QString& binDir);

} // namespace veldrin
