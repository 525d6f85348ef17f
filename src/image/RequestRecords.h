// The device's table of 1024 compiled Modbus requests, the first part of bank2.bin.
#pragma once

#include "image/ImageLayout.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>

namespace veldrin {

// One slot of the table; the reserved bytes of its 32 are always zero.
struct RequestRecord {
    std::uint16_t Position = 0;
    std::uint16_t Bit = 0;
    std::uint32_t PollTime = 0;
    std::uint8_t Slave_ID = 0;
    std::uint8_t FunctionCode = 0;
    std::uint16_t Address = 0;
    std::uint16_t NPoint = 0;
    std::uint32_t MaxError = 0;
    std::uint8_t ByteCount = 0;
    std::uint8_t OnChangeFlag = 0;

    bool operator==(const RequestRecord&) const = default;
};

using RequestRecords = std::array<RequestRecord, RequestSlotCount>;

// What the table holds: the filled slots, and the 1-based number of the first write
// request (0 when there is none).
struct RequestCounts {
    std::uint32_t RequestCount = 0;
    std::uint32_t FirstWriteRequest = 0;

    bool operator==(const RequestCounts&) const = default;
};

// Sets every slot to zero.
void ClearRequestRecords(RequestRecords& records);

// Compiles the rows of Modbus_Read, then those of Modbus_Write, into the slots from 0 up;
// records must be cleared beforehand. No file at setAccessPath gives no requests. Throws
// VeldrinError, naming the file, the section, the row and the attribute, when the file
// cannot be loaded, a section is missing, an attribute a row needs is missing or not an
// integer, or the sections hold more rows than the table has slots. Comments, processing
// instructions and whitespace inside a section are not rows; any other node is.
RequestCounts ReadRequestRecords(const QString& setAccessPath, RequestRecords& records);

// Appends the 1024 records, 32 bytes each, in slot order: always 32768 bytes.
void AppendRequestRecords(QByteArray& image, const RequestRecords& records);

// The record stored in 32 bytes at record.
RequestRecord DecodeRequestRecord(const char* record);

} // namespace veldrin
