#include "update/DeviceAddress.h"

#include "common/IntOrDefault.h"
#include "common/TextRules.h"

#include <QStringList>

namespace veldrin {

bool Valid_IP(const QString& IP, QString& ip1, QString& ip2, QString& ip3, QString& ip4)
{
    QString rest = Trim(IP);
    QString* parts[] = {&ip1, &ip2, &ip3};
    for (QString* part : parts) {
        const qsizetype dot = rest.indexOf(u'.');
        if (dot < 0)
            return false;
        *part = Trim(rest.left(dot));
        rest = Trim(rest.mid(dot + 1));
    }
    ip4 = rest;
    for (const QString* part : {&ip1, &ip2, &ip3, &ip4}) {
        const int value = IntOrDefault(*part, 1000);
        if (value < 0 || value > 255)
            return false;
    }
    return true;
}

std::optional<std::uint32_t> DeviceAddress(const QString& text)
{
    QString parts[4];
    if (!Valid_IP(text, parts[0], parts[1], parts[2], parts[3]))
        return std::nullopt;
    std::uint32_t address = 0;
    for (const QString& part : parts)
        address = (address << 8) | static_cast<std::uint32_t>(IntOrDefault(part, 0));
    const std::uint32_t first = address >> 24;
    if (first == 0 || (first >= 224 && first <= 239) || address == 0xFFFFFFFFu)
        return std::nullopt;
    return address;
}

QString DottedQuad(std::uint32_t address)
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg(address >> 24)
        .arg((address >> 16) & 0xFF)
        .arg((address >> 8) & 0xFF)
        .arg(address & 0xFF);
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
