#include "image/ImageDecoder.h"

#include "common/VeldrinError.h"
#include "image/ImageLayout.h"
#include "image/RecordFields.h"

#include <cstddef>

namespace veldrin {

std::optional<ImageKind> ImageKindOfSize(qsizetype size)
{
    if (size == GeneralImageHeaderSize || size == GeneralImageSize)
        return ImageKind::General;
    if (size == RequestImageSize)
        return ImageKind::Request;
    return std::nullopt;
}

std::vector<int> DecodedRequestImage::FilledSlots() const
{
    std::vector<int> slots;
    for (int slot = 0; slot < RequestSlotCount; ++slot) {
        if (static_cast<std::uint32_t>(slot) < Block.RequestCount || Records[slot] != RequestRecord{})
            slots.push_back(slot);
    }
    return slots;
}

bool DecodedRequestImage::IsWriteSlot(int slot) const
{
    return Block.FirstWriteRequest != 0 && static_cast<std::uint32_t>(slot) + 1 >= Block.FirstWriteRequest;
}

DecodedRequestImage DecodeRequestImage(const QByteArray& image)
{
    if (image.size() != RequestImageSize)
        throw VeldrinError(
            QStringLiteral("A request image has %1 bytes, not %2").arg(RequestImageSize).arg(image.size()));
    DecodedRequestImage decoded;
    const char* bytes = image.constData();
    for (int slot = 0; slot < RequestSlotCount; ++slot)
        decoded.Records[slot] = DecodeRequestRecord(bytes + std::ptrdiff_t{slot} * RequestRecordSize);
    const char* section = bytes + RequestRecordsSize;
    decoded.Block = DecodeParameterBlock(section);
    decoded.StoredChecksum =
        GetLittleEndian<std::uint32_t>(section + ParameterSectionSize - ParameterChecksumSize);
    decoded.ComputedChecksum = ParameterChecksum(section, ParameterSectionSize - ParameterChecksumSize);

    // What the compiler would write for these fields, compared byte for byte.
    QByteArray expected;
    expected.reserve(RequestImageSize);
    AppendRequestRecords(expected, decoded.Records);
    AppendParameterSection(expected, decoded.Block);
    for (qsizetype i = 0; i < RequestImageSize - ParameterChecksumSize; ++i) {
        if (expected[i] != image[i])
            decoded.StrayOffsets.push_back(i);
    }
    return decoded;
}

} // namespace veldrin
