// The connection check of the Ethernet update: echo requests to the device until two replies
// with data came back or ten seconds have passed, without blocking the window.
#pragma once

#include "update/IcmpEcho.h"

#include <QTimer>

#include <cstdint>

namespace veldrin {

class Clock;

class ConnectionCheck : public QObject {
    Q_OBJECT

public:
    enum class Outcome {
        Found,       // the last reply carried data
        NotFound,    // no reply with data when the time was up
        Error,       // not an address a device can have, or the request could not be sent
        NotPermitted // this computer permits no echo requests
    };

    static constexpr int ReplyWaitMs = 400;
    static constexpr int LimitMs = 10000;
    static constexpr int RepliesNeeded = 2;

    ConnectionCheck(IcmpEcho& echo, Clock& clock, QObject* parent = nullptr);

    // Starts a check of the address text (the four boxes joined with "."), ending a check
    // still running. An address DeviceAddress refuses ends the check with Error before
    // anything is sent. finished() always follows from the event loop.
    void start(const QString& address);
    // Ends a running check without finished().
    void stop();
    bool isRunning() const { return m_running; }

    Outcome outcome() const { return m_outcome; }
    // For Error and NotPermitted: why.
    QString reason() const { return m_reason; }
    // The address the last check went to, in plain dotted form; "" when it named none.
    QString address() const { return m_address; }
    // Echo requests sent by the last check.
    int attempts() const { return m_attempts; }

Q_SIGNALS:
    void finished(veldrin::ConnectionCheck::Outcome outcome);

private:
    void attempt();
    void replied(const EchoReply& reply);
    void finish(Outcome outcome, const QString& reason = {});

    IcmpEcho& m_echo;
    Clock& m_clock;
    QTimer m_next;
    bool m_running = false;
    // Counts the checks started, so a late report belongs to the check it was for.
    std::uint64_t m_generation = 0;
    Outcome m_outcome = Outcome::NotFound;
    QString m_reason;
    QString m_address;
    qint64 m_t0 = 0;
    // The outcome of the latest request: 0 none yet, 1 a reply with data, 2 none with data.
    int ping_ = 0;
    int m_count = 0;
    int m_attempts = 0;
};

} // namespace veldrin
