// Time as the board link sees it: a monotonic clock, pauses and the local time of day.
#pragma once

#include <chrono>
#include <mutex>

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

// Time that moves only when someone sleeps on it: every pause is exact and
// takes no real time. For tests and for running the link without waiting.
class ManualLinkClock final : public ILinkClock {
public:
    TimePoint Now() const override;
    void SleepFor(Duration duration) override;
    TimeOfDay LocalTimeOfDay() const override;
    void SetLocalTime(TimeOfDay time);

private:
    mutable std::mutex mutex_;
    TimePoint now_{};
    TimeOfDay time_{12, 34, 56};
};
