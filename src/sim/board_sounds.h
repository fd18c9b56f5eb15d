// What the virtual board's sounds are: the buzzer, the alarm pattern, the built-in tune and
// the melody image sent to it, each as a list of tones to play.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "engine_types.h"

struct SoundStep {
    double frequency = 0;  // Hz; 0 is a rest
    int milliseconds = 0;
    bool operator==(const SoundStep&) const = default;
};

struct SoundPattern {
    std::vector<SoundStep> steps;
    bool repeat = false;  // after the last step, again from the first
    bool operator==(const SoundPattern&) const = default;
};

// A tone value v of the melody image sounds at this clock divided by v: the
// tone values of the melody table then give their notes within 0.2 %.
inline constexpr double kToneClockHz = 750000.0;

// The buzzer sounds without a break, the alarm beeps four times and pauses,
// the built-in melody plays its tune, the own melody plays the melody image
// (entries in the order their next numbers give, again from the start when
// its end entry says so). All but an own melody without repeat go on until
// the program changes the sound; Off is no steps.
SoundPattern PatternOf(SoundKind sound, std::span<const std::uint8_t> melodyImage);
