#include "common/IntOrDefault.h"

namespace veldrin {
namespace {

// The rule is all ASCII, so UTF-16 text and UTF-8 bytes are read alike: a byte of a multi-byte
// character, like a character outside ASCII, is never a digit, a sign or a blank.
char16_t unit(QChar c)
{
    return c.unicode();
}
char16_t unit(char c)
{
    return static_cast<unsigned char>(c);
}

int hexDigitValue(char16_t u)
{
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

// Parses with a width of 32 or 64 bits; the result is the two's-complement value.
template <typename View> std::optional<std::int64_t> parseInteger(View text, int bits)
{
    const qsizetype n = text.size();
    const auto at = [&](qsizetype i) {
        return unit(text[i]);
    };
    qsizetype i = 0;
    while (i < n && at(i) == u' ')
        ++i;
    bool negative = false;
    if (i < n && (at(i) == u'+' || at(i) == u'-')) {
        negative = at(i) == u'-';
        ++i;
    }

    bool hex = false;
    if (i < n && (at(i) == u'$' || at(i) == u'x' || at(i) == u'X')) {
        hex = true;
        i += 1;
    } else if (i + 1 < n && at(i) == u'0' && (at(i + 1) == u'x' || at(i + 1) == u'X')) {
        hex = true;
        i += 2;
    }
    if (i >= n)
        return std::nullopt;

    const std::uint64_t allBits = bits == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << bits) - 1;
    const std::uint64_t decimalLimit = (std::uint64_t{1} << (bits - 1)) - (negative ? 0 : 1);
    const std::uint64_t limit = hex ? allBits : decimalLimit;
    const unsigned base = hex ? 16 : 10;

    // value * base + digit stays within limit: no division per digit.
    const std::uint64_t largestToScale = limit / base;
    std::uint64_t value = 0;
    for (; i < n; ++i) {
        const int digit = hexDigitValue(at(i));
        if (digit < 0 || digit >= static_cast<int>(base))
            return std::nullopt;
        if (value > largestToScale || value * base > limit - static_cast<std::uint64_t>(digit))
            return std::nullopt;
        value = value * base + static_cast<std::uint64_t>(digit);
    }

    if (negative)
        value = (~value + 1) & allBits;
    if (bits == 32)
        return static_cast<std::int64_t>(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
    return static_cast<std::int64_t>(value);
}

std::optional<std::int32_t> narrowed(std::optional<std::int64_t> value)
{
    if (!value)
        return std::nullopt;
    return static_cast<std::int32_t>(*value);
}

} // namespace

std::optional<std::int32_t> ParseInt32(const QString& text)
{
    return narrowed(parseInteger(QStringView(text), 32));
}

std::optional<std::int32_t> ParseInt32(QByteArrayView utf8)
{
    return narrowed(parseInteger(utf8, 32));
}

std::optional<std::int64_t> ParseInt64(const QString& text)
{
    return parseInteger(QStringView(text), 64);
}

std::optional<std::int64_t> ParseInt64(QByteArrayView utf8)
{
    return parseInteger(utf8, 64);
}

int IntOrDefault(const QString& text, int fallback)
{
    return ParseInt32(text).value_or(fallback);
}

} // namespace veldrin
