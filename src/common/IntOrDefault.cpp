#include "common/IntOrDefault.h"

namespace veldrin {
namespace {

int hexDigitValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

// Parses with a width of 32 or 64 bits; the result is the two's-complement value.
std::optional<std::int64_t> parseInteger(const QString& text, int bits)
{
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n && text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }

    bool hex = false;
    if (i < n && (text[i] == u'$' || text[i] == u'x' || text[i] == u'X')) {
        hex = true;
        i += 1;
    } else if (i + 1 < n && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
        hex = true;
        i += 2;
    }
    if (i >= n)
        return std::nullopt;

    const std::uint64_t allBits = bits == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << bits) - 1;
    const std::uint64_t decimalLimit = (std::uint64_t{1} << (bits - 1)) - (negative ? 0 : 1);
    const std::uint64_t limit = hex ? allBits : decimalLimit;
    const unsigned base = hex ? 16 : 10;

    std::uint64_t value = 0;
    for (; i < n; ++i) {
        const int digit = hexDigitValue(text[i]);
        if (digit < 0 || digit >= static_cast<int>(base))
            return std::nullopt;
        if (value > (limit - static_cast<std::uint64_t>(digit)) / base)
            return std::nullopt;
        value = value * base + static_cast<std::uint64_t>(digit);
    }

    if (negative)
        value = (~value + 1) & allBits;
    if (bits == 32)
        return static_cast<std::int64_t>(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
    return static_cast<std::int64_t>(value);
}

} // namespace

std::optional<std::int32_t> ParseInt32(const QString& text)
{
    const auto value = parseInteger(text, 32);
    if (!value)
        return std::nullopt;
    return static_cast<std::int32_t>(*value);
}

std::optional<std::int64_t> ParseInt64(const QString& text)
{
    return parseInteger(text, 64);
}

int IntOrDefault(const QString& text, int fallback)
{
    return ParseInt32(text).value_or(fallback);
}

} // namespace veldrin
