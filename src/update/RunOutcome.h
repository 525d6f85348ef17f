// How a started program came back to the configurator, and the status line that says so.
#pragma once

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

    // One line for the dialog that started program, saying how it went.
    QString statusLine(const QString& program) const
    {
        const QString name = QFileInfo(program).fileName();
        switch (kind) {
        case Kind::NotStarted:
            return QStringLiteral("%1 did not start.").arg(name);
        case Kind::StillRunning:
            return QStringLiteral("%1 is still running; it is left to finish on its own.").arg(name);
        case Kind::Ended:
            if (crashed)
                return QStringLiteral("%1 stopped abnormally.").arg(name);
            if (exitCode != 0)
                return QStringLiteral("%1 ended with error code %2.").arg(name).arg(exitCode);
            return QStringLiteral("%1 finished.").arg(name);
        }
        return {};
    }
};

} // namespace veldrin
