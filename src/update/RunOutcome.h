// How a started program came back to the configurator, and the status line that says so.
#pragma once

#include "lang/StringTable.h"

#include <QDir>
#include <QFileInfo>
#include <QString>

namespace veldrin {

struct RunOutcome {
    enum class Kind { NotStarted, Ended, StillRunning };

    Kind kind = Kind::NotStarted;
    int exitCode = 0;
    bool crashed = false;
    // Why it did not start.
    QString error;

    bool succeeded() const { return kind == Kind::Ended && !crashed && exitCode == 0; }

    // One line for the dialog that started program, saying how it went, in the texts of strings
    // from 205 ("%1 did not start.") to 209 ("%1 finished.").
    QString statusLine(const QString& program, const StringTable& strings) const
    {
        const QString name = QFileInfo(program).fileName();
        switch (kind) {
        case Kind::NotStarted:
            return strings[205].arg(name);
        case Kind::StillRunning:
            return strings[206].arg(name);
        case Kind::Ended:
            if (crashed)
                return strings[207].arg(name);
            if (exitCode != 0)
                return strings[208].arg(name).arg(exitCode);
            return strings[209].arg(name);
        }
        return {};
    }
};

} // namespace veldrin
