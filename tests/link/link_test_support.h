// Clocks, a recording host and a program source for the board link tests.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "board_link_host.h"
#include "link_clock.h"
#include "program_source.h"

namespace link_test {

using namespace std::chrono_literals;

using ManualClock = ManualLinkClock;

// Real time, run faster: every pause and every period of the board shrinks alike.
class FastClock final : public ILinkClock {
public:
    explicit FastClock(int speedUp = 50) : speedUp_(speedUp) {}
    TimePoint Now() const override {
        return start_ + (std::chrono::steady_clock::now() - start_) * speedUp_;
    }
    void SleepFor(Duration duration) override { std::this_thread::sleep_for(duration / speedUp_); }
    TimeOfDay LocalTimeOfDay() const override { return TimeOfDay{7, 8, 9}; }

private:
    const int speedUp_;
    const TimePoint start_ = std::chrono::steady_clock::now();
};

// Checks done() until it holds; false only after a generous hang guard, never as a timing check.
inline bool Eventually(const std::function<bool()>& done) {
    const auto giveUp = std::chrono::steady_clock::now() + 20s;
    while (!done()) {
        if (std::chrono::steady_clock::now() > giveUp) return false;
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

// Records everything the link reports; safe from any thread.
class RecordingHost final : public IBoardLinkHost {
public:
    struct WindowChange {
        LinkWindow window;
        bool enabled;
        bool operator==(const WindowChange&) const = default;
    };

    void PostBoardNotice(BoardNotice notice) override {
        Record([&] { notices_.push_back(notice); });
    }
    void SetWindowEnabled(LinkWindow window, bool enabled) override {
        Record([&] { windows_.push_back({window, enabled}); });
    }
    void CommandBytesChanged(std::uint8_t mode, std::uint8_t programState) override {
        Record([&] { commandBytes_.emplace_back(mode, programState); });
    }
    StorageArea ChosenStorageArea() override { return area_.load(); }
    AfterTransfer ChosenAfterTransfer() override { return after_.load(); }
    void StatusChanged(const BoardStatus& status) override {
        Record([&] { statuses_.push_back(status); });
    }
    void DebugTrace(std::string_view line) override {
        Record([&] { traces_.emplace_back(line); });
    }
    void ShowAlert(std::string_view text) override {
        Record([&] { alerts_.emplace_back(text); });
    }

    void ChooseArea(StorageArea area) { area_ = area; }
    void ChooseAfterTransfer(AfterTransfer after) { after_ = after; }

    std::vector<BoardNotice> Notices() const { return Copy(notices_); }
    std::vector<WindowChange> Windows() const { return Copy(windows_); }
    std::vector<std::pair<std::uint8_t, std::uint8_t>> CommandBytes() const {
        return Copy(commandBytes_);
    }
    std::vector<BoardStatus> Statuses() const { return Copy(statuses_); }
    std::vector<std::string> Traces() const { return Copy(traces_); }
    std::vector<std::string> Alerts() const { return Copy(alerts_); }

    bool HasNotice(BoardNotice wanted) const {
        std::lock_guard lock(mutex_);
        for (const BoardNotice& n : notices_) {
            if (n == wanted) return true;
        }
        return false;
    }

private:
    template <typename F>
    void Record(F&& add) {
        std::lock_guard lock(mutex_);
        add();
    }
    template <typename T>
    T Copy(const T& value) const {
        std::lock_guard lock(mutex_);
        return value;
    }

    mutable std::mutex mutex_;
    std::vector<BoardNotice> notices_;
    std::vector<WindowChange> windows_;
    std::vector<std::pair<std::uint8_t, std::uint8_t>> commandBytes_;
    std::vector<BoardStatus> statuses_;
    std::vector<std::string> traces_;
    std::vector<std::string> alerts_;
    std::atomic<StorageArea> area_{StorageArea::Save1};
    std::atomic<AfterTransfer> after_{AfterTransfer::KeepAttached};
};

inline NuvoInstruction Instruction(std::array<std::uint8_t, 8> code) {
    NuvoInstruction instruction;
    instruction.valid = 1;
    instruction.code = code;
    return instruction;
}

// A fixed program; optionally holds the caller inside CollectObjectCodes until released,
// the way a chart store holds its lock.
class FakeProgramSource final : public IProgramSource {
public:
    FakeProgramSource() = default;
    explicit FakeProgramSource(std::vector<ObjectCodeEntry> entries)
        : entries_(std::move(entries)) {}

    std::vector<ObjectCodeEntry> CollectObjectCodes() const override {
        std::unique_lock lock(mutex_);
        ++collections_;
        changed_.notify_all();
        changed_.wait(lock, [&] { return !holding_; });
        return entries_;
    }

    void Replace(std::vector<ObjectCodeEntry> entries) {
        std::lock_guard lock(mutex_);
        entries_ = std::move(entries);
    }
    void Hold() {
        std::lock_guard lock(mutex_);
        holding_ = true;
    }
    void Release() {
        {
            std::lock_guard lock(mutex_);
            holding_ = false;
        }
        changed_.notify_all();
    }
    int Collections() const {
        std::lock_guard lock(mutex_);
        return collections_;
    }

private:
    std::vector<ObjectCodeEntry> entries_;
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    mutable int collections_ = 0;
    bool holding_ = false;
};

// Main chart: start (slot 1) -> LED (slot 2) -> end (slot 3); it ends 2 ms after the run.
inline std::vector<ObjectCodeEntry> SmallProgram() {
    return {
        {0, 1, Instruction({0x7F, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x02})},
        {0, 2, Instruction({0x3F, 0x21, 0x80, 0x00, 0xF0, 0x00, 0x00, 0x03})},
        {0, 3, Instruction({0x7F, 0x80, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00})},
    };
}

// Main chart: start (1) -> red (2) -> wait 1 s (3) -> dark (4) -> wait 1 s (5) -> back to 2,
// running until it is reset.
inline std::vector<ObjectCodeEntry> BlinkingProgram() {
    return {
        {0, 1, Instruction({0x7F, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x02})},
        {0, 2, Instruction({0x3F, 0x21, 0x80, 0x00, 0xF0, 0x00, 0x00, 0x03})},
        {0, 3, Instruction({0x37, 0x28, 0x00, 0x0A, 0x00, 0x00, 0x00, 0x04})},
        {0, 4, Instruction({0x3F, 0x21, 0x00, 0x00, 0x00, 0x00, 0x00, 0x05})},
        {0, 5, Instruction({0x37, 0x28, 0x00, 0x0A, 0x00, 0x00, 0x00, 0x02})},
    };
}

// Main chart: start (1) -> LED (2) with no line out of it: an execution error 2 ms after the run.
inline std::vector<ObjectCodeEntry> FailingProgram() {
    return {
        {0, 1, Instruction({0x7F, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x02})},
        {0, 2, Instruction({0x3F, 0x21, 0x80, 0x00, 0xF0, 0x00, 0x00, 0xFE})},
    };
}

}  // namespace link_test
