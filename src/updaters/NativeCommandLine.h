// An updater's arguments where the system hands a program its command line as one text.
#pragma once

#include <QString>
#include <QStringList>

namespace veldrin::updaters {

// The arguments of a whole command line: what follows the program's own name (quoted, or up to
// the first blank), split as the configurator splits a parameter string: blanks separate, double
// quotes group, and a backslash is a plain character, so the bin folder's trailing "\" does not
// escape its closing quote as the usual Windows rule would.
QStringList ArgumentsOfCommandLine(const QString& commandLine);

} // namespace veldrin::updaters
