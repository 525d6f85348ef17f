#include "image/GeneralImage.h"

#include "common/IntOrDefault.h"
#include "common/VeldrinError.h"
#include "common/XmlDoc.h"
#include "image/ImageLayout.h"
#include "image/LittleEndian.h"

#include <QFileInfo>

namespace veldrin {
namespace {

// The low 8 or 16 bits of the element's integer, two's complement for negative values.
template <std::unsigned_integral T> T field(const XmlNode& root, const char* element, int fallback)
{
    const XmlNode node = root.child(QString::fromLatin1(element));
    const int value = node.isNull() ? fallback : IntOrDefault(node.text(), fallback);
    return static_cast<T>(static_cast<std::uint32_t>(value));
}

GeneralImageFields readFields(const XmlNode& root)
{
    const GeneralImageFields f;
    GeneralImageFields r;
    const char* const ip[] = {"IP1", "IP2", "IP3", "IP4"};
    const char* const sub[] = {"SUB1", "SUB2", "SUB3", "SUB4"};
    const char* const gat[] = {"GAT1", "GAT2", "GAT3", "GAT4"};
    for (std::size_t i = 0; i < 4; ++i) {
        r.IP[i] = field<std::uint8_t>(root, ip[i], f.IP[i]);
        r.SUB[i] = field<std::uint8_t>(root, sub[i], f.SUB[i]);
        r.GAT[i] = field<std::uint8_t>(root, gat[i], f.GAT[i]);
    }
    // The gateway octets are stored whatever this byte says.
    r.EN_GAT = field<std::uint8_t>(root, "EN_GAT", f.EN_GAT);
    r.PORT = field<std::uint16_t>(root, "PORT", f.PORT);
    r.PROT_TYPE = field<std::uint8_t>(root, "PROT_TYPE", f.PROT_TYPE);
    r.Baud_Rate = field<std::uint8_t>(root, "Baud_Rate", f.Baud_Rate);
    r.Parity = field<std::uint8_t>(root, "Parity", f.Parity);
    r.Time_Out = field<std::uint16_t>(root, "Time_Out", f.Time_Out);
    r.Sel_Ser = field<std::uint8_t>(root, "Sel_Ser", f.Sel_Ser);
    // 1 and 4 both mean Modbus ASCII, tested on the stored byte (so 260 counts as 4).
    const auto protocol = field<std::uint8_t>(root, "Ser_Prot", 0);
    r.Ser_Prot = protocol == 1 || protocol == 4 ? 1 : 0;
    return r;
}

} // namespace

QByteArray BuildGeneralImage(const QString& parGenPath)
{
    if (!QFileInfo::exists(parGenPath))
        return EncodeGeneralImage(std::nullopt);
    const XmlDoc doc = XmlDoc::Load(parGenPath);
    return EncodeGeneralImage(readFields(doc.root()));
}

QByteArray EncodeGeneralImage(const std::optional<GeneralImageFields>& fields)
{
    QByteArray image(fields ? GeneralImageSize : GeneralImageHeaderSize, '\0');
    char* at = image.data();
    PutLittleEndian<std::uint32_t>(at, GeneralImageHeader);
    if (!fields)
        return image;
    const GeneralImageFields& f = *fields;
    for (std::size_t i = 0; i < 4; ++i) {
        PutLittleEndian(at + 4 + i, f.IP[i]);
        PutLittleEndian(at + 8 + i, f.SUB[i]);
        PutLittleEndian(at + 12 + i, f.GAT[i]);
    }
    PutLittleEndian(at + 16, f.EN_GAT);
    PutLittleEndian(at + 17, f.PORT);
    PutLittleEndian(at + 19, f.PROT_TYPE);
    PutLittleEndian(at + 20, f.Baud_Rate);
    PutLittleEndian(at + 21, f.Parity);
    PutLittleEndian(at + 22, f.Time_Out);
    PutLittleEndian(at + 24, f.Sel_Ser);
    PutLittleEndian(at + 25, f.Ser_Prot);
    return image;
}

DecodedGeneralImage DecodeGeneralImage(const QByteArray& image)
{
    if (image.size() != GeneralImageHeaderSize && image.size() != GeneralImageSize)
        throw VeldrinError(QStringLiteral("A general image has %1 or %2 bytes, not %3")
                               .arg(GeneralImageHeaderSize)
                               .arg(GeneralImageSize)
                               .arg(image.size()));
    const char* at = image.constData();
    DecodedGeneralImage decoded;
    decoded.Header = GetLittleEndian<std::uint32_t>(at);
    if (image.size() == GeneralImageHeaderSize)
        return decoded;
    GeneralImageFields f;
    for (std::size_t i = 0; i < 4; ++i) {
        f.IP[i] = GetLittleEndian<std::uint8_t>(at + 4 + i);
        f.SUB[i] = GetLittleEndian<std::uint8_t>(at + 8 + i);
        f.GAT[i] = GetLittleEndian<std::uint8_t>(at + 12 + i);
    }
    f.EN_GAT = GetLittleEndian<std::uint8_t>(at + 16);
    f.PORT = GetLittleEndian<std::uint16_t>(at + 17);
    f.PROT_TYPE = GetLittleEndian<std::uint8_t>(at + 19);
    f.Baud_Rate = GetLittleEndian<std::uint8_t>(at + 20);
    f.Parity = GetLittleEndian<std::uint8_t>(at + 21);
    f.Time_Out = GetLittleEndian<std::uint16_t>(at + 22);
    f.Sel_Ser = GetLittleEndian<std::uint8_t>(at + 24);
    f.Ser_Prot = GetLittleEndian<std::uint8_t>(at + 25);
    decoded.Fields = f;
    return decoded;
}

} // namespace veldrin
