// Echo requests on Windows, through the system's ICMP helper functions, which need no
// special rights; the reply is awaited on an event, so the window never blocks.
#pragma once

#include "update/IcmpEcho.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace veldrin {

class WindowsIcmpEcho : public IcmpEcho {
    Q_OBJECT

public:
    explicit WindowsIcmpEcho(QObject* parent = nullptr);
    ~WindowsIcmpEcho() override;

    void send(const QString& address, const QByteArray& data, int timeoutMs) override;
    void cancel() override;

private:
    struct Pending;

    void completed(Pending* pending);
    void finishLater(const EchoReply& reply);

    void* m_icmp;
    // Requests the system still holds buffers of; one at most is not abandoned.
    std::vector<std::unique_ptr<Pending>> m_pending;
    std::uint64_t m_request = 0;
};

} // namespace veldrin
