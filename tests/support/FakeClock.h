// A clock for tests: it moves only when the test (or a fake service) moves it.
#pragma once

#include "services/Clock.h"

namespace veldrin::test {

class FakeClock : public Clock {
public:
    qint64 nowMs() const override { return now; }
    void advance(qint64 ms) { now += ms; }

    qint64 now = 1000000;
};

} // namespace veldrin::test
