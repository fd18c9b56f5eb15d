// A manual-reset event that a waiting thread wakes from as soon as it is set.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

class StopEvent {
public:
    void Set();
    void Reset();
    bool IsSet() const;
    // True when the event is set before the time has passed.
    bool WaitFor(std::chrono::milliseconds duration) const;

private:
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    bool set_ = false;
};

// How the playback thread lets time pass; tests give one that does not sleep.
class IPlaybackTimer {
public:
    virtual ~IPlaybackTimer() = default;
    // Waits the duration or until stop is set; true when stop is set.
    virtual bool Wait(const StopEvent& stop, std::chrono::milliseconds duration) = 0;
};

class RealPlaybackTimer : public IPlaybackTimer {
public:
    bool Wait(const StopEvent& stop, std::chrono::milliseconds duration) override {
        return stop.WaitFor(duration);
    }
};
