#include "short_midi_player.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

namespace {

using namespace std::chrono_literals;

// What the player did, in order: "on N", "off N" and "wait MS".
class Log {
public:
    void Add(std::string line) {
        {
            std::lock_guard lock(mutex_);
            lines_.push_back(std::move(line));
        }
        changed_.notify_all();
    }
    std::vector<std::string> Lines() const {
        std::lock_guard lock(mutex_);
        return lines_;
    }
    // Waits (bounded, so a fault fails instead of hanging) until n lines exist.
    bool WaitForCount(std::size_t n) const {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, 10s, [&] { return lines_.size() >= n; });
    }

private:
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    std::vector<std::string> lines_;
};

class FakeOutput : public IMidiOutput {
public:
    FakeOutput(Log& log, bool available) : log_(log), available_(available) {}
    bool Open() override { return open_ = available_; }
    bool IsOpen() const override { return open_; }
    void NoteOn(std::uint8_t note) override { log_.Add("on " + std::to_string(note)); }
    void NoteOff(std::uint8_t note) override { log_.Add("off " + std::to_string(note)); }
    void Close() override { open_ = false; }

private:
    Log& log_;
    bool available_;
    bool open_ = false;
};

// Returns at once for the first waits, then holds the thread until it is
// stopped, as a long note would.
class ScriptedTimer : public IPlaybackTimer {
public:
    ScriptedTimer(Log& log, std::size_t holdFrom) : log_(log), holdFrom_(holdFrom) {}
    bool Wait(const StopEvent& stop, std::chrono::milliseconds duration) override {
        log_.Add("wait " + std::to_string(duration.count()));
        if (++count_ >= holdFrom_) return stop.WaitFor(1h);
        return stop.IsSet();
    }

private:
    Log& log_;
    std::size_t holdFrom_;
    std::size_t count_ = 0;
};

struct Harness {
    Harness(std::size_t holdFrom, bool midiAvailable = true)
        : output(log, midiAvailable),
          timer(log, holdFrom),
          player(output, timer, [this] { ++ends; }) {
        player.Open();
    }
    Log log;
    FakeOutput output;
    ScriptedTimer timer;
    std::atomic<int> ends{0};
    CShortMidiPlayer player;
};

const PlayList kTune{{{60, 1, 500}, {kNoPitch, 0, 250}, {64, 1, 1000}}, 120, false};

TEST(ShortMidiPlayer, PlaysNotesAndRestsInOrderThenPostsTheEnd) {
    Harness h(6);  // held at the second pause after the end
    h.player.SetPlayList(kTune);
    h.player.Start();
    ASSERT_TRUE(h.log.WaitForCount(9));
    h.player.Stop();
    EXPECT_FALSE(h.player.Playing());
    const std::vector<std::string> expected{"on 60",  "wait 500", "off 60",    "wait 1", "wait 250",
                                            "wait 1", "on 64",    "wait 1000", "off 64"};
    const auto lines = h.log.Lines();
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 9), expected);
    // Once past the end the notice comes again on every turn until stopped.
    EXPECT_GE(h.ends.load(), 1);
}

TEST(ShortMidiPlayer, RepeatStartsAgainWithoutPostingTheEnd) {
    Harness h(100);
    h.player.SetPlayList({{{67, 1, 100}}, 120, true});
    h.player.Start();
    ASSERT_TRUE(h.log.WaitForCount(12));
    h.player.Stop();
    const auto lines = h.log.Lines();
    for (std::size_t i = 0; i + 4 <= 12; i += 4) {
        EXPECT_EQ(lines[i], "on 67");
        EXPECT_EQ(lines[i + 1], "wait 100");
        EXPECT_EQ(lines[i + 2], "off 67");
        EXPECT_EQ(lines[i + 3], "wait 1");
    }
    EXPECT_EQ(h.ends.load(), 0);
}

TEST(ShortMidiPlayer, StopDuringALongNoteEndsAtOnceAndSilencesIt) {
    Harness h(1);  // the first note never ends by itself
    h.player.SetPlayList({{{72, 1, 9000}, {74, 1, 500}}, 40, false});
    h.player.Start();
    ASSERT_TRUE(h.log.WaitForCount(2));
    h.player.Stop();
    EXPECT_EQ(h.log.Lines(), (std::vector<std::string>{"on 72", "wait 9000", "off 72"}));
    EXPECT_EQ(h.ends.load(), 0);
}

TEST(ShortMidiPlayer, WithoutAnOutputNotesAreSilentAndTakeNoTime) {
    Harness h(3, false);
    h.player.SetPlayList(kTune);
    h.player.Start();
    ASSERT_TRUE(h.log.WaitForCount(3));
    h.player.Stop();
    const auto lines = h.log.Lines();
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 3),
              (std::vector<std::string>{"wait 1", "wait 250", "wait 1"}));
}

TEST(ShortMidiPlayer, OneThreadAtATimeAndStopWhenIdleDoesNothing) {
    Harness h(1);
    h.player.Stop();
    h.player.SetPlayList(kTune);
    h.player.Start();
    h.player.Start();
    // A new list while playing is kept out of the running one.
    h.player.SetPlayList({{{81, 1, 100}}, 120, false});
    ASSERT_TRUE(h.log.WaitForCount(2));
    h.player.Stop();
    EXPECT_EQ(h.log.Lines(), (std::vector<std::string>{"on 60", "wait 500", "off 60"}));
    // Stopped, the player starts afresh with the list it was last given.
    h.player.SetPlayList({{{81, 1, 100}}, 120, false});
    h.player.Start();
    ASSERT_TRUE(h.log.WaitForCount(5));
    h.player.Stop();
    EXPECT_EQ(h.log.Lines()[3], "on 81");
}

TEST(StopEvent, WakesAWaiterAndStaysSetUntilReset) {
    StopEvent stop;
    EXPECT_FALSE(stop.WaitFor(1ms));
    std::thread setter([&] { stop.Set(); });
    EXPECT_TRUE(stop.WaitFor(1h));
    setter.join();
    EXPECT_TRUE(stop.IsSet());
    stop.Reset();
    EXPECT_FALSE(stop.IsSet());
}

}  // namespace
