// The one way tests wait: the event loop runs until a condition holds or the time is up, as
// QTRY_VERIFY does, with the answer given to a GoogleTest assertion.
#pragma once

#include <QTest>

namespace veldrin::test {

// Runs the event loop until done() holds or timeoutMs have passed; tells whether it holds.
//   ASSERT_TRUE(WaitUntil([&] { return !check.isRunning(); }));
// That nothing happens within a time is the same wait expected to fail:
//   EXPECT_FALSE(WaitUntil([&] { return spy.size() > 1; }, 100));
template <typename Condition> [[nodiscard]] bool WaitUntil(Condition done, int timeoutMs = 5000)
{
    return QTest::qWaitFor(done, timeoutMs);
}

} // namespace veldrin::test
