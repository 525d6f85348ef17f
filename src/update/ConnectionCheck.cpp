#include "update/ConnectionCheck.h"

#include "common/Ipv4Address.h"
#include "services/Clock.h"

namespace veldrin {
namespace {
// Between a reply and the next request, so a device answering at once is not flooded.
constexpr int PauseAfterReplyMs = 10;
} // namespace

ConnectionCheck::ConnectionCheck(IcmpEcho& echo, Clock& clock, QObject* parent)
    : QObject(parent), m_echo(echo), m_clock(clock)
{
    m_next.setSingleShot(true);
    connect(&m_next, &QTimer::timeout, this, &ConnectionCheck::attempt);
    connect(&m_echo, &IcmpEcho::replied, this, &ConnectionCheck::replied);
}

void ConnectionCheck::start(const QString& address)
{
    stop();
    ++m_generation;
    m_running = true;
    m_reason.clear();
    m_t0 = m_clock.nowMs();
    ping_ = 0;
    m_count = 0;
    m_attempts = 0;
    const std::optional<std::uint32_t> device = DeviceAddress(address);
    m_address = device ? DottedQuad(*device) : QString();
    if (!device) {
        QTimer::singleShot(0, this, [this, address, generation = m_generation] {
            if (m_running && generation == m_generation)
                finish(Outcome::Error,
                       QStringLiteral("\"%1\" is not an address a device can have").arg(address));
        });
        return;
    }
    m_next.start(0);
}

void ConnectionCheck::stop()
{
    if (!m_running)
        return;
    m_running = false;
    m_next.stop();
    m_echo.cancel();
}

void ConnectionCheck::attempt()
{
    if (!m_running)
        return;
    ++m_attempts;
    // The request carries the address it is sent to.
    m_echo.send(m_address, m_address.toLatin1(), ReplyWaitMs);
}

void ConnectionCheck::replied(const EchoReply& reply)
{
    if (!m_running)
        return;
    switch (reply.status) {
    case EchoReply::Status::Error:
        finish(Outcome::Error, reply.reason);
        return;
    case EchoReply::Status::NotPermitted:
        finish(Outcome::NotPermitted, reply.reason);
        return;
    case EchoReply::Status::Replied:
    case EchoReply::Status::TimedOut:
        break;
    }
    const bool withData = reply.status == EchoReply::Status::Replied && reply.bytesReceived > 0;
    ping_ = withData ? 1 : 2;
    if (withData)
        ++m_count;
    if (m_count >= RepliesNeeded) {
        finish(Outcome::Found);
        return;
    }
    if (m_clock.nowMs() - m_t0 > LimitMs) {
        finish(ping_ == 1 ? Outcome::Found : Outcome::NotFound);
        return;
    }
    m_next.start(reply.status == EchoReply::Status::Replied ? PauseAfterReplyMs : 0);
}

void ConnectionCheck::finish(Outcome outcome, const QString& reason)
{
    m_running = false;
    m_next.stop();
    m_outcome = outcome;
    m_reason = reason;
    Q_EMIT finished(outcome);
}

} // namespace veldrin
