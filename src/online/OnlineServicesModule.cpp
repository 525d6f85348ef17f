// The online module: the version query and the serial-port list with the libraries they need,
// built as a module of its own that the configurator loads the first time it needs one.
#include "online/OnlineServices.h"
#include "options/HttpUpdateCheck.h"
#include "poll/PollEngine.h"

namespace veldrin {
namespace {

class HttpVersionQuery : public OnlineServices::VersionQuery {
public:
    HttpVersionQuery(const QUrl& url, int deadlineMs, std::function<void(bool)> answered)
        : m_check(nullptr, url, deadlineMs)
    {
        QObject::connect(&m_check, &UpdateCheck::finished, std::move(answered));
    }

    void start() override { m_check.start(); }
    bool isRunning() const override { return m_check.isRunning(); }
    bool answered() const override { return m_check.answered(); }

private:
    HttpUpdateCheck m_check;
};

class SystemOnlineServices final : public OnlineServices {
public:
    std::unique_ptr<VersionQuery> newVersionQuery(const QUrl& url, int deadlineMs,
                                                  std::function<void(bool)> answered) override
    {
        return std::make_unique<HttpVersionQuery>(url, deadlineMs, std::move(answered));
    }
    QList<SerialPort> serialPorts() override { return SystemSerialPortLister().EnumPorts(); }
    std::unique_ptr<PollRunner> newPollRunner() override { return std::make_unique<PollEngine>(); }
};

} // namespace
} // namespace veldrin

extern "C" Q_DECL_EXPORT veldrin::OnlineServices* veldrin_online_services()
{
    static veldrin::SystemOnlineServices services;
    return &services;
}
