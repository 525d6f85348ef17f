// The program runner over the operating system's processes.
#pragma once

#include "services/ProgramRunner.h"

class QProcess;

namespace veldrin {

class ProcessRunner : public ProgramRunner {
    Q_OBJECT

public:
    explicit ProcessRunner(QObject* parent = nullptr);
    // A program still running is left running: its process object is let go, not destroyed,
    // since destroying it would stop the program.
    ~ProcessRunner() override;

    QString start(const QString& program, const QString& parameter, bool hidden) override;
    bool isRunning() const override;
    int exitCode() const override { return m_exitCode; }
    bool crashed() const override { return m_crashed; }

private:
    QProcess* m_process = nullptr;
    int m_exitCode = 0;
    bool m_crashed = false;
};

} // namespace veldrin
