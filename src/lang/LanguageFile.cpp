#include "lang/LanguageFile.h"

#include "common/IntOrDefault.h"
#include "common/ReadWholeFile.h"
#include "common/TextRules.h"
#include "lang/StringTable.h"

#include <QFileInfo>
#include <QStringDecoder>

#include <array>

namespace veldrin {
namespace {

// Windows-1252 at 0x80 to 0x9F; the five bytes it leaves undefined map to the C1 controls,
// as Windows does. Every other byte is its Latin-1 character.
constexpr std::array<char16_t, 32> Cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QString decodeCp1252(const QByteArray& bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        text += QChar(b >= 0x80 && b < 0xA0 ? Cp1252High[b - 0x80] : char16_t{b});
    }
    return text;
}

std::optional<QString> decodeStrictly(const QByteArray& bytes, QStringConverter::Encoding encoding)
{
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

constexpr char16_t Pilcrow = 0x00B6;

} // namespace

std::optional<QString> DecodeLanguageText(const QByteArray& bytes)
{
    const bool utf16 = bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
    if (utf16 && bytes.size() % 2 != 0)
        return std::nullopt;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return decodeStrictly(bytes.mid(3), QStringConverter::Utf8);
    if (bytes.startsWith("\xFF\xFE"))
        return decodeStrictly(bytes.mid(2), QStringConverter::Utf16LE);
    if (bytes.startsWith("\xFE\xFF"))
        return decodeStrictly(bytes.mid(2), QStringConverter::Utf16BE);
    if (auto text = decodeStrictly(bytes, QStringConverter::Utf8))
        return text;
    return decodeCp1252(bytes);
}

int ApplyLanguageLine(StringTable& table, const QString& rawLine)
{
    const QString line = Trim(rawLine);
    if (!line.startsWith(u"STR"))
        return -1;
    // The index runs from the fourth character to two before the first "=": the character
    // just before "=" belongs to no field.
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0)
        return -1;
    const auto index = ParseInt32(Trim(line.mid(3, std::max<qsizetype>(0, equals - 4))));
    if (!index || !table.HasText(*index))
        return -1;

    QString text = Trim(line.mid(equals + 1));
    if (text.isEmpty())
        return -1;
    const qsizetype comment = text.indexOf(u"/#/");
    if (comment >= 0) {
        text = Trim(text.left(comment));
        if (text.isEmpty())
            return -1;
    }
    // Pilcrows frame a text whose blanks at the ends matter.
    if (text.startsWith(QChar(Pilcrow)))
        text.remove(0, 1);
    const qsizetype pilcrow = text.indexOf(QChar(Pilcrow));
    if (pilcrow >= 0)
        text.truncate(pilcrow);
    table.set(*index, text);
    return *index;
}

SetIndexes ApplyLanguageText(StringTable& table, const QString& text)
{
    SetIndexes set;
    qsizetype start = 0;
    const qsizetype n = text.size();
    while (start <= n) {
        qsizetype end = start;
        while (end < n && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        const int index = ApplyLanguageLine(table, text.mid(start, end - start));
        if (index >= 0)
            set.append(index);
        if (end >= n)
            break;
        start = end + ((text[end] == u'\r' && end + 1 < n && text[end + 1] == u'\n') ? 2 : 1);
    }
    return set;
}

std::optional<SetIndexes> LoadLanguageFile(StringTable& table, const QString& path)
{
    const FileContents file = ReadWholeFile(path, MaxLanguageFileSize);
    if (!file.read())
        return std::nullopt;
    const auto text = DecodeLanguageText(file.bytes);
    if (!text)
        return std::nullopt;
    return ApplyLanguageText(table, *text);
}

QString LanguageFilePath(const QString& languageDir, const QString& language)
{
    return languageDir + u'/' + language + QStringLiteral(".lng");
}

QString SelectLanguage(StringTable& table, const QString& languageDir, QString& currentLanguage)
{
    table.LoadDefaultStrings();
    if (IsPlainName(currentLanguage)) {
        const QString path = LanguageFilePath(languageDir, currentLanguage);
        if (QFileInfo::exists(path))
            return LoadLanguageFile(table, path) ? path : QString();
    }
    currentLanguage = QStringLiteral("English");
    const QString english = LanguageFilePath(languageDir, currentLanguage);
    return LoadLanguageFile(table, english) ? english : QString();
}

} // namespace veldrin
