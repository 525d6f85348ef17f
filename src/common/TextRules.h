// The text rules every part of the system shares: trimming, upper-casing, safe names.
#pragma once

#include <QString>

namespace veldrin {

// Removes every character up to U+0020 (blanks, tabs, other controls) from both ends.
QString Trim(const QString& text);

// Turns a to z into A to Z and changes nothing else.
QString AsciiUpper(const QString& text);

// A name that stays inside the folder it is looked up in: not empty, no "/" or "\",
// not "." or "..".
bool IsPlainName(const QString& name);

} // namespace veldrin
