// Recording what a program transfer sent, and comparing the chart store with it.
#include "sim/sent_program.h"

#include <algorithm>

#include "chart_store.h"
#include "nuvo_addr_generator.h"

namespace {

bool SameCodes(const std::vector<ObjectCodeEntry>& a, const std::vector<ObjectCodeEntry>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto& x, const auto& y) {
        return x.chart == y.chart && x.slot == y.slot && x.instruction == y.instruction;
    });
}

}  // namespace

SentProgram SentProgram::Capture(CFlowObjectManager& store) {
    const auto lock = store.Lock();
    SentProgram sent;
    sent.sent_ = true;
    sent.codes_ = store.CollectObjectCodes();
    for (const ObjectCodeEntry& entry : sent.codes_) {
        if (entry.slot < 1 || entry.slot > NUVOAddrGenerator::kSlotCount) continue;
        sent.slots_[static_cast<std::size_t>(entry.slot)] =
            SentSymbol{store.Slots().UidAt(entry.slot), entry.chart};
    }
    return sent;
}

SentSymbol SentProgram::At(int slot) const {
    if (slot < 1 || slot > NUVOAddrGenerator::kSlotCount) return {};
    return slots_[static_cast<std::size_t>(slot)];
}

bool SentProgram::Matches(const CFlowObjectManager& store) const {
    return sent_ && SameCodes(codes_, store.CollectObjectCodes());
}
