#include "update/LinuxIcmpEcho.h"

#include "common/Ipv4Address.h"
#include "update/IcmpPacket.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSocketNotifier>
#include <QStandardPaths>

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#ifdef __linux__
#include <linux/icmp.h>
#endif

namespace veldrin {
namespace {

constexpr int ReceiveBufferSize = 65536;

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

bool isPermissionError(int error)
{
    return error == EACCES || error == EPERM;
}

// The socket kinds a system may lack altogether, as opposed to withholding them.
bool isUnsupported(int error)
{
    return error == EPROTONOSUPPORT || error == ESOCKTNOSUPPORT || error == EAFNOSUPPORT || error == EINVAL;
}

} // namespace

LinuxIcmpEcho::LinuxIcmpEcho(QObject* parent)
    : IcmpEcho(parent),
      m_identifier(static_cast<std::uint16_t>(QRandomGenerator::global()->bounded(1, 65536)))
{
    m_timeout.setSingleShot(true);
    m_timeout.setTimerType(Qt::PreciseTimer);
    connect(&m_timeout, &QTimer::timeout, this, &LinuxIcmpEcho::timedOut);
}

LinuxIcmpEcho::~LinuxIcmpEcho()
{
    cancel();
    closeSocket();
}

void LinuxIcmpEcho::setWay(Way way)
{
    cancel();
    closeSocket();
    m_way = way;
}

void LinuxIcmpEcho::cancel()
{
    m_waiting = false;
    m_timeout.stop();
    ++m_request;
    if (m_ping) {
        // Only the ping this object started; it deletes itself once it has ended.
        m_ping->kill();
        m_ping = nullptr;
    }
}

void LinuxIcmpEcho::send(const QString& address, const QByteArray& data, int timeoutMs)
{
    cancel();
    const std::optional<std::uint32_t> target = ParseDottedQuad(address);
    if (!target) {
        finishLater({EchoReply::Status::Error, 0,
                     QStringLiteral("\"%1\" is not an IPv4 address of four numbers").arg(address)});
        return;
    }
    if (m_way != Way::Program) {
        if (const std::optional<EchoReply> refused = openSocket()) {
            finishLater(*refused);
            return;
        }
    }
    if (m_socket >= 0)
        sendOnSocket(*target, data, timeoutMs);
    else
        sendWithProgram(DottedQuad(*target), data, timeoutMs);
}

std::optional<EchoReply> LinuxIcmpEcho::openSocket()
{
    if (m_socket >= 0)
        return std::nullopt;
    QString refusals;
    if (m_way == Way::Automatic || m_way == Way::Datagram) {
        m_socket = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, IPPROTO_ICMP);
        if (m_socket >= 0) {
            m_wayInUse = Way::Datagram;
        } else {
            const int error = errno;
            if (!isPermissionError(error) && !isUnsupported(error))
                return EchoReply{EchoReply::Status::Error, 0,
                                 QStringLiteral("Cannot open an ICMP socket: %1").arg(systemReason(error))};
            refusals = QStringLiteral("ICMP datagram socket: %1").arg(systemReason(error));
        }
    }
    if (m_socket < 0 && (m_way == Way::Automatic || m_way == Way::Raw)) {
        m_socket = ::socket(AF_INET, SOCK_RAW | SOCK_NONBLOCK | SOCK_CLOEXEC, IPPROTO_ICMP);
        if (m_socket >= 0) {
            m_wayInUse = Way::Raw;
#ifdef __linux__
            // Only echo replies reach this socket; every other ICMP message stays out.
            icmp_filter filter{};
            filter.data = ~(1u << ICMP_ECHOREPLY);
            ::setsockopt(m_socket, SOL_RAW, ICMP_FILTER, &filter, sizeof filter);
#endif
        } else {
            const int error = errno;
            if (!isPermissionError(error) && !isUnsupported(error))
                return EchoReply{EchoReply::Status::Error, 0,
                                 QStringLiteral("Cannot open an ICMP socket: %1").arg(systemReason(error))};
            if (!refusals.isEmpty())
                refusals += QStringLiteral("; ");
            refusals += QStringLiteral("raw socket: %1").arg(systemReason(error));
        }
    }
    if (m_socket >= 0) {
        m_notifier = new QSocketNotifier(static_cast<qintptr>(m_socket), QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, &LinuxIcmpEcho::readSocket);
        return std::nullopt;
    }
    if (m_way == Way::Automatic)
        return std::nullopt; // the ping program is the last way
    return EchoReply{EchoReply::Status::NotPermitted, 0, refusals};
}

void LinuxIcmpEcho::closeSocket()
{
    delete m_notifier;
    m_notifier = nullptr;
    if (m_socket >= 0)
        ::close(m_socket);
    m_socket = -1;
}

void LinuxIcmpEcho::sendOnSocket(std::uint32_t address, const QByteArray& data, int timeoutMs)
{
    readSocket(); // replies that came too late for earlier requests are dropped here
    m_target = address;
    ++m_sequence;
    const QByteArray packet = icmp::EchoRequest(m_identifier, m_sequence, data);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = htonl(address);
    ssize_t sent = -1;
    do {
        sent = ::sendto(m_socket, packet.constData(), static_cast<size_t>(packet.size()), 0,
                        reinterpret_cast<const sockaddr*>(&to), sizeof to);
    } while (sent < 0 && errno == EINTR);
    if (sent < 0) {
        const int error = errno;
        finishLater({EchoReply::Status::Error, 0,
                     QStringLiteral("Cannot send an echo request to %1: %2")
                         .arg(DottedQuad(address), systemReason(error))});
        return;
    }
    m_waiting = true;
    m_timeout.start(timeoutMs);
}

void LinuxIcmpEcho::readSocket()
{
    if (m_socket < 0)
        return;
    QByteArray buffer(ReceiveBufferSize, Qt::Uninitialized);
    for (;;) {
        sockaddr_in from{};
        socklen_t fromSize = sizeof from;
        const ssize_t received = ::recvfrom(m_socket, buffer.data(), static_cast<size_t>(buffer.size()),
                                            MSG_DONTWAIT, reinterpret_cast<sockaddr*>(&from), &fromSize);
        if (received < 0) {
            if (errno == EINTR)
                continue;
            // Nothing more to read, or an ICMP error the system reported on the socket: the
            // request then simply gets no reply.
            return;
        }
        if (!m_waiting || from.sin_family != AF_INET || ntohl(from.sin_addr.s_addr) != m_target)
            continue;
        const bool raw = m_wayInUse == Way::Raw;
        icmp::ReplyMatch match;
        match.withIpHeader = raw;
        if (raw)
            match.identifier = m_identifier;
        match.sequence = m_sequence;
        if (const std::optional<int> bytes =
                icmp::MatchEchoReply(QByteArray::fromRawData(buffer.constData(), received), match)) {
            finish({EchoReply::Status::Replied, *bytes, {}});
            return; // the slot may already have sent the next request
        }
    }
}

void LinuxIcmpEcho::sendWithProgram(const QString& address, const QByteArray& data, int timeoutMs)
{
    m_wayInUse = Way::Program;
    QString program = m_pingProgram;
    if (program.isEmpty())
        program = QStandardPaths::findExecutable(QStringLiteral("ping"));
    if (program.isEmpty())
        program = QStandardPaths::findExecutable(QStringLiteral("ping"),
                                                 {QStringLiteral("/usr/bin"), QStringLiteral("/bin"),
                                                  QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")});
    if (program.isEmpty()) {
        finishLater({EchoReply::Status::NotPermitted, 0,
                     QStringLiteral("no ICMP socket is permitted and no ping program was found")});
        return;
    }

    auto* ping = new QProcess(this);
    m_ping = ping;
    const std::uint64_t request = m_request;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    ping->setProcessEnvironment(environment);
    ping->setProgram(program);
    // Numeric output, one request, a wait of one second at most (this object stops waiting
    // earlier), the request's data size.
    ping->setArguments({QStringLiteral("-n"), QStringLiteral("-c"), QStringLiteral("1"), QStringLiteral("-W"),
                        QStringLiteral("1"), QStringLiteral("-s"), QString::number(data.size()), address});
    connect(ping, &QProcess::finished, this,
            [this, ping, request, program](int exitCode, QProcess::ExitStatus status) {
                ping->deleteLater();
                if (m_ping == ping)
                    m_ping = nullptr;
                if (request != m_request || !m_waiting)
                    return;
                const QString output = QString::fromLocal8Bit(ping->readAllStandardOutput());
                const QString errors = QString::fromLocal8Bit(ping->readAllStandardError()).trimmed();
                if (status == QProcess::NormalExit && exitCode == 0) {
                    const QRegularExpressionMatch found =
                        QRegularExpression(QStringLiteral("(\\d+) bytes from")).match(output);
                    const int bytes = found.hasMatch() ? found.captured(1).toInt() - icmp::HeaderSize : 0;
                    finish({EchoReply::Status::Replied, std::max(0, bytes), {}});
                } else if (status == QProcess::NormalExit && exitCode == 1) {
                    // No reply: the request waits out its time like the others.
                } else if (errors.contains(QStringLiteral("not permitted"), Qt::CaseInsensitive) ||
                           errors.contains(QStringLiteral("permission denied"), Qt::CaseInsensitive)) {
                    finish({EchoReply::Status::NotPermitted, 0, errors});
                } else {
                    finish({EchoReply::Status::Error, 0,
                            QStringLiteral("%1 failed: %2")
                                .arg(program, errors.isEmpty() ? QStringLiteral("exit code %1").arg(exitCode)
                                                               : errors)});
                }
            });
    connect(ping, &QProcess::errorOccurred, this,
            [this, ping, request, program](QProcess::ProcessError error) {
                if (error != QProcess::FailedToStart)
                    return;
                ping->deleteLater();
                if (m_ping == ping)
                    m_ping = nullptr;
                if (request != m_request || !m_waiting)
                    return;
                finish({EchoReply::Status::NotPermitted, 0,
                        QStringLiteral("%1 could not be started: %2").arg(program, ping->errorString())});
            });
    m_waiting = true;
    m_timeout.start(timeoutMs);
    ping->start();
}

void LinuxIcmpEcho::timedOut()
{
    if (!m_waiting)
        return;
    if (m_ping) {
        m_ping->kill();
        m_ping = nullptr;
    }
    finish({EchoReply::Status::TimedOut, 0, {}});
}

void LinuxIcmpEcho::finish(const EchoReply& reply)
{
    m_waiting = false;
    m_timeout.stop();
    Q_EMIT replied(reply);
}

void LinuxIcmpEcho::finishLater(const EchoReply& reply)
{
    m_waiting = true;
    const std::uint64_t request = m_request;
    QTimer::singleShot(0, this, [this, request, reply] {
        if (request == m_request && m_waiting)
            finish(reply);
    });
}

} // namespace veldrin
