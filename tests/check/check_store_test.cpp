// The chart check over a chart store drawn as the editor draws it: exits
// read from the lines, deleted objects left out, findings naming their symbol.
#include <gtest/gtest.h>

#include <vector>

#include "quiet_store.h"
#include "store_check.h"

namespace {

class StoreCheck : public ::testing::Test, protected QuietStore {
protected:
    int Place(int chart, int kind, int row) {
        return store.CreateSymbol(chart, kind, 48, row * 96);
    }

    void Connect(int from, int connector, int to) {
        Point a, b;
        store.Find(from)->Connectors().PointOf(connector, a);
        store.Find(to)->Connectors().PointOf(Connector::In, b);
        store.BeginLine(from, connector, a.x, a.y);
        store.FinishLine(store.Find(from)->Chart(), to, b.x, b.y);
    }

    void Delete(int uid) {
        store.Select(uid, true, 0, 0);
        std::vector<int> deleted;
        std::vector<FreedSlot> freed;
        store.DeleteSelection(deleted, freed);
    }
};

TEST_F(StoreCheck, FindingsNameTheChartSlotAndUidOfTheirSymbol) {
    const int start = Place(0, Kind::Start, 0);
    const int light = Place(0, Kind::SensorLight, 1);
    const int end = Place(0, Kind::End, 2);
    Connect(start, Connector::Next, light);
    Connect(light, Connector::Next, end);

    const std::vector<ChartFinding> findings = CheckStore(store);

    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(findings[0].kind, FindingKind::OpenBranchExit);
    EXPECT_EQ(findings[0].chart, 0);
    EXPECT_EQ(findings[0].slot, slotTable.SlotOf(light));
    EXPECT_EQ(findings[0].uid, light);
    EXPECT_EQ(findings[0].text,
              "「光」の「いいえ」の出口が線でつながっていないので、ここでプログラムが止まります。");
}

TEST_F(StoreCheck, DeletedObjectsAreLeftOut) {
    const int start = Place(0, Kind::Start, 0);
    const int led = Place(0, Kind::Led, 1);
    const int end = Place(0, Kind::End, 2);
    const int stray = Place(0, Kind::Led, 3);
    Connect(start, Connector::Next, led);
    Connect(led, Connector::Next, end);
    ASSERT_EQ(CheckStore(store).size(), 1u);  // the stray LED never runs

    Delete(stray);
    Delete(end);  // takes the LED's line with it

    const std::vector<ChartFinding> findings = CheckStore(store);
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(findings[0].kind, FindingKind::OpenNextExit);
    EXPECT_EQ(findings[0].uid, led);
}

TEST_F(StoreCheck, ReturnInTheMainChartIsFoundThoughTheImageEndsThere) {
    const int start = Place(0, Kind::Start, 0);
    const int end = Place(0, Kind::End, 1);
    Connect(start, Connector::Next, end);
    NuvoInstruction ret = store.Find(end)->Instruction();
    ret.code[1] = 0x90;
    store.RestoreInstruction({end}, ret);

    const std::vector<ChartFinding> findings = CheckStore(store);

    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(findings[0].kind, FindingKind::ReturnInMain);
    EXPECT_EQ(findings[0].uid, end);
}

TEST_F(StoreCheck, CallsReachTheSubChartTheirSettingsName) {
    const int start = Place(0, Kind::Start, 0);
    const int call = Place(0, Kind::CallSub, 1);
    const int end = Place(0, Kind::End, 2);
    Connect(start, Connector::Next, call);
    Connect(call, Connector::Next, end);
    const int subStart = Place(2, Kind::Start, 0);
    const int subEnd = Place(2, Kind::End, 1);
    Connect(subStart, Connector::Next, subEnd);
    ASSERT_EQ(CheckStore(store).size(), 2u);  // calls sub 1 (no start), sub 2 never called

    NuvoInstruction callsTwo = store.Find(call)->Instruction();
    callsTwo.code[2] = 2;
    store.RestoreInstruction({call}, callsTwo);

    EXPECT_TRUE(CheckStore(store).empty());
}

}  // namespace
