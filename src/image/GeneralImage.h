// bank.bin, the device's general image: its Ethernet settings and the main serial settings.
#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>

namespace veldrin {

class XmlDoc;

// The 22 bytes after the header, one field per element of ParGen.xml.
struct GeneralImageFields {
    std::array<std::uint8_t, 4> IP{};
    std::array<std::uint8_t, 4> SUB{};
    std::array<std::uint8_t, 4> GAT{};
    std::uint8_t EN_GAT = 0;
    std::uint16_t PORT = 0;
    std::uint8_t PROT_TYPE = 0;
    // The baud-rate list index, not the rate.
    std::uint8_t Baud_Rate = 0;
    std::uint8_t Parity = 0;
    std::uint16_t Time_Out = 0;
    std::uint8_t Sel_Ser = 0;
    // 1 for Modbus ASCII, 0 for Modbus RTU.
    std::uint8_t Ser_Prot = 0;

    bool operator==(const GeneralImageFields&) const = default;
};

// bank.bin as decoded: the header word, and the fields unless the image is the 4-byte one
// of a configuration without ParGen.xml.
struct DecodedGeneralImage {
    std::uint32_t Header = 0;
    std::optional<GeneralImageFields> Fields;
};

// The general image of the configuration: the header alone when no file exists at
// parGenPath, else the header and the fields read with the image's own values for missing
// elements (ParGenElements.h). Throws VeldrinError when the file cannot be loaded.
QByteArray BuildGeneralImage(const QString& parGenPath);
// The same from ParGen.xml loaded already.
QByteArray BuildGeneralImage(const XmlDoc& parGen);

// nothing gives the 4-byte image.
QByteArray EncodeGeneralImage(const std::optional<GeneralImageFields>& fields);
// Throws VeldrinError unless the image has 4 or 26 bytes.
DecodedGeneralImage DecodeGeneralImage(const QByteArray& image);

} // namespace veldrin
