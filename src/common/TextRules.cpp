#include "common/TextRules.h"

namespace veldrin {

QString Trim(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= 0x20)
        ++begin;
    while (end > begin && text[end - 1].unicode() <= 0x20)
        --end;
    return text.mid(begin, end - begin);
}

QString AsciiUpper(const QString& text)
{
    QString result = text;
    for (QChar& c : result) {
        if (c.unicode() >= u'a' && c.unicode() <= u'z')
            c = QChar(c.unicode() - u'a' + u'A');
    }
    return result;
}

bool IsPlainName(const QString& name)
{
    if (name.isEmpty() || name == u"." || name == u"..")
        return false;
    return !name.contains(u'/') && !name.contains(u'\\');
}

} // namespace veldrin
