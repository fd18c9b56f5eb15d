// The program as the board holds it: 255 entries of 8 code bytes, read from a storage area.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "nuvo_addr_generator.h"
#include "nuvo_instruction.h"
#include "program_image.h"

using EntryCode = std::array<std::uint8_t, 8>;

// The image's entries and its program slots, as the editor builds them.
inline constexpr int kEngineEntries = NuvoProgramManager::kEntryCount;
inline constexpr int kFirstSlot = 1;
inline constexpr int kLastSlot = NUVOAddrGenerator::kSlotCount;
// A storage area: 64 blocks of 32 bytes, entry n at byte 8n; the place of
// a 256th entry at the end is not part of the program.
inline constexpr std::size_t kStorageAreaBytes = 2048;

class EngineProgram {
public:
    // An erased area: every byte 0xFF.
    EngineProgram();
    // The entries of a storage area of kStorageAreaBytes bytes as the board
    // received them; a shorter area leaves the missing entries erased.
    static EngineProgram FromArea(std::span<const std::uint8_t> area);

    const EntryCode& Entry(int index) const { return entries_[static_cast<std::size_t>(index)]; }
    // The slot entry 0 names as the main chart's start (FE: no start).
    std::uint8_t MainStart() const { return entries_[0][7]; }
    // A slot with all eight bytes 0xFF holds no instruction.
    bool IsEmpty(int slot) const;
    // The slots 1..250 holding a start instruction other than the main
    // chart's, in slot order: the sub charts a parallel run starts.
    std::vector<int> SubChartStarts() const;

private:
    std::array<EntryCode, kEngineEntries> entries_;
};
