#include "common/TextRules.h"

#include <algorithm>
#include <utility>

namespace veldrin {

namespace {

// The rules are all ASCII, so UTF-16 text and UTF-8 bytes are read alike: a byte of a
// multi-byte character, like a character outside ASCII, is neither a blank nor a letter a to z.
char16_t unit(QChar c)
{
    return c.unicode();
}
char16_t unit(char c)
{
    return static_cast<unsigned char>(c);
}

// Where the kept part of text begins and ends.
template <typename View> std::pair<qsizetype, qsizetype> keptPart(View text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && unit(text[begin]) <= 0x20)
        ++begin;
    while (end > begin && unit(text[end - 1]) <= 0x20)
        --end;
    return {begin, end};
}

char16_t asciiUpper(char16_t c)
{
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

template <typename View> bool equalAsciiUpper(View a, View b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (asciiUpper(unit(a[i])) != asciiUpper(unit(b[i])))
            return false;
    }
    return true;
}

} // namespace

QString Trim(const QString& text)
{
    const auto [begin, end] = keptPart(text);
    return text.mid(begin, end - begin);
}

QStringView TrimmedView(QStringView text)
{
    const auto [begin, end] = keptPart(text);
    return text.sliced(begin, end - begin);
}

QByteArrayView TrimmedView(QByteArrayView utf8)
{
    const auto [begin, end] = keptPart(utf8);
    return utf8.sliced(begin, end - begin);
}

QString AsciiUpper(const QString& text)
{
    // A text without a lower-case letter is shared, not copied.
    const auto lower = [](QChar c) {
        return asciiUpper(c.unicode()) != c.unicode();
    };
    const auto first = std::find_if(text.cbegin(), text.cend(), lower);
    if (first == text.cend())
        return text;
    QString result = text;
    for (auto c = result.begin() + (first - text.cbegin()); c != result.end(); ++c)
        *c = QChar(asciiUpper(c->unicode()));
    return result;
}

bool EqualAsciiUpper(QStringView a, QStringView b)
{
    return equalAsciiUpper(a, b);
}

bool EqualAsciiUpper(QByteArrayView a, QByteArrayView b)
{
    return equalAsciiUpper(a, b);
}

bool IsPlainName(const QString& name)
{
    if (name.isEmpty() || name == u"." || name == u"..")
        return false;
    return !name.contains(u'/') && !name.contains(u'\\');
}

} // namespace veldrin
