// The virtual board's sound patterns, and reading the melody image it was sent.
#include "board_sounds.h"

#include <array>
#include <cmath>

namespace {

constexpr double kBeepHz = 2000.0;
constexpr int kQuarterMs = 400;

// Equal temperament, note 69 at 440 Hz.
double Note(int midi) { return 440.0 * std::pow(2.0, (midi - 69) / 12.0); }

SoundPattern BuiltInTune() {
    // ドレミファミレド　ミファソラソファミ
    constexpr std::array<int, 16> kNotes{60, 62, 64, 65, 64, 62, 60, 0,
                                         64, 65, 67, 69, 67, 65, 64, 0};
    SoundPattern tune;
    tune.repeat = true;
    for (const int note : kNotes) tune.steps.push_back({note == 0 ? 0.0 : Note(note), kQuarterMs});
    return tune;
}

SoundPattern Alarm() {
    SoundPattern alarm;
    alarm.repeat = true;
    for (int beep = 0; beep < 4; ++beep) {
        alarm.steps.push_back({kBeepHz, 100});
        alarm.steps.push_back({0.0, 100});
    }
    alarm.steps.back().milliseconds = 500;
    return alarm;
}

// Entries follow the title; each names the next in its last byte. The end
// entry has no duration and names entry 0 (again) or 0xFF (stop).
SoundPattern OwnMelody(std::span<const std::uint8_t> image) {
    constexpr std::size_t kTitleBytes = 32;
    constexpr std::size_t kEntryBytes = 8;
    const std::size_t entries =
        image.size() > kTitleBytes ? (image.size() - kTitleBytes) / kEntryBytes : 0;
    SoundPattern melody;
    std::size_t index = 0;
    for (std::size_t visited = 0; visited < entries && index < entries; ++visited) {
        const auto entry = image.subspan(kTitleBytes + index * kEntryBytes, kEntryBytes);
        if (entry[0] != 0x00) break;  // erased: no melody was sent
        const int duration = entry[4] << 8 | entry[5];
        if (duration == 0) {
            melody.repeat = entry[7] == 0x00 && !melody.steps.empty();
            break;
        }
        const int value = entry[2] << 8 | entry[3];
        const bool tone = entry[1] == 0x01 && value != 0;
        melody.steps.push_back({tone ? kToneClockHz / value : 0.0, duration});
        index = entry[7];
    }
    return melody;
}

}  // namespace

SoundPattern PatternOf(SoundKind sound, std::span<const std::uint8_t> melodyImage) {
    switch (sound) {
        case SoundKind::Buzzer:
            return {{{kBeepHz, 1000}}, true};
        case SoundKind::Alarm:
            return Alarm();
        case SoundKind::Melody:
            return BuiltInTune();
        case SoundKind::OwnMelody:
            return OwnMelody(melodyImage);
        case SoundKind::Off:
            break;
    }
    return {};
}
