#include "melody_timing.h"

#include <algorithm>
#include <array>

#include "melody_note.h"

namespace {

constexpr int kTopY = 12;
// Natural notes from y 12 down to y 76.
constexpr std::array<std::uint8_t, 17> kNaturalNotes{83, 81, 79, 77, 76, 74, 72, 71, 69,
                                                     67, 65, 64, 62, 60, 59, 57, 55};

}  // namespace

int LimitTempo(int tempo) { return std::clamp(tempo, kMinTempo, kMaxTempo); }

std::uint8_t PitchOfPosition(int y, bool flat, bool sharp) {
    if (y < kTopY || (y - kTopY) % kStaffStep != 0) return kNoPitch;
    const auto index = static_cast<std::size_t>((y - kTopY) / kStaffStep);
    if (index >= kNaturalNotes.size()) return kNoPitch;
    const std::uint8_t natural = kNaturalNotes[index];
    if (flat == sharp) return natural;
    return static_cast<std::uint8_t>(flat ? natural - 1 : natural + 1);
}

int DurationOf(int type, bool dotted, int tempo) {
    // Limited here as well so that no caller can divide by zero.
    const int quarter = 15000 / LimitTempo(tempo);
    const int duration = quarter * UnitsOf(type) / 32;
    return dotted ? duration * 3 / 2 : duration;
}
