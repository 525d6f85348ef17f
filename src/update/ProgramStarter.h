// Start_Program: starts an updater and waits for it, with a time limit, while the window
// shows how long it has waited.
#pragma once

#include "update/RunOutcome.h"

#include <QObject>

class QWidget;

namespace veldrin {

class Clock;
class ProgramRunner;
class Prompts;
class StringTable;

class ProgramStarter : public QObject {
    Q_OBJECT

public:
    // How long a program is waited for, on the clock given.
    static constexpr int LimitMs = 150000;

    // The wait window takes its texts from strings as they are when a program starts.
    ProgramStarter(ProgramRunner& runner, Prompts& prompts, const StringTable& strings, Clock& clock,
                   QWidget* owner);

    // Starts NomeSW with the parameter string, shown normally (tipo 0) or hidden, and waits
    // until it ends, the limit passes or the user stops waiting; the program is never stopped.
    // A program that cannot be started is reported in the error box and the call returns at
    // once.
    RunOutcome Start_Program(const QString& NomeSW, const QString& Parameter, int tipo);

    // A program started here is still running, past the limit too.
    bool isBusy() const;
    // The text that refuses a second start while one is running.
    static QString BusyMessage(const StringTable& strings);

private:
    ProgramRunner& m_runner;
    Prompts& m_prompts;
    const StringTable& m_strings;
    Clock& m_clock;
    QWidget* m_owner;
};

} // namespace veldrin
