// IPv4 addresses as the configurator and the updaters read and write them, and the rule of
// which addresses can name a single device.
#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

namespace veldrin {

// A typed address: four parts separated by ".", each a number from 0 to 255 in the system's
// integer syntax ("010", "0x0A", "$ff"), blanks around a part allowed. Never looks up a name.
std::optional<std::uint32_t> ParseTypedAddress(const QString& text);

// Whether a device can have the address: not in 0.0.0.0/8 (answered by this computer
// itself), not multicast (224.0.0.0/4), not the broadcast 255.255.255.255.
bool IsDeviceAddress(std::uint32_t address);

// The typed address when a device can have it.
std::optional<std::uint32_t> DeviceAddress(const QString& text);

// Four decimal numbers with dots, "192.168.2.205".
QString DottedQuad(std::uint32_t address);
QString DottedQuad(const std::array<std::uint8_t, 4>& octets);

// Exactly four parts of one to three decimal digits each, none above 255, nothing else: the
// form the system itself writes, as handed to the system's own services.
std::optional<std::uint32_t> ParseDottedQuad(const QString& text);

} // namespace veldrin
