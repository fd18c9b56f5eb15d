// The machine's clocks for the board link, and a clock that moves only when slept on.
#include "link_clock.h"

#include <ctime>
#include <thread>

ILinkClock::TimePoint SystemLinkClock::Now() const { return std::chrono::steady_clock::now(); }

void SystemLinkClock::SleepFor(Duration duration) { std::this_thread::sleep_for(duration); }

TimeOfDay SystemLinkClock::LocalTimeOfDay() const {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (now == static_cast<std::time_t>(-1) || localtime_r(&now, &local) == nullptr) return {};
    return TimeOfDay{static_cast<std::uint8_t>(local.tm_hour),
                     static_cast<std::uint8_t>(local.tm_min),
                     static_cast<std::uint8_t>(local.tm_sec)};
}

ILinkClock::TimePoint ManualLinkClock::Now() const {
    std::lock_guard lock(mutex_);
    return now_;
}

void ManualLinkClock::SleepFor(Duration duration) {
    std::lock_guard lock(mutex_);
    now_ += duration;
}

TimeOfDay ManualLinkClock::LocalTimeOfDay() const {
    std::lock_guard lock(mutex_);
    return time_;
}

void ManualLinkClock::SetLocalTime(TimeOfDay time) {
    std::lock_guard lock(mutex_);
    time_ = time;
}
