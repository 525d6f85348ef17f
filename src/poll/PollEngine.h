// The serial side of the test poll, linked only where the serial-port library may be loaded:
// the online module, veldrin-cli and the tests.
//
// Runs a test poll on a serial port: the requests one at a time, for a number of rounds or
// until stopped, each with a watchdog of its own, without blocking the thread it runs in.
// Every frame goes into the traffic log. On the first failure of the port (an adapter pulled
// out), the run ends at once and what was not run stays "not run".
#pragma once

#include "poll/PollRunner.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QSerialPort>
#include <QString>
#include <QTimer>

#include <optional>
#include <vector>

namespace veldrin {

// Sets the port to the line: baud rate, 8 data bits for RTU and 7 for ASCII, parity, stop bits,
// no flow control.
void ApplyLine(QSerialPort& port, const SerialLine& line);

class PollEngine : public QObject, public PollRunner {
    Q_OBJECT

public:
    explicit PollEngine(QObject* parent = nullptr);
    ~PollEngine() override;

    void setListener(Listener listener) override { m_listener = std::move(listener); }
    std::optional<PortOpenFailure> start(const PollSettings& settings,
                                         std::vector<PollRequest> requests) override;
    void stop() override;

    bool running() const override { return m_end == PollEnd::Running && m_port != nullptr; }
    PollEnd end() const override { return m_end; }
    QString portError() const override { return m_portError; }
    QString portPath() const override { return m_portPath; }
    const std::vector<RowResult>& results() const override { return m_results; }
    const TrafficLog& traffic() const override { return m_traffic; }
    int roundsDone() const override { return m_roundsDone; }
    // The time of the last whole round.
    std::optional<double> cycleMs() const { return m_cycleMs; }
    PollSummary summary() const override;

Q_SIGNALS:
    // The result at index changed.
    void rowDone(int index);
    void roundDone(int round);
    void finished();

private:
    void sendNext();
    void onReadyRead();
    void onWatchdog();
    void onPortError(QSerialPort::SerialPortError error);
    void complete(const QByteArray& frame);
    void afterTransaction();
    void finish(PollEnd end);
    bool toSend(const RowResult& result) const;
    double elapsedMs() const;

    Listener m_listener;
    PollSettings m_settings;
    QString m_portPath;
    QPointer<QSerialPort> m_port;
    std::vector<RowResult> m_results;
    TrafficLog m_traffic;
    QTimer m_watchdog;
    QTimer m_gap;
    QElapsedTimer m_clock;
    QByteArray m_buffer;
    // The request waiting for its answer, or -1.
    int m_current = -1;
    int m_next = 0;
    double m_sentAt = 0;
    double m_roundStart = 0;
    int m_roundsDone = 0;
    std::optional<double> m_cycleMs;
    PollEnd m_end = PollEnd::Done;
    QString m_portError;
};

} // namespace veldrin
