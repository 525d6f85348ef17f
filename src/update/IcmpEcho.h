// One ICMP echo request at a time to an IPv4 address, answered without blocking the window.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

namespace veldrin {

// How one echo request came back.
struct EchoReply {
    enum class Status {
        Replied,     // the matching echo reply arrived
        TimedOut,    // none arrived in time
        Error,       // the request could not be sent; reason says why
        NotPermitted // this computer lets the configurator send no echo request at all
    };

    Status status = Status::TimedOut;
    // The data bytes the reply carried; 0 without a reply.
    int bytesReceived = 0;
    // For Error: what went wrong. For NotPermitted: what the system refused (the window says
    // what to change).
    QString reason;
};

class IcmpEcho : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // Sends one echo request carrying data to address, four decimal numbers with dots (a name
    // is never looked up: anything else is an Error). replied() follows once, after the
    // matching reply or at the latest when timeoutMs have passed; never from inside send().
    // A request still waiting is abandoned first.
    virtual void send(const QString& address, const QByteArray& data, int timeoutMs) = 0;
    // Abandons the request waiting, if any: no replied() comes for it.
    virtual void cancel() = 0;

Q_SIGNALS:
    void replied(const veldrin::EchoReply& reply);
};

} // namespace veldrin
