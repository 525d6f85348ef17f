#include "common/Ipv4Address.h"

#include "common/IntOrDefault.h"
#include "common/TextRules.h"

#include <QStringList>

namespace veldrin {

std::optional<std::uint32_t> ParseTypedAddress(const QString& text)
{
    const QStringList parts = text.split(u'.');
    if (parts.size() != 4)
        return std::nullopt;
    std::uint32_t address = 0;
    for (const QString& part : parts) {
        const std::optional<std::int32_t> value = ParseInt32(Trim(part));
        if (!value || *value < 0 || *value > 255)
            return std::nullopt;
        address = (address << 8) | static_cast<std::uint32_t>(*value);
    }
    return address;
}

bool IsDeviceAddress(std::uint32_t address)
{
    const std::uint32_t first = address >> 24;
    const bool thisNetwork = first == 0;
    const bool multicast = first >= 224 && first <= 239;
    const bool broadcast = address == 0xFFFFFFFFu;
    return !thisNetwork && !multicast && !broadcast;
}

std::optional<std::uint32_t> DeviceAddress(const QString& text)
{
    const std::optional<std::uint32_t> address = ParseTypedAddress(text);
    if (!address || !IsDeviceAddress(*address))
        return std::nullopt;
    return address;
}

QString DottedQuad(std::uint32_t address)
{
    return DottedQuad({static_cast<std::uint8_t>(address >> 24), static_cast<std::uint8_t>(address >> 16),
                       static_cast<std::uint8_t>(address >> 8), static_cast<std::uint8_t>(address)});
}

QString DottedQuad(const std::array<std::uint8_t, 4>& octets)
{
    return QStringLiteral("%1.%2.%3.%4").arg(octets[0]).arg(octets[1]).arg(octets[2]).arg(octets[3]);
}

std::optional<std::uint32_t> ParseDottedQuad(const QString& text)
{
    const QStringList parts = text.split(u'.');
    if (parts.size() != 4)
        return std::nullopt;
    std::uint32_t address = 0;
    for (const QString& part : parts) {
        if (part.isEmpty() || part.size() > 3)
            return std::nullopt;
        std::uint32_t value = 0;
        for (QChar c : part) {
            if (c < u'0' || c > u'9')
                return std::nullopt;
            value = value * 10 + static_cast<std::uint32_t>(c.unicode() - u'0');
        }
        if (value > 255)
            return std::nullopt;
        address = (address << 8) | value;
    }
    return address;
}

} // namespace veldrin
