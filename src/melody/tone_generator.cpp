#include "tone_generator.h"

#include <cmath>
#include <limits>

namespace {
constexpr std::int64_t kForever = std::numeric_limits<std::int64_t>::max();
}

double FrequencyOfNote(int note) { return 440.0 * std::pow(2.0, (note - 69) / 12.0); }

ToneGenerator::ToneGenerator(int sampleRate, std::int16_t amplitude)
    : sampleRate_(sampleRate), amplitude_(amplitude) {
    Restart();
}

void ToneGenerator::Play(ToneSequence sequence) {
    std::lock_guard lock(mutex_);
    sequence_ = std::move(sequence);
    Restart();
}

void ToneGenerator::Hold(double frequency) { Play({{{frequency, kHeldTone}}, false}); }

void ToneGenerator::Silence() { Play({}); }

bool ToneGenerator::Finished() const {
    std::lock_guard lock(mutex_);
    return index_ >= sequence_.tones.size();
}

std::int64_t ToneGenerator::SampleAt(std::int64_t milliseconds) const {
    return milliseconds * sampleRate_ / 1000;
}

std::int64_t ToneGenerator::EndOfTone() const {
    const int length = sequence_.tones[index_].milliseconds;
    return length < 0 ? kForever : SampleAt(passMs_ + length);
}

void ToneGenerator::Restart() {
    index_ = 0;
    position_ = 0;
    passMs_ = 0;
    phase_ = 0;
    bool held = false;  // a held tone: the pass never ends
    std::int64_t passMs = 0;
    for (const Tone& tone : sequence_.tones) {
        if (tone.milliseconds < 0)
            held = true;
        else
            passMs += tone.milliseconds;
    }
    // A pass without a single sample would repeat without end: it counts as played.
    if (sequence_.tones.empty() || (!held && SampleAt(passMs) == 0)) {
        index_ = sequence_.tones.size();
        return;
    }
    toneEnd_ = EndOfTone();
    Advance();
}

bool ToneGenerator::Advance() {
    // Ends are placed from the time since the pass began, so rounding never adds up.
    while (index_ < sequence_.tones.size() && position_ >= toneEnd_) {
        passMs_ += sequence_.tones[index_].milliseconds;
        ++index_;
        if (index_ == sequence_.tones.size()) {
            if (!sequence_.repeat) return false;
            index_ = 0;
            position_ = 0;
            passMs_ = 0;
        }
        toneEnd_ = EndOfTone();
        phase_ = 0;
    }
    return index_ < sequence_.tones.size();
}

std::size_t ToneGenerator::Render(std::span<std::int16_t> out) {
    std::lock_guard lock(mutex_);
    std::size_t sounding = 0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (index_ >= sequence_.tones.size() || (position_ >= toneEnd_ && !Advance())) {
            out[i] = 0;
            continue;
        }
        const double frequency = sequence_.tones[index_].frequency;
        if (frequency > 0) {
            out[i] = phase_ < 0.5 ? amplitude_ : static_cast<std::int16_t>(-amplitude_);
            phase_ += frequency / sampleRate_;
            phase_ -= std::floor(phase_);
        } else {
            out[i] = 0;
        }
        ++position_;
        sounding = i + 1;
    }
    return sounding;
}
