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
    bool answered() const override { return m_answered; }

    // Ends the running query with this answer.
    void answer(bool newerVersion)
    {
        m_running = false;
        m_answered = true;
        Q_EMIT finished(newerVersion);
    }
    // Ends the running query without an answer from the server.
    void fail()
    {
        m_running = false;
        m_answered = false;
        Q_EMIT finished(false);
    }

    int starts = 0;

private:
    bool m_running = false;
    bool m_answered = false;
};

} // namespace veldrin::test
