// A steady millisecond clock, so waits with a time limit can be tested without waiting.
#pragma once

#include <QtGlobal>

#include <chrono>

namespace veldrin {

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds from a fixed start; never goes back.
    virtual qint64 nowMs() const = 0;
};

// The system's monotonic clock, unmoved by changes of the time of day.
class SteadyClock : public Clock {
public:
    qint64 nowMs() const override
    {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }
};

} // namespace veldrin
