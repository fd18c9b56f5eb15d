// Playing the virtual board's sound patterns through the sound card.
#include "sim/board_tone_player.h"

#include <algorithm>

BoardTonePlayer::BoardTonePlayer(IAudioSink& sink, int sampleRate)
    : sink_(sink), generator_(sampleRate) {}

BoardTonePlayer::~BoardTonePlayer() { Stop(); }

void BoardTonePlayer::Play(const SoundPattern& pattern, int volume) {
    loudness_ = kLoudness[std::clamp(volume, 1, 3) - 1];
    ToneSequence sequence;
    sequence.repeat = pattern.repeat;
    for (const SoundStep& step : pattern.steps)
        sequence.tones.push_back({step.frequency, step.milliseconds});
    generator_.Play(std::move(sequence));
    if (streaming_ || !sink_.Available()) return;
    streaming_ = sink_.Start(generator_.SampleRate(), [this](std::span<std::int16_t> block) {
        generator_.Render(block);
        const double loudness = loudness_;
        for (std::int16_t& sample : block)
            sample = static_cast<std::int16_t>(sample * loudness);
    });
}

void BoardTonePlayer::Stop() {
    generator_.Silence();
    if (streaming_) sink_.Stop();
    streaming_ = false;
}
