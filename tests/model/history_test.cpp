// The undo history's queue: its depth, its order and what a dropped step frees.
#include "history.h"

#include <gtest/gtest.h>

namespace {

RECORDS StepWith(std::vector<RECORD> records) {
    RECORDS step;
    step.records = std::move(records);
    return step;
}

RECORD Of(RecordType type, std::vector<int> uids) {
    RECORD record;
    record.type = type;
    record.uids = std::move(uids);
    return record;
}

TEST(History, TheEleventhStepDropsTheOldestAndFreesOnlyItsDeletions) {
    CHistorys history;
    history.PushStep(StepWith({Of(RecordType::Created, {1}), Of(RecordType::Deleted, {7, 8}),
                               Of(RecordType::Moved, {9}), Of(RecordType::Deleted, {8, 5})}));
    for (int i = 0; i < 9; ++i) EXPECT_TRUE(history.PushStep(StepWith({})).empty());
    EXPECT_EQ(history.Count(), 10);

    EXPECT_EQ(history.PushStep(StepWith({})), (std::vector<int>{7, 8, 5}));
    EXPECT_EQ(history.Count(), 10);
}

TEST(History, StepsComeBackNewestFirstUntilNoneIsLeft) {
    CHistorys history;
    for (int chart = 0; chart < 3; ++chart) {
        RECORDS step;
        step.chart = chart;
        step.freedSlots = {{chart + 10, chart + 1}};
        history.PushStep(step);
    }
    RECORDS step;
    for (int chart = 2; chart >= 0; --chart) {
        ASSERT_TRUE(history.PopNewest(step));
        EXPECT_EQ(step.chart, chart);
        EXPECT_EQ(step.freedSlots, (std::vector<FreedSlot>{{chart + 10, chart + 1}}));
    }
    EXPECT_FALSE(history.PopNewest(step));
    std::vector<int> uids{99};
    EXPECT_FALSE(history.DropOldest(uids));
    EXPECT_EQ(history.Count(), 0);
}

TEST(History, DroppingTheOldestTakesTheFrontStep) {
    CHistorys history;
    history.PushStep(StepWith({Of(RecordType::Deleted, {3})}));
    history.PushStep(StepWith({Of(RecordType::Deleted, {4})}));
    std::vector<int> uids;
    ASSERT_TRUE(history.DropOldest(uids));
    EXPECT_EQ(uids, (std::vector<int>{3}));
    ASSERT_TRUE(history.DropOldest(uids));
    EXPECT_EQ(uids, (std::vector<int>{4}));
    EXPECT_FALSE(history.DropOldest(uids));
}

}  // namespace
