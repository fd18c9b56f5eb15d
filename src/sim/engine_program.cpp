// Reading the program entries out of a storage area.
#include "engine_program.h"

#include <algorithm>

#include "opcodes.h"

EngineProgram::EngineProgram() {
    for (EntryCode& entry : entries_) entry.fill(0xFF);
}

EngineProgram EngineProgram::FromArea(std::span<const std::uint8_t> area) {
    EngineProgram program;
    const std::size_t entries = std::min<std::size_t>(area.size() / 8, kEngineEntries);
    for (std::size_t i = 0; i < entries; ++i)
        std::copy_n(area.begin() + static_cast<std::ptrdiff_t>(8 * i), 8,
                    program.entries_[i].begin());
    return program;
}

bool EngineProgram::IsEmpty(int slot) const {
    const EntryCode& code = Entry(slot);
    return std::all_of(code.begin(), code.end(), [](std::uint8_t b) { return b == 0xFF; });
}

std::vector<int> EngineProgram::SubChartStarts() const {
    std::vector<int> starts;
    for (int slot = kFirstSlot; slot <= kLastSlot; ++slot) {
        const EntryCode& code = Entry(slot);
        if (code[0] == Layout::FlowControl && code[1] == Opcode::Start && slot != MainStart())
            starts.push_back(slot);
    }
    return starts;
}
