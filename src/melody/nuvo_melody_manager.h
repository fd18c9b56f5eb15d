// The 1024-byte melody image the board plays: a title, then 8-byte entries.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// The same type as the board link's MelodyImage; redeclaring an alias to the
// same type is allowed, so both headers may meet in one file.
using MelodyImage = std::array<std::uint8_t, 1024>;
using MelodyEntry = std::array<std::uint8_t, 8>;

inline constexpr int kMelodyTitleBytes = 32;
inline constexpr std::size_t kMelodyTitleUnits = 16;

class NuvoMelodyManager {
public:
    NuvoMelodyManager() { Reset(); }

    // Title bytes 0x00, every entry byte 0xFF, writing from byte 32.
    void Reset();
    // Bytes 0-31: the title as big-endian UTF-16, 0x0000 after its end. Only
    // whole characters that fit in 16 units are kept, so a pair is never split.
    void SetTitle(std::string_view utf8Title);
    // False, and nothing written, when the entry would pass byte 1024.
    bool AppendEntry(const MelodyEntry& entry);

    const MelodyImage& Image() const { return image_; }
    int WriteOffset() const { return writeOffset_; }

private:
    MelodyImage image_{};
    int writeOffset_ = kMelodyTitleBytes;
};
