// The device's IPv4 address as the Ethernet update dialog reads it from its four boxes.
#pragma once

#include <QString>

namespace veldrin {

// Splits a dotted address into four trimmed parts (the last keeps any further dots) and tells
// whether the text is a typed address (ParseTypedAddress). The parts are set as far as the
// split went, even when the answer is false.
bool Valid_IP(const QString& IP, QString& ip1, QString& ip2, QString& ip3, QString& ip4);

} // namespace veldrin
