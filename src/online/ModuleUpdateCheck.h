// The version query of the online module, loaded at the first query.
#pragma once

#include "online/OnlineServices.h"
#include "options/UpdateCheck.h"

#include <QUrl>

#include <memory>

namespace veldrin {

class OnlineModule;

class ModuleUpdateCheck : public UpdateCheck {
    Q_OBJECT

public:
    // A query of url, bounded by deadlineMs, as HttpUpdateCheck makes it.
    ModuleUpdateCheck(OnlineModule& module, QUrl url, int deadlineMs, QObject* parent = nullptr);
    ~ModuleUpdateCheck() override;

    // Without the module the query fails, and its answer (no) arrives as a failed one would.
    void start() override;
    bool isRunning() const override;
    bool answered() const override;

private:
    OnlineModule& m_module;
    QUrl m_url;
    int m_deadlineMs;
    std::unique_ptr<OnlineServices::VersionQuery> m_query;
};

} // namespace veldrin
