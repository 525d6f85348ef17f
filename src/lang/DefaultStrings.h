// The built-in English texts of the user interface.
#pragma once

#include <QStringList>

namespace veldrin {

// The 179 texts in index order.
const QStringList& DefaultStrings();

} // namespace veldrin
