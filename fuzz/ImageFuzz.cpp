// Any bytes as a device image, the way veldrin-cli inspect reads one: the size decides the kind,
// and a request image is decoded field by field with its checksum.
#include "common/VeldrinError.h"
#include "image/GeneralImage.h"
#include "image/ImageDecoder.h"
#include "image/ImageLayout.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    try {
        (void)veldrin::DecodeGeneralImage(bytes);
        // Short inputs reach the request decoder too, filled out to its size.
        if (bytes.size() < veldrin::RequestImageSize)
            bytes.append(veldrin::RequestImageSize - bytes.size(), '\0');
        bytes.truncate(veldrin::RequestImageSize);
        const veldrin::DecodedRequestImage image = veldrin::DecodeRequestImage(bytes);
        for (const int slot : image.FilledSlots())
            (void)image.IsWriteSlot(slot);
    } catch (const veldrin::VeldrinError&) {
    }
    return 0;
}
