// The sizes of the device's two images.
#pragma once

namespace veldrin {

// bank.bin: the header word 4, then the communication settings when ParGen.xml exists.
inline constexpr int GeneralImageHeader = 4;
inline constexpr int GeneralImageHeaderSize = 4;
inline constexpr int GeneralImageSize = 26;

// bank2.bin: the request records, then the parameter section (block, zero filler, checksum).
inline constexpr int RequestSlotCount = 1024;
inline constexpr int RequestRecordSize = 32;
inline constexpr int RequestRecordsSize = RequestSlotCount * RequestRecordSize;
inline constexpr int ParameterBlockSize = 424;
inline constexpr int ParameterSectionSize = 2048;
inline constexpr int ParameterChecksumSize = 4;
inline constexpr int ParameterFillerSize = ParameterSectionSize - ParameterBlockSize - ParameterChecksumSize;
inline constexpr int RequestImageSize = RequestRecordsSize + ParameterSectionSize;

static_assert(RequestRecordsSize == 32768);
static_assert(ParameterFillerSize == 1620);
static_assert(RequestImageSize == 34816);

} // namespace veldrin
