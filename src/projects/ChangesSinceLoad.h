// The changes made to a configuration since it was last loaded into a device: the newest entry
// of its load history against the files it holds now, as a page a person reads at a glance.
#pragma once

#include "projects/ConfigurationDiff.h"
#include "update/UpdateOptions.h"

#include <QDateTime>
#include <QString>

#include <optional>

namespace veldrin {

class StringTable;

// The newest load kept in a configuration's history: its folder and what load.json says of it.
struct LastLoad {
    QString entry;
    QDateTime time;
    bool serial = true;
    QString target; // the port or the address
    UpdateOptions options;
    int exitCode = 0;
};

// Nothing when the configuration has no history yet. Throws VeldrinError when the newest
// entry's note cannot be read.
std::optional<LastLoad> NewestLoad(const QString& configDir);

// When and how the load went: "on 10/12/26 14:47 over the serial port /dev/ttyUSB0".
QString LoadDescription(const LastLoad& load, const StringTable& strings);

// The page: when and how the last load went, then each changed part as a table of field,
// value at the load and value now; an added row is marked "+", a removed one "-", a changed
// one "~", besides the colours. Without a load, or without a change, one sentence says so.
QString ChangesPage(const std::optional<LastLoad>& load, const ConfigurationDiff& diff,
                    const StringTable& strings);

} // namespace veldrin
