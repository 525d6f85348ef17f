// The one rule by which the system turns a typed text into an integer.
#pragma once

#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <optional>

namespace veldrin {

// An integer text: leading spaces (U+0020 only), an optional sign, then decimal digits or
// one of the prefixes "$", "x", "X", "0x", "0X" with hexadecimal digits; nothing after.
// Decimal values must fit the signed width; hexadecimal ones may reach all bits set and
// are taken as two's complement.
// The same rule on UTF-8 bytes, as a file holds them, gives the same result as on their text.
std::optional<std::int32_t> ParseInt32(const QString& text);
std::optional<std::int32_t> ParseInt32(QByteArrayView utf8);
std::optional<std::int64_t> ParseInt64(const QString& text);
std::optional<std::int64_t> ParseInt64(QByteArrayView utf8);

// The value of an integer text, otherwise fallback.
int IntOrDefault(const QString& text, int fallback);

} // namespace veldrin
