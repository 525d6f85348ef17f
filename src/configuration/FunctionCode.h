// The Modbus function code a request row is sent with, as the compile writes it into the
// device's request table.
#pragma once

#include "common/TextRules.h"

#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace veldrin {

namespace detail {
inline bool isType(QStringView type, const char* name)
{
    return EqualAsciiUpper(TrimmedView(type), QString::fromLatin1(name));
}
inline bool isType(QByteArrayView type, const char* name)
{
    return EqualAsciiUpper(TrimmedView(type), QByteArrayView(name));
}
} // namespace detail

// From the row's Type text (blanks around it and the case of a to z aside, as text or as the
// file's UTF-8 bytes) and its point count (the low 16 bits, as stored): a read row is Coil
// Status 1, Input Status 2, Holding Register 3 and anything else 4; a write row is Coil Status
// 5 for one point or 15, anything else 6 for one point or 16.
template <typename View> int RequestFunctionCode(bool write, View type, int points)
{
    if (write) {
        const bool single = points == 1;
        if (detail::isType(type, "COIL STATUS"))
            return single ? 5 : 15;
        return single ? 6 : 16;
    }
    if (detail::isType(type, "COIL STATUS"))
        return 1;
    if (detail::isType(type, "INPUT STATUS"))
        return 2;
    if (detail::isType(type, "HOLDING REGISTER"))
        return 3;
    return 4;
}

} // namespace veldrin
