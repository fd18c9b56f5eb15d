// The melody played through the sound card: a MIDI output whose notes sound
// as the board's buzzer would, square waves at each note's frequency. The
// sound card streams only while a melody plays.
#pragma once

#include "audio_sink.h"
#include "midi_output.h"
#include "tone_generator.h"

class ToneMidiOutput : public IMidiOutput {
public:
    static constexpr int kSampleRate = 48000;

    explicit ToneMidiOutput(IAudioSink& sink, int sampleRate = kSampleRate);
    ~ToneMidiOutput() override;

    // True when the machine has a sound device.
    bool Open() override;
    bool IsOpen() const override { return open_; }
    void BeginPlayback() override;
    void NoteOn(std::uint8_t note) override;
    void NoteOff(std::uint8_t note) override;
    void EndPlayback() override;
    void Close() override;

private:
    IAudioSink& sink_;
    ToneGenerator generator_;
    bool open_ = false;
};
