// The device's IPv4 address as the Ethernet update dialog reads it from its four boxes.
#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace veldrin {

// Splits a dotted address into four trimmed parts (the last keeps any further dots) and tells
// whether each part is an integer text from 0 to 255. The parts are set as far as the split
// went, even when the answer is false.
bool Valid_IP(const QString& IP, QString& ip1, QString& ip2, QString& ip3, QString& ip4);

// The address a dotted text names when Valid_IP accepts it and a device can have it: not in
// 0.0.0.0/8 (answered by this computer itself), not multicast (224.0.0.0/4), not the
// broadcast 255.255.255.255. Never looks up a name.
std::optional<std::uint32_t> DeviceAddress(const QString& text);

// Four decimal numbers with dots, "192.168.2.205".
QString DottedQuad(std::uint32_t address);

// Exactly four parts of one to three decimal digits each, none above 255, nothing else.
std::optional<std::uint32_t> ParseDottedQuad(const QString& text);

} // namespace veldrin
