#include "online/ModulePollService.h"

#include "online/OnlineModule.h"
#include "online/OnlineServices.h"

namespace veldrin {

std::unique_ptr<PollRunner> ModulePollService::newRunner()
{
    OnlineServices* services = m_module.services();
    return services ? services->newPollRunner() : nullptr;
}

QString ModulePollService::unavailableReason() const
{
    return m_module.errorString();
}

} // namespace veldrin
