// The On Change attribute of a write request: the device sends the request when its data
// change, instead of every poll time, only when the attribute is "Y" (case and blanks around
// it aside).
#pragma once

#include "common/TextRules.h"

#include <QString>

namespace veldrin {

inline bool IsOnChange(const QString& attribute)
{
    return AsciiUpper(Trim(attribute)) == u"Y";
}

// The same on the attribute's UTF-8 bytes.
inline bool IsOnChange(QByteArrayView attribute)
{
    return EqualAsciiUpper(TrimmedView(attribute), "Y");
}

} // namespace veldrin
