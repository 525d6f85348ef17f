#include "image/GeneralImage.h"

#include "common/IntOrDefault.h"
#include "common/VeldrinError.h"
#include "common/XmlDoc.h"
#include "configuration/ParGenElements.h"
#include "image/ImageLayout.h"
#include "image/RecordFields.h"

#include <QFileInfo>

namespace veldrin {
namespace {

using pargen::Element;

// The fields after the header word, at their offsets in the image.
const RecordField<GeneralImageFields> Fields[] = {
    {4, &GeneralImageFields::IP},         {8, &GeneralImageFields::SUB},
    {12, &GeneralImageFields::GAT},       {16, &GeneralImageFields::EN_GAT},
    {17, &GeneralImageFields::PORT},      {19, &GeneralImageFields::PROT_TYPE},
    {20, &GeneralImageFields::Baud_Rate}, {21, &GeneralImageFields::Parity},
    {22, &GeneralImageFields::Time_Out},  {24, &GeneralImageFields::Sel_Ser},
    {25, &GeneralImageFields::Ser_Prot},
};

// The low 8 or 16 bits of the element's integer, two's complement for negative values; the
// image's own value when the element is missing or holds no integer.
template <std::unsigned_integral T> T field(const XmlNode& root, Element element)
{
    const int fallback = pargen::Row(element).generalImage;
    const XmlNode node = root.child(pargen::Name(element));
    const int value = node.isNull() ? fallback : IntOrDefault(node.text(), fallback);
    return static_cast<T>(static_cast<std::uint32_t>(value));
}

GeneralImageFields readFields(const XmlNode& root)
{
    GeneralImageFields r;
    for (std::size_t i = 0; i < 4; ++i) {
        r.IP[i] = field<std::uint8_t>(root, pargen::IpAddress[i]);
        r.SUB[i] = field<std::uint8_t>(root, pargen::SubnetMask[i]);
        r.GAT[i] = field<std::uint8_t>(root, pargen::Gateway[i]);
    }
    // The gateway octets are stored whatever this byte says.
    r.EN_GAT = field<std::uint8_t>(root, Element::EN_GAT);
    r.PORT = field<std::uint16_t>(root, Element::PORT);
    r.PROT_TYPE = field<std::uint8_t>(root, Element::PROT_TYPE);
    r.Baud_Rate = field<std::uint8_t>(root, Element::Baud_Rate);
    r.Parity = field<std::uint8_t>(root, Element::Parity);
    r.Time_Out = field<std::uint16_t>(root, Element::Time_Out);
    r.Sel_Ser = field<std::uint8_t>(root, Element::Sel_Ser);
    // 1 and 4 both mean Modbus ASCII, tested on the stored byte (so 260 counts as 4).
    const auto protocol = field<std::uint8_t>(root, Element::Ser_Prot);
    r.Ser_Prot = protocol == 1 || protocol == 4 ? 1 : 0;
    return r;
}

} // namespace

QByteArray BuildGeneralImage(const QString& parGenPath)
{
    if (!QFileInfo::exists(parGenPath))
        return EncodeGeneralImage(std::nullopt);
    return BuildGeneralImage(XmlDoc::Load(parGenPath));
}

QByteArray BuildGeneralImage(const XmlDoc& parGen)
{
    return EncodeGeneralImage(readFields(parGen.root()));
}

QByteArray EncodeGeneralImage(const std::optional<GeneralImageFields>& fields)
{
    QByteArray image(fields ? GeneralImageSize : GeneralImageHeaderSize, '\0');
    PutLittleEndian<std::uint32_t>(image.data(), GeneralImageHeader);
    if (fields)
        EncodeFields<GeneralImageFields>(image.data(), *fields, Fields);
    return image;
}

DecodedGeneralImage DecodeGeneralImage(const QByteArray& image)
{
    if (image.size() != GeneralImageHeaderSize && image.size() != GeneralImageSize)
        throw VeldrinError(QStringLiteral("A general image has %1 or %2 bytes, not %3")
                               .arg(GeneralImageHeaderSize)
                               .arg(GeneralImageSize)
                               .arg(image.size()));
    DecodedGeneralImage decoded;
    decoded.Header = GetLittleEndian<std::uint32_t>(image.constData());
    if (image.size() == GeneralImageHeaderSize)
        return decoded;
    GeneralImageFields f;
    DecodeFields<GeneralImageFields>(image.constData(), f, Fields);
    decoded.Fields = f;
    return decoded;
}

} // namespace veldrin
