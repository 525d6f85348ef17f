#include "image/DeviceImages.h"

#include "common/AtomicFile.h"
#include "common/VeldrinError.h"
#include "image/GeneralImage.h"
#include "image/ImageLayout.h"
#include "image/ParameterBlock.h"

#include <QDir>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

namespace veldrin {
namespace {

void makeFolder(const QString& binDir)
{
    const QFileInfo info(binDir);
    if (info.isDir())
        return;
    const QString shown = QDir::toNativeSeparators(binDir);
    if (info.exists())
        throw VeldrinError(
            QStringLiteral("Cannot write the device images: %1 is a file, not a folder").arg(shown));
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(binDir.toStdU16String()), error);
    if (error)
        throw VeldrinError(QStringLiteral("Cannot create the folder %1: %2")
                               .arg(shown, QString::fromLocal8Bit(error.message())));
}

} // namespace

DeviceImages CompileDeviceImages(const QString& parGenPath, const QString& setAccessPath)
{
    DeviceImages images;
    images.GeneralImage = BuildGeneralImage(parGenPath);

    ParameterBlock block;
    RequestRecords records;
    ResetParameterBlock(block);
    ClearRequestRecords(records);
    ReadParameterBlock(parGenPath, block);
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
    makeFolder(binDir);
    const QString dir = QDir(binDir).path() + u'/';
    WriteFilesAtomically({{dir + QLatin1String(GeneralImageFileName), images.GeneralImage},
                          {dir + QLatin1String(RequestImageFileName), images.RequestImage}});
}

DeviceImages CompileConfigurationImages(const QString& parGenPath, const QString& setAccessPath,
                                        const QString& binDir)
{
    DeviceImages images = CompileDeviceImages(parGenPath, setAccessPath);
    WriteDeviceImages(images, binDir);
    return images;
}

} // namespace veldrin
