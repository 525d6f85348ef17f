// Where the updater programs lie: beside the configurator.
#pragma once

#include <QString>

namespace veldrin {

// The program file of an updater ("Ser_30418_Update"), with ".exe" on Windows.
QString UpdaterProgram(const QString& programDir, const QString& name);

} // namespace veldrin
