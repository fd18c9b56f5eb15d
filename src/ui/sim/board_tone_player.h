// The virtual board's sounds through the sound card: its tone patterns played by the
// melody editor's tone generator, softer or louder by the program's volume.
#pragma once

#include <atomic>

#include "audio_sink.h"
#include "sim/board_sound.h"
#include "tone_generator.h"

class BoardTonePlayer : public IBoardSound {
public:
    static constexpr int kSampleRate = 48000;
    // Parts of the generator's full amplitude for the volumes 小, 中 and 大.
    static constexpr double kLoudness[3] = {0.3, 0.6, 1.0};

    // The sink outlives the player; a machine without a sound device stays silent.
    explicit BoardTonePlayer(IAudioSink& sink, int sampleRate = kSampleRate);
    ~BoardTonePlayer() override;

    void Play(const SoundPattern& pattern, int volume) override;
    void Stop() override;

private:
    IAudioSink& sink_;
    ToneGenerator generator_;
    std::atomic<double> loudness_{1.0};  // read on the sink's thread
    bool streaming_ = false;
};
