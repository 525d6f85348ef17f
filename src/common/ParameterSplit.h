// A program's parameter string as the list of arguments it stands for.
#pragma once

#include <QStringList>

namespace veldrin {

// Split as a shell would, double quotes grouping: on Windows a started program receives the
// string whole and splits it itself the same way; elsewhere it is split before the start.
QStringList SplitParameter(const QString& parameter);

} // namespace veldrin
