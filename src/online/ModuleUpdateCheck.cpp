#include "online/ModuleUpdateCheck.h"

#include "online/OnlineModule.h"

#include <QTimer>

namespace veldrin {

ModuleUpdateCheck::ModuleUpdateCheck(OnlineModule& module, QUrl url, int deadlineMs, QObject* parent)
    : UpdateCheck(parent), m_module(module), m_url(std::move(url)), m_deadlineMs(deadlineMs)
{}

ModuleUpdateCheck::~ModuleUpdateCheck() = default;

void ModuleUpdateCheck::start()
{
    if (!m_query) {
        if (OnlineServices* services = m_module.services())
            m_query = services->newVersionQuery(m_url, m_deadlineMs,
                                                [this](bool newerVersion) { Q_EMIT finished(newerVersion); });
    }
    if (m_query)
        m_query->start();
    else
        QTimer::singleShot(0, this, [this] { Q_EMIT finished(false); });
}

bool ModuleUpdateCheck::isRunning() const
{
    return m_query && m_query->isRunning();
}

bool ModuleUpdateCheck::answered() const
{
    // Without the module no query was sent.
    return m_query && m_query->answered();
}

} // namespace veldrin
