// The configurator's built-in English texts, as tests compare messages with them.
#pragma once

#include "lang/StringTable.h"

namespace veldrin::test {

inline StringTable EnglishStrings()
{
    StringTable strings;
    strings.LoadDefaultStrings();
    return strings;
}

} // namespace veldrin::test
