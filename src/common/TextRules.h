// The text rules every part of the system shares: trimming, upper-casing, safe names.
#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace veldrin {

// Removes every character up to U+0020 (blanks, tabs, other controls) from both ends.
QString Trim(const QString& text);
// The same part of text, without copying it.
QStringView TrimmedView(QStringView text);
// The same on UTF-8 bytes, as a file holds them; the rules give their text's result.
QByteArrayView TrimmedView(QByteArrayView utf8);

// Turns a to z into A to Z and changes nothing else.
QString AsciiUpper(const QString& text);
// Whether the texts are equal once AsciiUpper has been applied to both, without copying them.
bool EqualAsciiUpper(QStringView a, QStringView b);
bool EqualAsciiUpper(QByteArrayView a, QByteArrayView b);

// A name that stays inside the folder it is looked up in: not empty, no "/" or "\",
// not "." or "..".
bool IsPlainName(const QString& name);

} // namespace veldrin
