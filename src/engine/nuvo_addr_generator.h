// Program slot table: which symbol uid owns each of the 250 program slots.
#pragma once

#include <array>
#include <cstdint>

class NUVOAddrGenerator {
public:
    static constexpr int kSlotCount = 250;

    // Stores uid in the lowest free slot; 0 when all slots are taken.
    int ReserveSlot(int uid);
    // The slot holding uid, searched upward from 1; 0 for uid 0 or absent.
    int SlotOf(int uid) const;
    // Frees slot i (1..250; other values are ignored).
    void FreeSlot(int slot);
    // Writes uid into a given slot (used by undo, which puts symbols back where they were).
    void RestoreSlot(int slot, int uid);
    int CountUsed() const;
    int UidAt(int slot) const;

private:
    std::array<std::int32_t, kSlotCount + 1> table_{};  // entry 0 unused
};
