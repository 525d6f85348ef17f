// Reads a device image back into its fields, for people who need to see what a device holds.
#pragma once

#include "image/GeneralImage.h"
#include "image/ParameterBlock.h"
#include "image/RequestRecords.h"

#include <QByteArray>

#include <cstdint>
#include <optional>
#include <vector>

namespace veldrin {

enum class ImageKind { General, Request };

// bank.bin has 4 or 26 bytes, bank2.bin 34816; any other size is neither.
std::optional<ImageKind> ImageKindOfSize(qsizetype size);

// bank2.bin as decoded.
struct DecodedRequestImage {
    RequestRecords Records{};
    ParameterBlock Block;
    std::uint32_t StoredChecksum = 0;
    std::uint32_t ComputedChecksum = 0;
    // File offsets of bytes that no field explains and that differ from what the compiler
    // writes there: reserved bytes, fixed values, second copies, filler.
    std::vector<qsizetype> StrayOffsets;

    bool ChecksumOk() const { return StoredChecksum == ComputedChecksum; }
    // The slots below RequestCount, and any later slot that is not all zero.
    std::vector<int> FilledSlots() const;
    // A slot at or after FirstWriteRequest (1-based) holds a write request.
    bool IsWriteSlot(int slot) const;
};

// Throws VeldrinError unless the image has 34816 bytes.
DecodedRequestImage DecodeRequestImage(const QByteArray& image);

} // namespace veldrin
