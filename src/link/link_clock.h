// Time as the board link sees it: a monotonic clock, pauses and the local time of day.
#pragma once

#include <chrono>

#include "board_protocol.h"

class ILinkClock {
public:
    using TimePoint = std::chrono::steady_clock::time_point;
    using Duration = std::chrono::steady_clock::duration;

    virtual ~ILinkClock() = default;
    virtual TimePoint Now() const = 0;
    virtual void SleepFor(Duration duration) = 0;
    virtual TimeOfDay LocalTimeOfDay() const = 0;
};

// The machine's clocks.
class SystemLinkClock final : public ILinkClock {
public:
    TimePoint Now() const override;
    void SleepFor(Duration duration) override;
    TimeOfDay LocalTimeOfDay() const override;
};
