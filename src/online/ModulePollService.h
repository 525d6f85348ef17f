// The test poll as the online module runs it, loaded at the first run.
#pragma once

#include "poll/PollRunner.h"

namespace veldrin {

class OnlineModule;

class ModulePollService : public PollService {
public:
    explicit ModulePollService(OnlineModule& module) : m_module(module) {}

    // Null without the module; the reason is in the module's error.
    std::unique_ptr<PollRunner> newRunner() override;
    QString unavailableReason() const override;

private:
    OnlineModule& m_module;
};

} // namespace veldrin
