// The entries of a melody list and the fixed data of their symbol types.
#pragma once

#include <array>
#include <cstdint>

// The value stored in MelodyNote::type and in the melody file.
enum class MelodySymbol : std::int32_t {
    Clef = 0,
    WholeNote = 1,
    HalfNote = 2,
    QuarterNote = 3,
    EighthNote = 4,
    SixteenthNote = 5,
    WholeRest = 6,
    HalfRest = 7,
    QuarterRest = 8,
    EighthRest = 9,
    SixteenthRest = 10,
};

struct MelodyNote {
    std::int32_t type = 0;
    std::int32_t dotted = 0;
    std::int32_t flat = 0;
    std::int32_t sharp = 0;
    std::int32_t x = 0;  // recomputed by Relayout, never stored in the file
    std::int32_t y = 0;  // 12 (highest pitch) to 76 in steps of 4 for notes, 40 for rests
    bool operator==(const MelodyNote&) const = default;
};

inline constexpr int kMaxMelodyNotes = 100;
inline constexpr std::int32_t kRestY = 40;
inline constexpr MelodyNote kClefMarker{0, 0, 0, 0, -16, 8};

constexpr std::int32_t TypeOf(MelodySymbol symbol) { return static_cast<std::int32_t>(symbol); }

constexpr bool IsNoteType(std::int32_t type) {
    return type >= TypeOf(MelodySymbol::WholeNote) && type <= TypeOf(MelodySymbol::SixteenthNote);
}
constexpr bool IsRestType(std::int32_t type) {
    return type >= TypeOf(MelodySymbol::WholeRest) && type <= TypeOf(MelodySymbol::SixteenthRest);
}

// Length in time and width on the staff; 0 for a type outside 0-10.
constexpr int UnitsOf(std::int32_t type) {
    constexpr std::array<int, 11> kUnits{64, 512, 256, 128, 64, 32, 512, 256, 128, 64, 32};
    if (type < 0 || type >= static_cast<std::int32_t>(kUnits.size())) return 0;
    return kUnits[static_cast<std::size_t>(type)];
}
