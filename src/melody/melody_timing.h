// Pitch of a staff position, duration of a symbol at a tempo, and the tempo's range.
#pragma once

#include <cstdint>

inline constexpr std::uint8_t kNoPitch = 255;
// Pixels from a staff line down to the space below it: one natural note lower.
inline constexpr int kStaffStep = 4;
inline constexpr int kMinTempo = 40;
inline constexpr int kMaxTempo = 200;
inline constexpr int kDefaultTempo = 120;

int LimitTempo(int tempo);

// MIDI note number of a note at y, or kNoPitch for a y off the staff.
// Flat and sharp together cancel out.
std::uint8_t PitchOfPosition(int y, bool flat, bool sharp);

// Milliseconds; a tempo outside 40-200 is limited first, an unknown type lasts 0.
int DurationOf(int type, bool dotted, int tempo);
