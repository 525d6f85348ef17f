// The checks the Set Communication dialog makes before it writes ParGen.xml.
#pragma once

#include "comm/GeneralParameter.h"

#include <QString>

#include <optional>

namespace veldrin {

class StringTable;

// The checks in their fixed order; the message of the first that fails, from the string
// table, or nothing when all pass. A number field passes when IntOrDefault(text, -1) lies
// within its range, both ends included; the lists themselves are not checked.
std::optional<QString> Controllo_Dati(const GeneralParameter& record, const StringTable& strings);

} // namespace veldrin
