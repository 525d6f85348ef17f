// Echo requests on Linux: an unprivileged ICMP datagram socket where the system allows one,
// else a raw socket, else the system's ping program.
#pragma once

#include "update/IcmpEcho.h"

#include <QTimer>

#include <cstdint>
#include <optional>

class QProcess;
class QSocketNotifier;

namespace veldrin {

class LinuxIcmpEcho : public IcmpEcho {
    Q_OBJECT

public:
    enum class Way { Automatic, Datagram, Raw, Program };

    explicit LinuxIcmpEcho(QObject* parent = nullptr);
    ~LinuxIcmpEcho() override;

    void send(const QString& address, const QByteArray& data, int timeoutMs) override;
    void cancel() override;

    // Pins one way instead of the first the system allows, for tests of each way.
    void setWay(Way way);
    // The ping program of the last way; found on the search path unless set.
    void setPingProgram(const QString& path) { m_pingProgram = path; }
    // The way the last request went; Automatic before the first.
    Way wayInUse() const { return m_wayInUse; }

private:
    // Opens the socket of the first way allowed. Gives what to report when there is none and
    // the ping program is not to be tried.
    std::optional<EchoReply> openSocket();
    void closeSocket();
    void sendOnSocket(std::uint32_t address, const QByteArray& data, int timeoutMs);
    void sendWithProgram(const QString& address, const QByteArray& data, int timeoutMs);
    void readSocket();
    void timedOut();
    void finish(const EchoReply& reply);
    // Reports a reply from the event loop, never from inside send().
    void finishLater(const EchoReply& reply);

    Way m_way = Way::Automatic;
    Way m_wayInUse = Way::Automatic;
    QString m_pingProgram;
    int m_socket = -1;
    QSocketNotifier* m_notifier = nullptr;
    QProcess* m_ping = nullptr;
    QTimer m_timeout;
    bool m_waiting = false;
    // Counts requests, so a reply reported later belongs to the request it was for.
    std::uint64_t m_request = 0;
    std::uint32_t m_target = 0;
    std::uint16_t m_identifier = 0;
    std::uint16_t m_sequence = 0;
};

} // namespace veldrin
