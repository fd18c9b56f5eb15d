// The program image sent to the board: 255 entries, one per program slot.
#pragma once

#include <array>
#include <cstdint>

#include "nuvo_instruction.h"
#include "program_source.h"

class NuvoProgramManager {
public:
    static constexpr int kEntryCount = 255;
    using Image = std::array<NuvoInstruction, kEntryCount>;

    NuvoProgramManager();

    // Rebuilds the start table and the image from one snapshot of the store.
    void BuildImage(const IProgramSource& source);

    const Image& Entries() const { return image_; }
    const std::array<std::uint8_t, 4>& StartTable() const { return startTable_; }

private:
    std::array<std::uint8_t, 4> startTable_{};
    Image image_;
};
