// Builds the program image: every symbol's object code in its slot, the
// entry record in entry 0 and the start slots of the called sub charts.
#include "program_image.h"

#include "nuvo_addr_generator.h"
#include "opcodes.h"

namespace {

// An erased entry: valid word and code bytes all 0xFF.
constexpr NuvoInstruction kErased{-1, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}};

constexpr int kChartCount = 4;

// A start table entry of 0 means the chart has no start symbol.
constexpr std::uint8_t StartSlotOrNone(std::uint8_t slot) { return slot == 0 ? kNoSlot : slot; }

}  // namespace

NuvoProgramManager::NuvoProgramManager() { image_.fill(kErased); }

void NuvoProgramManager::BuildImage(const IProgramSource& source) {
    startTable_.fill(0);
    image_.fill(kErased);

    for (const ObjectCodeEntry& entry : source.CollectObjectCodes()) {
        // Entries outside the charts or the slots have nowhere to go.
        if (entry.chart < 0 || entry.chart >= kChartCount) continue;
        if (entry.slot < 1 || entry.slot > NUVOAddrGenerator::kSlotCount) continue;
        if (entry.instruction.valid == 0) continue;
        if (entry.instruction.code[1] == Opcode::Start) {
            startTable_[entry.chart] = static_cast<std::uint8_t>(entry.slot);
        }
        image_[entry.slot] = entry.instruction;
    }

    image_[0].code[7] = StartSlotOrNone(startTable_[0]);

    for (int i = 1; i < kEntryCount; ++i) {
        auto& code = image_[i].code;
        if (code[1] != Opcode::CallSub) continue;
        const std::uint8_t sub = code[2];
        if (sub >= 1 && sub <= 3) code[6] = StartSlotOrNone(startTable_[sub]);
    }
}
