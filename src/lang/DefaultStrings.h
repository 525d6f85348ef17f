// The built-in English texts of the user interface.
#pragma once

#include <QStringList>

namespace veldrin {

// The texts in index order, from 0 to the last added one; the indexes that hold no text
// (see StringTable::HasText) are empty.
const QStringList& DefaultStrings();

} // namespace veldrin
