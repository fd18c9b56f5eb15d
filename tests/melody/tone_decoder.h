// Listening to rendered samples in tests: the tones and silences they hold,
// with each tone's frequency measured from its rising edges.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

struct HeardTone {
    double frequency = 0;  // 0 for silence
    std::size_t samples = 0;
};

// Splits the samples at silence (runs of 0): a tone is a run that never
// touches 0, its frequency the number of whole waves between its first and
// last rising edge over the time between them.
inline std::vector<HeardTone> DecodeTones(std::span<const std::int16_t> samples, int sampleRate) {
    std::vector<HeardTone> heard;
    std::size_t i = 0;
    while (i < samples.size()) {
        const std::size_t start = i;
        if (samples[i] == 0) {
            while (i < samples.size() && samples[i] == 0) ++i;
            heard.push_back({0, i - start});
            continue;
        }
        std::vector<std::size_t> rising;
        for (; i < samples.size() && samples[i] != 0; ++i)
            if (samples[i] > 0 && (i == start || samples[i - 1] < 0)) rising.push_back(i);
        HeardTone tone{0, i - start};
        if (rising.size() > 1)
            tone.frequency = static_cast<double>(rising.size() - 1) * sampleRate /
                             static_cast<double>(rising.back() - rising.front());
        heard.push_back(tone);
    }
    return heard;
}
