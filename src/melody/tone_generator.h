// A square-wave tone generator that sounds like the board's buzzer. It renders
// a sequence of tones and rests into 16-bit mono samples at any sample rate,
// with exact durations, so any beep, alarm pattern or tune can be played
// through a sound card (see audio_sink.h) or checked sample by sample.
//
// Use: make one ToneGenerator per stream with the stream's sample rate; from
// any thread call Play (a whole sequence, sample-exact), Hold (one frequency
// until told otherwise) or Silence; from the stream's thread call Render for
// each block. The generator starts silent.
#pragma once

#include <cstdint>
#include <mutex>
#include <span>
#include <vector>

struct Tone {
    double frequency = 0;  // Hz; 0 is a rest
    int milliseconds = 0;  // kHeldTone: sounds until the generator is told otherwise
};

inline constexpr int kHeldTone = -1;

struct ToneSequence {
    std::vector<Tone> tones;
    bool repeat = false;  // after the last tone, start again with the first
};

// Equal temperament with note 69 (A4) at 440 Hz: note 60 is about 261.63 Hz.
double FrequencyOfNote(int note);

class ToneGenerator {
public:
    // Loud enough to be heard clearly, far enough from full scale to spare the ears.
    static constexpr std::int16_t kBuzzerAmplitude = 5000;

    explicit ToneGenerator(int sampleRate, std::int16_t amplitude = kBuzzerAmplitude);

    // Replaces whatever sounds by the sequence, from its first tone. Each tone
    // starts at the top of its wave, so two different tones in a row are told apart.
    void Play(ToneSequence sequence);
    // Sounds frequency until the next call; 0 is silence.
    void Hold(double frequency);
    void Silence();

    // Writes out.size() samples: +amplitude and -amplitude in the tone's
    // square wave, 0 for a rest and after a sequence without repeat has ended.
    // Returns how many of them still belonged to the sequence (out.size()
    // unless it ended inside this block).
    std::size_t Render(std::span<std::int16_t> out);
    // True once a sequence without repeat has played to its end (also when it was empty).
    bool Finished() const;
    int SampleRate() const { return sampleRate_; }

private:
    std::int64_t SampleAt(std::int64_t milliseconds) const;
    // Where the tone at index_ ends, in samples from the start of the pass.
    std::int64_t EndOfTone() const;
    void Restart();
    // Moves on to the next tone that lasts; false when the sequence has ended.
    bool Advance();

    const int sampleRate_;
    const std::int16_t amplitude_;
    mutable std::mutex mutex_;
    ToneSequence sequence_;
    std::size_t index_ = 0;      // the tone sounding
    std::int64_t position_ = 0;  // samples since the pass through the sequence began
    std::int64_t passMs_ = 0;    // milliseconds of the tones before index_ in this pass
    std::int64_t toneEnd_ = 0;   // the sample (of this pass) where the tone ends
    double phase_ = 0;           // place in the wave, 0 to 1
};
