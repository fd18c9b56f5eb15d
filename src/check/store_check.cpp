// Reads the chart store for the chart check.
#include "store_check.h"

#include "chart_store.h"
#include "nuvo_addr_generator.h"

namespace {

// A successor byte as a slot; 0 for "none".
int SlotOfByte(std::uint8_t byte) {
    return byte >= 1 && byte <= NUVOAddrGenerator::kSlotCount ? byte : 0;
}

}  // namespace

std::vector<CheckSymbol> CollectCheckSymbols(const CFlowObjectManager& store) {
    auto lock = store.Lock();
    std::vector<CheckSymbol> symbols;
    for (const auto& object : store.Objects()) {
        if (object->Deleted() || object->IsLine()) continue;
        const NuvoInstruction linked = object->GetObjectCode(store.Slots());
        CheckSymbol symbol;
        symbol.uid = object->Uid();
        symbol.chart = object->Chart();
        symbol.slot = store.Slots().SlotOf(object->Uid());
        symbol.kind = object->KindCode();
        symbol.code = object->Instruction().code;
        if (HasNextExit(object->Class())) symbol.next = SlotOfByte(linked.code[7]);
        if (HasBranchExit(object->Class())) symbol.branch = SlotOfByte(linked.code[6]);
        symbols.push_back(symbol);
    }
    return symbols;
}

std::vector<ChartFinding> CheckStore(const CFlowObjectManager& store) {
    return CheckCharts(CollectCheckSymbols(store));
}
