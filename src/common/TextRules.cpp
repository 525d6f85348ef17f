#include "common/TextRules.h"

#include <algorithm>
#include <utility>

namespace veldrin {

namespace {

// Where the kept part of text begins and ends.
std::pair<qsizetype, qsizetype> keptPart(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= 0x20)
        ++begin;
    while (end > begin && text[end - 1].unicode() <= 0x20)
        --end;
    return {begin, end};
}

char16_t asciiUpper(char16_t c)
{
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
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
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (asciiUpper(a[i].unicode()) != asciiUpper(b[i].unicode()))
            return false;
    }
    return true;
}

bool IsPlainName(const QString& name)
{
    if (name.isEmpty() || name == u"." || name == u"..")
        return false;
    return !name.contains(u'/') && !name.contains(u'\\');
}

} // namespace veldrin
