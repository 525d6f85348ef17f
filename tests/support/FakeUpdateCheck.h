// An update check for tests: counts the queries and answers when the test says so.
#pragma once

#include "options/UpdateCheck.h"

namespace veldrin::test {

class FakeUpdateCheck : public UpdateCheck {
public:
    void start() override
    {
        if (!m_running)
            ++starts;
        m_running = true;
    }
    bool isRunning() const override { return m_running; }

    // Ends the running query with this answer.
    void answer(bool newerVersion)
    {
        m_running = false;
        Q_EMIT finished(newerVersion);
    }

    int starts = 0;

private:
    bool m_running = false;
};

} // namespace veldrin::test
