// Playback through the sound card: the play list through the player into the
// tone generator, heard from the samples; choosing among the outputs.
#include "tone_output.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "first_open_output.h"
#include "midi_port_choice.h"
#include "short_midi_player.h"
#include "tone_decoder.h"

namespace {

using namespace std::chrono_literals;

constexpr int kRate = 48000;

// A sound card that the test's timer drives: time passes only as it renders.
class FakeSink : public IAudioSink {
public:
    explicit FakeSink(bool available) : available_(available) {}
    bool Available() override { return available_; }
    bool Start(int sampleRate, Fill fill) override {
        if (!available_) return false;
        rate = sampleRate;
        fill_ = std::move(fill);
        ++starts;
        return true;
    }
    void Stop() override {
        if (fill_) ++stops;
        fill_ = nullptr;
    }
    // Renders what the sound card would play in the given time, while it streams.
    void Play(std::chrono::milliseconds duration) {
        if (!fill_) return;
        std::vector<std::int16_t> block(static_cast<std::size_t>(duration.count()) * kRate / 1000);
        fill_(block);
        samples.insert(samples.end(), block.begin(), block.end());
        rendered = samples.size();
    }

    // Read samples only once the player has stopped; rendered may be watched meanwhile.
    std::vector<std::int16_t> samples;
    std::atomic<std::size_t> rendered{0};
    int rate = 0;
    int starts = 0;
    int stops = 0;

private:
    bool available_;
    IAudioSink::Fill fill_;
};

// The player's waits become rendered sound; the melody's end is reported to the test.
class SoundingTimer : public IPlaybackTimer {
public:
    explicit SoundingTimer(FakeSink& sink) : sink_(sink) {}
    bool Wait(const StopEvent& stop, std::chrono::milliseconds duration) override {
        sink_.Play(duration);
        return stop.IsSet();
    }

private:
    FakeSink& sink_;
};

struct Harness {
    explicit Harness(bool soundCard = true) : sink(soundCard), output(sink), timer(sink) {
        player.Open();
    }
    void WaitForEnd() {
        std::unique_lock lock(mutex);
        ASSERT_TRUE(ended.wait_for(lock, 10s, [&] { return ends > 0; }));
    }

    FakeSink sink;
    ToneMidiOutput output;
    SoundingTimer timer;
    std::mutex mutex;
    std::condition_variable ended;
    int ends = 0;
    CShortMidiPlayer player{output, timer, [this] {
                                std::lock_guard lock(mutex);
                                ++ends;
                                ended.notify_all();
                            }};
};

std::size_t Samples(int milliseconds) {
    return static_cast<std::size_t>(milliseconds) * kRate / 1000;
}

TEST(ToneMidiOutput, PlaysEachNoteAtItsFrequencyForItsDurationAndRestsInSilence) {
    Harness h;
    // Quarter A4, eighth rest, sixteenth C4 sharp, dotted eighth at tempo 120.
    h.player.SetPlayList(
        {{{69, 1, 500}, {kNoPitch, 0, 250}, {61, 1, 125}, {84, 1, 375}}, 120, false});
    h.player.Start();
    h.WaitForEnd();
    h.player.Stop();
    EXPECT_EQ(h.sink.rate, kRate);

    const std::vector<HeardTone> heard = DecodeTones(h.sink.samples, kRate);
    ASSERT_GE(heard.size(), 6u);
    // Between two events the player pauses 1 ms, silent as well.
    EXPECT_EQ(heard[0].samples, Samples(500));
    EXPECT_NEAR(heard[0].frequency, 440.0, 0.5);
    EXPECT_EQ(heard[1].samples, Samples(1 + 250 + 1));
    EXPECT_EQ(heard[1].frequency, 0);
    EXPECT_EQ(heard[2].samples, Samples(125));
    EXPECT_NEAR(heard[2].frequency, 277.18, 0.5);
    EXPECT_EQ(heard[3].samples, Samples(1));
    EXPECT_EQ(heard[4].samples, Samples(375));
    EXPECT_NEAR(heard[4].frequency, 1046.50, 0.5);
    // Without repeat it stays silent after the last note.
    for (std::size_t i = 5; i < heard.size(); ++i) EXPECT_EQ(heard[i].frequency, 0) << i;
}

TEST(ToneMidiOutput, RepeatPlaysTheMelodyAgainAndNeverEnds) {
    Harness h;
    h.player.SetPlayList({{{72, 1, 100}, {kNoPitch, 0, 50}}, 120, true});
    h.player.Start();
    // Long enough for a few passes.
    while (h.sink.rendered < Samples(1000)) std::this_thread::sleep_for(1ms);
    h.player.Stop();
    EXPECT_EQ(h.ends, 0);
    const std::vector<HeardTone> heard = DecodeTones(h.sink.samples, kRate);
    ASSERT_GE(heard.size(), 6u);
    for (std::size_t i = 0; i + 1 < heard.size() - 1; i += 2) {
        EXPECT_EQ(heard[i].samples, Samples(100)) << i;
        EXPECT_NEAR(heard[i].frequency, 523.25, 0.5) << i;
        EXPECT_EQ(heard[i + 1].samples, Samples(1 + 50 + 1)) << i;
    }
}

TEST(ToneMidiOutput, TheSoundCardStreamsOnlyWhileAMelodyPlays) {
    Harness h;
    EXPECT_TRUE(h.output.IsOpen());
    EXPECT_EQ(h.sink.starts, 0);
    h.player.SetPlayList({{{69, 1, 10}}, 120, false});
    h.player.Start();
    h.WaitForEnd();
    EXPECT_EQ(h.sink.starts, 1);
    EXPECT_EQ(h.sink.stops, 0);
    h.player.Stop();
    EXPECT_EQ(h.sink.stops, 1);
}

TEST(ToneMidiOutput, WithoutASoundCardItIsNotOpenAndStreamsNothing) {
    Harness h(false);
    EXPECT_FALSE(h.output.IsOpen());
    h.player.SetPlayList({{{69, 1, 500}, {kNoPitch, 0, 20}}, 120, false});
    h.player.Start();
    h.WaitForEnd();
    h.player.Stop();
    EXPECT_EQ(h.sink.starts, 0);
    EXPECT_TRUE(h.sink.samples.empty());
}

class FakeMidi : public IMidiOutput {
public:
    FakeMidi(std::string name, bool available, std::vector<std::string>& log)
        : name_(std::move(name)), available_(available), log_(log) {}
    bool Open() override {
        log_.push_back("open " + name_);
        return open_ = available_;
    }
    bool IsOpen() const override { return open_; }
    void BeginPlayback() override { log_.push_back("begin " + name_); }
    void EndPlayback() override { log_.push_back("end " + name_); }
    void NoteOn(std::uint8_t note) override {
        log_.push_back("on " + name_ + std::to_string(note));
    }
    void NoteOff(std::uint8_t note) override {
        log_.push_back("off " + name_ + std::to_string(note));
    }
    void Close() override {
        if (open_) log_.push_back("close " + name_);
        open_ = false;
    }

private:
    std::string name_;
    bool available_;
    std::vector<std::string>& log_;
    bool open_ = false;
};

TEST(FirstOpenOutput, UsesTheFirstOutputThatOpens) {
    std::vector<std::string> log;
    FakeMidi synth("synth", false, log);
    FakeMidi tones("tones", true, log);
    FirstOpenOutput output{&synth, &tones};
    EXPECT_TRUE(output.Open());
    EXPECT_TRUE(output.IsOpen());
    output.BeginPlayback();
    output.NoteOn(60);
    output.NoteOff(60);
    output.EndPlayback();
    output.Close();
    EXPECT_FALSE(output.IsOpen());
    EXPECT_EQ(log,
              (std::vector<std::string>{"open synth", "open tones", "begin tones", "on tones60",
                                        "off tones60", "end tones", "close tones"}));
}

TEST(FirstOpenOutput, WithNoneOpenItIsClosedAndSilent) {
    std::vector<std::string> log;
    FakeMidi synth("synth", false, log);
    FirstOpenOutput output{&synth};
    EXPECT_FALSE(output.Open());
    EXPECT_FALSE(output.IsOpen());
    output.BeginPlayback();
    output.NoteOn(60);
    EXPECT_EQ(log, std::vector<std::string>{"open synth"});
}

struct PortCase {
    const char* name;
    std::vector<std::string> ports;
    std::optional<std::size_t> chosen;
    friend void PrintTo(const PortCase& c, std::ostream* os) { *os << c.name; }
};

class SynthesiserPort : public ::testing::TestWithParam<PortCase> {};

TEST_P(SynthesiserPort, IsChosenOverPortsThatMakeNoSound) {
    EXPECT_EQ(ChooseSynthesiserPort(GetParam().ports), GetParam().chosen);
}

INSTANTIATE_TEST_SUITE_P(
    Systems, SynthesiserPort,
    ::testing::Values(
        PortCase{"none", {}, std::nullopt},
        PortCase{"through_only", {"Midi Through:Midi Through Port-0 14:0"}, std::nullopt},
        PortCase{"fluidsynth_after_through",
                 {"Midi Through:Midi Through Port-0 14:0",
                  "FLUID Synth (4242):Synth input port (4242:0) 128:0"},
                 1},
        PortCase{"timidity",
                 {"Midi Through:Midi Through Port-0 14:0", "TiMidity:TiMidity port 0 128:0"},
                 1},
        PortCase{"windows_wavetable", {"Microsoft GS Wavetable Synth 0"}, 0},
        // A cable to another program or a bare interface may sound nowhere.
        PortCase{"unknown_ports",
                 {"VirMIDI 2-0:VirMIDI 2-0 20:0", "UM-ONE:UM-ONE MIDI 1 24:0"},
                 std::nullopt},
        PortCase{"through_named_synth", {"Synth Through:Port 0"}, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
