// The independent Modbus slave of the poll tests: tests/poll/modbus_slave.py under Debian's
// python3 with pymodbus, on a port of a PtyBridge. It fails loudly, never skips, when pymodbus
// is missing: scripts/setup installs it.
#pragma once

#include "support/TestData.h"

#include <QProcess>
#include <QString>

namespace veldrin::test {

class ModbusSlaveProcess {
public:
    // Starts the slave on port with "rtu" or "ascii" framing and waits until it has opened it;
    // error() says why not.
    ModbusSlaveProcess(const QString& port, const QString& framing)
    {
        m_process.start(QStringLiteral("/usr/bin/python3"), {ModbusSlaveScript(), port, framing});
        if (!m_process.waitForStarted(5000)) {
            m_error = QStringLiteral("/usr/bin/python3 did not start: ") + m_process.errorString();
            return;
        }
        while (!m_process.canReadLine() && m_process.waitForReadyRead(10000)) {
        }
        const QString line = QString::fromUtf8(m_process.readLine()).trimmed();
        if (line != QLatin1String("ready"))
            m_error = QStringLiteral(
                          "the Modbus slave did not start (is python3-pymodbus with python3-serial-asyncio "
                          "installed? scripts/setup installs them): ") +
                      line + QString::fromUtf8(m_process.readAllStandardError());
    }
    ~ModbusSlaveProcess()
    {
        m_process.kill();
        m_process.waitForFinished(3000);
    }
    ModbusSlaveProcess(const ModbusSlaveProcess&) = delete;
    ModbusSlaveProcess& operator=(const ModbusSlaveProcess&) = delete;

    // "" when the slave answers.
    QString error() const { return m_error; }

private:
    QProcess m_process;
    QString m_error;
};

} // namespace veldrin::test
