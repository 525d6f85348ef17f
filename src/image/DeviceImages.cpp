#include "image/DeviceImages.h"

#include "common/AtomicFolder.h"
#include "common/VeldrinError.h"
#include "common/XmlDoc.h"
#include "configuration/WorkspaceLayout.h"
#include "image/GeneralImage.h"
#include "image/ImageLayout.h"
#include "image/ParameterBlock.h"

#include <QDir>
#include <QFileInfo>

namespace veldrin {

DeviceImages CompileDeviceImages(const QString& parGenPath, const QString& setAccessPath)
{
    DeviceImages images;
    ParameterBlock block;
    RequestRecords records;
    ResetParameterBlock(block);
    ClearRequestRecords(records);
    // Both images read ParGen.xml, each with its own rules; it is loaded once.
    if (QFileInfo::exists(parGenPath)) {
        const XmlDoc parGen = XmlDoc::Load(parGenPath);
        images.GeneralImage = BuildGeneralImage(parGen);
        ReadParameterBlock(parGen, block);
    } else {
        images.GeneralImage = EncodeGeneralImage(std::nullopt);
    }
    // After the reset, which would clear them.
    images.Counts = ReadRequestRecords(setAccessPath, records);
    block.RequestCount = images.Counts.RequestCount;
    block.FirstWriteRequest = images.Counts.FirstWriteRequest;

    images.RequestImage.reserve(RequestImageSize);
    AppendRequestRecords(images.RequestImage, records);
    AppendParameterSection(images.RequestImage, block);
    return images;
}

void WriteDeviceImages(const DeviceImages& images, const QString& binDir)
{
    const QFileInfo info(binDir);
    if (info.exists() && !info.isDir())
        throw VeldrinError(QStringLiteral("Cannot write the device images: %1 is a file, not a folder")
                               .arg(QDir::toNativeSeparators(binDir)));
    // Both or neither: a device loaded with a new bank.bin beside an old bank2.bin would run a
    // configuration nobody wrote.
    WriteFolderAtomically(binDir, {{QLatin1String(layout::GeneralImageFile), images.GeneralImage},
                                   {QLatin1String(layout::RequestImageFile), images.RequestImage}});
}

DeviceImages CompileConfigurationImages(const QString& parGenPath, const QString& setAccessPath,
                                        const QString& binDir)
{
    DeviceImages images = CompileDeviceImages(parGenPath, setAccessPath);
    WriteDeviceImages(images, binDir);
    return images;
}

} // namespace veldrin
