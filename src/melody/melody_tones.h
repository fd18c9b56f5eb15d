// The board's tone values for the notes it can sound, 54 to 84.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

inline constexpr int kLowestToneNote = 54;
inline constexpr std::array<std::uint16_t, 31> kToneValues{
    0x0FD6, 0x0EF3, 0x0E16, 0x0D51, 0x0C93, 0x0BDC, 0x0B2F, 0x0A94,  // 54-61
    0x09F7, 0x096C, 0x08E1, 0x0865, 0x07EB, 0x0779, 0x070F, 0x06A9,  // 62-69
    0x0649, 0x05EE, 0x059A, 0x054A, 0x04FE, 0x04B6, 0x0472, 0x0432,  // 70-77
    0x03F6, 0x03BD, 0x0387, 0x0354, 0x0325, 0x02F7, 0x02CC,          // 78-84
};

constexpr std::optional<std::uint16_t> ToneValueOf(int note) {
    const int index = note - kLowestToneNote;
    if (index < 0 || index >= static_cast<int>(kToneValues.size())) return std::nullopt;
    return kToneValues[static_cast<std::size_t>(index)];
}
