// One run of an updater: the problems found in its inputs, then its operations in order, each
// shown with its progress; the first failing operation ends the run.
#pragma once

#include "common/VeldrinError.h"
#include "updaters/UpdaterExit.h"

#include <QString>

#include <functional>

namespace veldrin::updaters {

class UpdaterReport;

// A read-back that found the device holding something else than the file.
class ReadBackMismatch : public VeldrinError {
public:
    using VeldrinError::VeldrinError;
};

class UpdateRun {
public:
    // Pauses between the progress steps of one operation; a window shows them, so an operation
    // takes about ProgressSteps times this.
    static constexpr int ProgressPauseMs = 25;
    static constexpr int ProgressSteps = 5;

    explicit UpdateRun(UpdaterReport& report) : m_report(report) {}

    UpdaterReport& report() { return m_report; }

    // Reports a problem found before any operation; the first problem's code is the exit code.
    void problem(const QString& text, UpdaterExit code);
    bool hasProblems() const { return m_exitCode != ExitOk; }

    // The number of operations the run will perform, before the first step.
    void setStepCount(int count) { m_stepCount = count; }

    // Performs the next operation: shows text and its progress, then runs body, which gives the
    // result shown at the end ("done") or throws: ReadBackMismatch or VeldrinError. Gives false
    // when it failed; the problem has been reported.
    bool step(const QString& text, const std::function<QString()>& body);

    // Reports the end of the run and gives the exit code. deviceName names the device in the
    // summary of a good run.
    int finish(const QString& deviceName);

private:
    UpdaterReport& m_report;
    int m_exitCode = ExitOk;
    int m_stepCount = 0;
    int m_stepsDone = 0;
    bool m_stepFailed = false;
};

} // namespace veldrin::updaters
