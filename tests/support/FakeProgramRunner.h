// A program runner for tests: records what it was asked to start and ends the program when
// the test says so, or at once.
#pragma once

#include "services/ProgramRunner.h"

#include <QStringList>
#include <QTimer>

namespace veldrin::test {

class FakeProgramRunner : public ProgramRunner {
public:
    struct Start {
        QString program;
        QString parameter;
        bool hidden;
    };

    QString start(const QString& program, const QString& parameter, bool hidden) override
    {
        starts.append({program, parameter, hidden});
        if (!startError.isEmpty())
            return startError;
        m_running = true;
        if (endAtOnceWith)
            QTimer::singleShot(0, this, [this] { finish(*endAtOnceWith); });
        return {};
    }
    bool isRunning() const override { return m_running; }
    int exitCode() const override { return m_exitCode; }
    bool crashed() const override { return m_crashed; }

    void finish(int exitCode, bool crashed = false)
    {
        m_running = false;
        m_exitCode = exitCode;
        m_crashed = crashed;
        Q_EMIT ended();
    }

    QList<Start> starts;
    QString startError;                   // the reason a start fails, "" to start
    std::optional<int> endAtOnceWith = 0; // the exit code it ends with, or keep running

private:
    bool m_running = false;
    int m_exitCode = 0;
    bool m_crashed = false;
};

} // namespace veldrin::test
