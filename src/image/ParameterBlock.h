// The device's parameter block and its checksum: the parameter section that ends bank2.bin.
#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>

namespace veldrin {

class XmlDoc;

// The fields of the 424-byte block that a configuration can change; the block's fixed
// values, the second copies of baud rate, parity, stop bits and port, and its zero bytes
// are written by AppendParameterSection. The member initialisers are the block's defaults.
struct ParameterBlock {
    // Bits per second, not the list index.
    std::uint32_t SerialBaud = 9600;
    // 0 none, 1 odd, 2 even.
    std::uint16_t SerialParity = 0;
    // 0 for one stop bit, 2 for two.
    std::uint32_t SerialStopBits = 0;
    std::uint32_t TimeOut = 0;
    std::uint32_t CommIdle = 0;
    std::array<std::uint8_t, 4> IpAddress{192, 168, 0, 10};
    std::array<std::uint8_t, 4> SubnetMask{255, 255, 255, 0};
    std::array<std::uint8_t, 4> Gateway{255, 255, 255, 255};
    std::uint16_t Port = 0;
    std::uint32_t RequestCount = 0;
    // 1 when the serial line is RS232.
    std::uint8_t Rs232Flag = 0;
    // 0 TCP, 1 UDP.
    std::uint32_t EthProtocol = 0;
    // 1 for Modbus ASCII, 0 for Modbus RTU.
    std::uint32_t SerialAsciiFlag = 0;
    std::uint32_t FirstWriteRequest = 0;

    bool operator==(const ParameterBlock&) const = default;
};

// Sets every field to its default.
void ResetParameterBlock(ParameterBlock& block);

// Overwrites the fields that ParGen.xml sets, each element on its own with the block's
// own rules; no file at parGenPath leaves the block as it is. Throws VeldrinError only
// when the file cannot be loaded.
void ReadParameterBlock(const QString& parGenPath, ParameterBlock& block);
// The same from ParGen.xml loaded already.
void ReadParameterBlock(const XmlDoc& parGen, ParameterBlock& block);

// Appends the block's 424 bytes, 1620 zero bytes and the checksum of those 2044 bytes.
void AppendParameterSection(QByteArray& image, const ParameterBlock& block);

// The block's 424 bytes as AppendParameterSection writes them.
QByteArray EncodeParameterBlock(const ParameterBlock& block);
// The fields of a block stored at block (the first copy of each copied field).
ParameterBlock DecodeParameterBlock(const char* block);

// The sum of the bytes, each from 0 to 255, modulo 2 to the power 32.
std::uint32_t ParameterChecksum(const char* bytes, qsizetype size);

// The rate of a Baud_Rate list index; 9600 for an index outside the list.
std::uint32_t BaudRateOfIndex(int index);

} // namespace veldrin
