// Program slot table: lowest free slot first, 250 slots, uid lookups.
#include "nuvo_addr_generator.h"

#include <gtest/gtest.h>

namespace {

class SlotTable : public ::testing::Test {
protected:
    // Fills every slot with uids 1000, 1001, ...
    void FillAll() {
        for (int i = 0; i < NUVOAddrGenerator::kSlotCount; ++i) {
            ASSERT_EQ(slots.ReserveSlot(1000 + i), i + 1);
        }
    }

    NUVOAddrGenerator slots;
};

TEST_F(SlotTable, HandsOutTheLowestFreeSlot) {
    EXPECT_EQ(slots.ReserveSlot(11), 1);
    EXPECT_EQ(slots.ReserveSlot(12), 2);
    EXPECT_EQ(slots.ReserveSlot(13), 3);
    slots.FreeSlot(2);
    EXPECT_EQ(slots.SlotOf(12), 0);
    EXPECT_EQ(slots.CountUsed(), 2);
    EXPECT_EQ(slots.ReserveSlot(14), 2);
    EXPECT_EQ(slots.SlotOf(14), 2);
    EXPECT_EQ(slots.UidAt(2), 14);
    EXPECT_EQ(slots.ReserveSlot(15), 4);
}

TEST_F(SlotTable, RefusesThe251stSymbol) {
    FillAll();
    EXPECT_EQ(slots.CountUsed(), 250);
    EXPECT_EQ(slots.ReserveSlot(5000), 0);
    EXPECT_EQ(slots.SlotOf(5000), 0);
    slots.FreeSlot(137);
    EXPECT_EQ(slots.ReserveSlot(5000), 137);
}

TEST_F(SlotTable, IgnoresNoneUidsAndSlotsOutsideTheTable) {
    slots.ReserveSlot(21);
    EXPECT_EQ(slots.SlotOf(0), 0);
    EXPECT_EQ(slots.ReserveSlot(0), 0);
    slots.FreeSlot(0);
    slots.FreeSlot(251);
    slots.FreeSlot(-1);
    slots.RestoreSlot(0, 22);
    slots.RestoreSlot(251, 22);
    EXPECT_EQ(slots.CountUsed(), 1);
    EXPECT_EQ(slots.SlotOf(21), 1);
    EXPECT_EQ(slots.SlotOf(22), 0);
    EXPECT_EQ(slots.UidAt(0), 0);
    EXPECT_EQ(slots.UidAt(251), 0);
}

TEST_F(SlotTable, AUidHoldsOneSlotOnly) {
    EXPECT_EQ(slots.ReserveSlot(31), 1);
    EXPECT_EQ(slots.ReserveSlot(31), 1);
    EXPECT_EQ(slots.CountUsed(), 1);
}

TEST_F(SlotTable, RestorePutsTheUidBackInItsOwnSlot) {
    slots.ReserveSlot(41);
    slots.ReserveSlot(42);
    slots.ReserveSlot(43);
    slots.FreeSlot(2);
    slots.FreeSlot(1);
    slots.RestoreSlot(2, 42);
    EXPECT_EQ(slots.SlotOf(42), 2);
    EXPECT_EQ(slots.UidAt(1), 0);
    // Restoring elsewhere moves the uid rather than duplicating it.
    slots.RestoreSlot(7, 42);
    EXPECT_EQ(slots.SlotOf(42), 7);
    EXPECT_EQ(slots.UidAt(2), 0);
    EXPECT_EQ(slots.CountUsed(), 2);
}

}  // namespace
