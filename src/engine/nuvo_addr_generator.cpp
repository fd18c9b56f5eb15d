// Program slot table: slot i (1..250) belongs to the symbol whose uid it holds.
#include "nuvo_addr_generator.h"

#include <algorithm>

namespace {
constexpr bool IsSlot(int slot) { return slot >= 1 && slot <= NUVOAddrGenerator::kSlotCount; }
}  // namespace

int NUVOAddrGenerator::ReserveSlot(int uid) {
    // uid 0 is "none": storing it would leave the slot free while reporting it taken.
    if (uid <= 0) return 0;
    // A uid owns at most one slot; asking again returns the one it has.
    if (const int held = SlotOf(uid); held != 0) return held;
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        if (table_[slot] == 0) {
            table_[slot] = uid;
            return slot;
        }
    }
    return 0;
}

int NUVOAddrGenerator::SlotOf(int uid) const {
    if (uid == 0) return 0;
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        if (table_[slot] == uid) return slot;
    }
    return 0;
}

void NUVOAddrGenerator::FreeSlot(int slot) {
    if (IsSlot(slot)) table_[slot] = 0;
}

void NUVOAddrGenerator::RestoreSlot(int slot, int uid) {
    if (!IsSlot(slot) || uid < 0) return;
    // Keep a uid in one slot only: drop any other slot it still holds.
    if (const int held = SlotOf(uid); held != 0 && held != slot) table_[held] = 0;
    table_[slot] = uid;
}

int NUVOAddrGenerator::CountUsed() const {
    return static_cast<int>(
        std::count_if(table_.begin() + 1, table_.end(), [](std::int32_t uid) { return uid != 0; }));
}

int NUVOAddrGenerator::UidAt(int slot) const { return IsSlot(slot) ? table_[slot] : 0; }
