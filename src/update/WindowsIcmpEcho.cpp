#include "update/WindowsIcmpEcho.h"

#include "common/Ipv4Address.h"

#include <QTimer>
#include <QWinEventNotifier>

#include <algorithm>
#include <cstring>

// clang-format off
#ifndef NOMINMAX
#define NOMINMAX // std::min and std::max, not the macros of windows.h
#endif
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>
#include <winternl.h> // IO_STATUS_BLOCK and the APC routine's type, which icmpapi.h then uses
#include <iphlpapi.h>
#include <icmpapi.h>
// clang-format on

namespace veldrin {

// One request in the system's hands: its data and reply buffer must stay where they are until
// the event says the request is over, whether or not anyone still waits for it.
struct WindowsIcmpEcho::Pending {
    std::uint64_t request = 0;
    bool abandoned = false;
    HANDLE event = nullptr;
    QWinEventNotifier* notifier = nullptr;
    QByteArray data;
    std::vector<unsigned char> reply;

    ~Pending()
    {
        // Possibly inside its own signal: let the event loop delete it.
        if (notifier) {
            notifier->setEnabled(false);
            notifier->deleteLater();
        }
        if (event)
            ::CloseHandle(event);
    }
};

namespace {

QString systemReason(DWORD error)
{
    wchar_t* text = nullptr;
    const DWORD length = ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                              FORMAT_MESSAGE_IGNORE_INSERTS,
                                          nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    QString reason = length ? QString::fromWCharArray(text, static_cast<qsizetype>(length)).trimmed()
                            : QStringLiteral("system error %1").arg(error);
    if (text)
        ::LocalFree(text);
    return reason;
}

} // namespace

WindowsIcmpEcho::WindowsIcmpEcho(QObject* parent) : IcmpEcho(parent), m_icmp(::IcmpCreateFile()) {}

WindowsIcmpEcho::~WindowsIcmpEcho()
{
    cancel();
    // The system writes into the buffers of a request until it ends, at the latest at its
    // time-out: wait for that before they go.
    for (const std::unique_ptr<Pending>& pending : m_pending) {
        if (pending->notifier)
            pending->notifier->setEnabled(false);
        ::WaitForSingleObject(pending->event, 5000);
    }
    m_pending.clear();
    if (m_icmp != INVALID_HANDLE_VALUE)
        ::IcmpCloseHandle(m_icmp);
}

void WindowsIcmpEcho::cancel()
{
    ++m_request;
    for (const std::unique_ptr<Pending>& pending : m_pending)
        pending->abandoned = true;
}

void WindowsIcmpEcho::send(const QString& address, const QByteArray& data, int timeoutMs)
{
    cancel();
    const std::optional<std::uint32_t> target = ParseDottedQuad(address);
    if (!target) {
        finishLater({EchoReply::Status::Error, 0,
                     QStringLiteral("\"%1\" is not an IPv4 address of four numbers").arg(address)});
        return;
    }
    if (m_icmp == INVALID_HANDLE_VALUE) {
        m_icmp = ::IcmpCreateFile();
        if (m_icmp == INVALID_HANDLE_VALUE) {
            finishLater(
                {EchoReply::Status::Error, 0,
                 QStringLiteral("Cannot open the ICMP service: %1").arg(systemReason(::GetLastError()))});
            return;
        }
    }

    auto pending = std::make_unique<Pending>();
    pending->request = m_request;
    pending->data = data;
    pending->data.detach();
    // Room for one reply with the data sent back, an ICMP error message and the status block.
    pending->reply.resize(sizeof(ICMP_ECHO_REPLY) + static_cast<size_t>(data.size()) + 8 +
                          sizeof(IO_STATUS_BLOCK) + 1024);
    pending->event = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!pending->event) {
        finishLater({EchoReply::Status::Error, 0,
                     QStringLiteral("Cannot send an echo request: %1").arg(systemReason(::GetLastError()))});
        return;
    }

    IPAddr destination = 0;
    const std::uint32_t network = htonl(*target);
    std::memcpy(&destination, &network, sizeof destination);
    const DWORD answered = ::IcmpSendEcho2(
        m_icmp, pending->event, nullptr, nullptr, destination, pending->data.data(),
        static_cast<WORD>(std::min<qsizetype>(pending->data.size(), 65500)), nullptr, pending->reply.data(),
        static_cast<DWORD>(pending->reply.size()), static_cast<DWORD>(std::max(1, timeoutMs)));
    const DWORD error = ::GetLastError();
    if (answered == 0 && error != ERROR_IO_PENDING) {
        finishLater({EchoReply::Status::Error, 0,
                     QStringLiteral("Cannot send an echo request to %1: %2")
                         .arg(DottedQuad(*target), systemReason(error))});
        return;
    }

    Pending* raw = pending.get();
    raw->notifier = new QWinEventNotifier(raw->event, this);
    connect(raw->notifier, &QWinEventNotifier::activated, this, [this, raw] { completed(raw); });
    if (answered != 0)
        ::SetEvent(raw->event); // answered at once: the event still carries the outcome here
    m_pending.push_back(std::move(pending));
}

void WindowsIcmpEcho::completed(Pending* pending)
{
    const auto found =
        std::find_if(m_pending.begin(), m_pending.end(),
                     [pending](const std::unique_ptr<Pending>& p) { return p.get() == pending; });
    if (found == m_pending.end())
        return;
    std::unique_ptr<Pending> done = std::move(*found);
    m_pending.erase(found);
    done->notifier->setEnabled(false);
    if (done->abandoned || done->request != m_request)
        return;

    EchoReply reply;
    const DWORD count = ::IcmpParseReplies(done->reply.data(), static_cast<DWORD>(done->reply.size()));
    if (count == 0) {
        const DWORD error = ::GetLastError();
        reply.status =
            error == IP_REQ_TIMED_OUT || error == 0 ? EchoReply::Status::TimedOut : EchoReply::Status::Error;
        if (reply.status == EchoReply::Status::Error)
            reply.reason = QStringLiteral("The echo request failed: %1").arg(systemReason(error));
    } else {
        const auto* echo = reinterpret_cast<const ICMP_ECHO_REPLY*>(done->reply.data());
        if (echo->Status == IP_SUCCESS) {
            reply.status = EchoReply::Status::Replied;
            reply.bytesReceived = echo->DataSize;
        } else {
            // Unreachable and the like: no reply from the device.
            reply.status = EchoReply::Status::TimedOut;
        }
    }
    Q_EMIT replied(reply);
}

void WindowsIcmpEcho::finishLater(const EchoReply& reply)
{
    const std::uint64_t request = m_request;
    QTimer::singleShot(0, this, [this, request, reply] {
        if (request == m_request)
            Q_EMIT replied(reply);
    });
}

} // namespace veldrin
