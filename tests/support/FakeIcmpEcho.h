// An echo service for tests: records the requests and answers them from a script, moving a
// fake clock on by the time each request would have taken. Nothing is sent anywhere.
#pragma once

#include "support/FakeClock.h"
#include "update/IcmpEcho.h"

#include <QList>
#include <QTimer>

namespace veldrin::test {

class FakeIcmpEcho : public IcmpEcho {
public:
    struct Request {
        QString address;
        QByteArray data;
        int timeoutMs;
    };

    explicit FakeIcmpEcho(FakeClock* clock = nullptr) : m_clock(clock) {}

    static EchoReply reply(int bytes) { return {EchoReply::Status::Replied, bytes, {}}; }
    static EchoReply timeout() { return {EchoReply::Status::TimedOut, 0, {}}; }

    void send(const QString& address, const QByteArray& data, int timeoutMs) override
    {
        requests.append({address, data, timeoutMs});
        const quint64 request = ++m_request;
        if (hold)
            return;
        // The script's first answer, or its last one over and over.
        const EchoReply answer = script.size() > 1 ? script.takeFirst() : script.value(0, timeout());
        QTimer::singleShot(0, this, [this, request, answer, timeoutMs] {
            if (request == m_request)
                answerNow(answer, answer.status == EchoReply::Status::TimedOut ? timeoutMs : replyMs);
        });
    }
    void cancel() override
    {
        ++m_request;
        ++cancels;
    }

    // Answers the request held back (hold on) now.
    void answerNow(const EchoReply& answer, int tookMs = 1)
    {
        if (m_clock)
            m_clock->advance(tookMs);
        Q_EMIT replied(answer);
    }

    QList<EchoReply> script;
    // Requests wait for answerNow() instead of the script.
    bool hold = false;
    // How long a reply takes on the fake clock.
    int replyMs = 1;
    QList<Request> requests;
    int cancels = 0;

private:
    FakeClock* m_clock;
    quint64 m_request = 0;
};

} // namespace veldrin::test
