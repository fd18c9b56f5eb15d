// The chart store: creation, slots, lines, deletion, moving, limits.
#include <algorithm>

#include "engine_record_factory.h"
#include "store_fixture.h"

namespace {

using ChartStore = StoreTest;

TEST_F(ChartStore, SymbolsTakeTheLowestFreeSlot) {
    const int a = store.CreateSymbol(0, Kind::Led, 0, 0);
    const int b = store.CreateSymbol(0, Kind::Led, 0, 96);
    const int c = store.CreateSymbol(1, Kind::Led, 0, 192);
    EXPECT_EQ(slots.SlotOf(a), 1);
    EXPECT_EQ(slots.SlotOf(b), 2);
    EXPECT_EQ(slots.SlotOf(c), 3);

    store.Select(b, true, 0, 0);
    std::vector<int> deleted;
    std::vector<FreedSlot> freed;
    store.DeleteSelection(deleted, freed);
    EXPECT_EQ(freed, (std::vector<FreedSlot>{{b, 2}}));
    const int d = store.CreateSymbol(0, Kind::Led, 0, 288);
    EXPECT_EQ(slots.SlotOf(d), 2);
    EXPECT_EQ(store.CountSymbols(), 3);
}

TEST_F(ChartStore, The251stSymbolIsRefusedAndChangesNothing) {
    for (int i = 0; i < 250; ++i) ASSERT_NE(store.CreateSymbol(i % 4, Kind::Led, 0, 0), 0);
    EXPECT_EQ(store.CreateSymbol(0, Kind::Led, 0, 0), 0);
    EXPECT_EQ(store.Objects().size(), 250u);
    // The refused creation gave its uid back: the next one reuses it.
    EXPECT_EQ(uids.Next(), 251);
}

TEST_F(ChartStore, NewSymbolIsTheOnlySelectionAndHasTheDefaultRecord) {
    const int a = store.CreateSymbol(0, Kind::Wait, 100, 100);
    const int b = store.CreateSymbol(0, Kind::Wait, 300, 100);
    EXPECT_EQ(store.Selection(), (std::vector<int>{b}));
    EXPECT_EQ(store.Find(a)->Instruction().code[3], 0x64);
    EXPECT_EQ(store.CreateSymbol(0, Kind::Line, 0, 0), 0);
}

TEST_F(ChartStore, StackedSymbolsCoverEachOther) {
    const int upper = store.CreateSymbol(0, Kind::Led, 240, 120);
    const int lower = store.CreateSymbol(0, Kind::Led, 240, 168);
    const int elsewhere = store.CreateSymbol(1, Kind::Led, 240, 168);
    EXPECT_TRUE(store.Find(upper)->Connectors().Get(Connector::Next)->Covered());
    EXPECT_TRUE(store.Find(lower)->Connectors().Get(Connector::In)->Covered());
    EXPECT_FALSE(store.Find(upper)->Connectors().Get(Connector::In)->Covered());
    EXPECT_FALSE(store.Find(elsewhere)->Connectors().Get(Connector::In)->Covered());
    // Neither covered connector can be grabbed or targeted.
    EXPECT_EQ(store.HitTestConnectorsAt(0, 288, 168).bits, 0);
    // Touching symbols are not joined: no successor.
    EXPECT_EQ(store.GetObjectCodeOf(upper).code[7], kNoSlot);

    // Moving the lower one away uncovers both.
    store.Select(lower, true, 250, 180);
    store.MoveSelection(0, 250 + 480, 180);
    EXPECT_FALSE(store.Find(upper)->Connectors().Get(Connector::Next)->Covered());
    EXPECT_FALSE(store.Find(lower)->Connectors().Get(Connector::In)->Covered());
}

TEST_F(ChartStore, HitTestsFindTheNewestObjectFirst) {
    const int a = store.CreateSymbol(0, Kind::Led, 240, 120);
    const int b = store.CreateSymbol(0, Kind::Led, 264, 144);
    EXPECT_EQ(store.HitTestBodies(0, 270, 150).uid, b);
    EXPECT_EQ(store.HitTestBodies(0, 250, 130).uid, a);
    EXPECT_EQ(store.HitTestBodies(1, 270, 150).uid, 0);
}

TEST_F(ChartStore, LineJoinsExitToEntryWithLinksBothWays) {
    const int a = store.CreateSymbol(0, Kind::Start, 240, 120);
    const int b = store.CreateSymbol(0, Kind::End, 384, 240);
    const int line = Connect(a, Connector::Next, b, {{288, 216}});
    ASSERT_NE(line, 0);
    const IFLOWOBJECT& l = *store.Find(line);
    EXPECT_EQ(l.From(), (LineEnd{1, a, Connector::Next, 288, 168}));
    EXPECT_EQ(l.To(), (LineEnd{1, b, Connector::In, 432, 240}));
    EXPECT_EQ(store.Find(a)->Connectors().FirstLink(Connector::Next), b);
    EXPECT_EQ(store.Find(b)->Connectors().Get(Connector::In)->Links(), (std::vector<int>{a}));
    EXPECT_FALSE(store.LineInProgress().active);
    EXPECT_FALSE(store.Find(a)->Connectors().Get(Connector::Next)->Dragging());
    EXPECT_EQ(store.GetObjectCodeOf(a).code[7], slots.SlotOf(b));
}

TEST_F(ChartStore, ALineRefusedForWantOfAUidLeavesNoLinks) {
    const int a = store.CreateSymbol(0, Kind::Start, 240, 120);
    const int b = store.CreateSymbol(0, Kind::End, 240, 240);
    while (uids.Next() != 0) {
    }

    EXPECT_EQ(Connect(a, Connector::Next, b), 0);
    EXPECT_EQ(store.Objects().size(), 2u);
    EXPECT_TRUE(store.Find(a)->Connectors().Get(Connector::Next)->Links().empty());
    EXPECT_TRUE(store.Find(b)->Connectors().Get(Connector::In)->Links().empty());
    EXPECT_EQ(store.GetObjectCodeOf(a).code[7], 0xFE);
    // The exit stays free for the next try.
    EXPECT_EQ(store.HitTestConnectorsAt(0, 288, 168).bits, 8);
}

TEST_F(ChartStore, LineMayEndOnItsOwnSourceEntry) {
    const int a = store.CreateSymbol(0, Kind::Led, 240, 120);
    EXPECT_NE(Connect(a, Connector::Next, a, {{288, 216}, {480, 216}, {480, 96}}), 0);
    EXPECT_EQ(store.GetObjectCodeOf(a).code[7], slots.SlotOf(a));
}

TEST_F(ChartStore, WaypointLimitKeepsTheLineAndSaysSo) {
    const int a = store.CreateSymbol(0, Kind::Led, 240, 120);
    store.BeginLine(a, Connector::Next, 288, 168);
    for (int i = 0; i < 9; ++i) store.AddWaypoint(288, 192 + 24 * i);
    EXPECT_TRUE(notifier.messages.empty());
    store.AddWaypoint(600, 600);
    EXPECT_EQ(notifier.messages, (std::vector<std::string>{"ラインの途中ポイントが最大数を超えました。"}));
    EXPECT_TRUE(store.LineInProgress().active);
    EXPECT_EQ(store.LineInProgress().waypoints.size(), 9u);
}

TEST_F(ChartStore, StepBackRemovesWaypointsThenCancels) {
    const int a = store.CreateSymbol(0, Kind::Led, 240, 120);
    store.BeginLine(a, Connector::Next, 288, 168);
    EXPECT_TRUE(store.Find(a)->Connectors().Get(Connector::Next)->Dragging());
    store.AddWaypoint(288, 240);
    store.AddWaypoint(480, 240);
    EXPECT_TRUE(store.StepBackLine());
    EXPECT_EQ(store.LineInProgress().waypoints, (std::vector<Point>{{288, 240}}));
    EXPECT_FALSE(store.StepBackLine());
    EXPECT_FALSE(store.LineInProgress().active);
    EXPECT_FALSE(store.Find(a)->Connectors().Get(Connector::Next)->Dragging());
    EXPECT_EQ(store.Objects().size(), 1u);
}

TEST_F(ChartStore, DeletingASymbolTakesItsLinesListedFirst) {
    const int s1 = store.CreateSymbol(0, Kind::Led, 0, 0);
    const int s2 = store.CreateSymbol(0, Kind::Led, 480, 0);
    const int mid = store.CreateSymbol(0, Kind::Led, 240, 240);
    const int out = store.CreateSymbol(0, Kind::End, 240, 480);
    const int l1 = Connect(s1, Connector::Next, mid);
    const int l2 = Connect(s2, Connector::Next, mid);
    const int l3 = Connect(mid, Connector::Next, out);

    store.Select(mid, true, 0, 0);
    std::vector<int> deleted;
    std::vector<FreedSlot> freed;
    store.DeleteSelection(deleted, freed);
    EXPECT_EQ(deleted, (std::vector<int>{l1, l2, l3, mid}));
    EXPECT_EQ(freed, (std::vector<FreedSlot>{{mid, 3}}));
    for (int uid : {l1, l2, l3, mid}) EXPECT_TRUE(IsDeleted(uid));
    EXPECT_TRUE(store.Selection().empty());
    // The exits of the survivors are free again.
    EXPECT_EQ(store.Find(s1)->Connectors().FirstLink(Connector::Next), 0);
    EXPECT_TRUE(store.Find(out)->Connectors().Get(Connector::In)->Links().empty());
    EXPECT_EQ(slots.SlotOf(mid), 0);
}

TEST_F(ChartStore, DeletingOnlyALineUnlinksBothEnds) {
    const int a = store.CreateSymbol(0, Kind::Led, 0, 0);
    const int b = store.CreateSymbol(0, Kind::End, 0, 240);
    const int line = Connect(a, Connector::Next, b);
    store.Select(line, true, 0, 0);
    std::vector<int> deleted;
    std::vector<FreedSlot> freed;
    store.DeleteSelection(deleted, freed);
    EXPECT_EQ(deleted, (std::vector<int>{line}));
    EXPECT_TRUE(freed.empty());
    EXPECT_EQ(store.Find(a)->Connectors().FirstLink(Connector::Next), 0);
    EXPECT_NE(store.HitTestConnectorsAt(0, 48, 48).bits, 0);
}

TEST_F(ChartStore, MovingASymbolAwayFromItsLineDeletesTheLineUnlessMovedAlong) {
    const int a = store.CreateSymbol(0, Kind::Led, 240, 120);
    const int b = store.CreateSymbol(0, Kind::End, 240, 360);
    const int line = Connect(a, Connector::Next, b);

    store.Select(a, true, 250, 130);
    store.Select(line, false, 250, 130);
    store.MoveSelection(0, 250 + 24, 130);
    std::vector<int> dangling;
    store.ValidateLines(dangling);
    EXPECT_EQ(dangling, (std::vector<int>{line}));  // the end at b no longer meets it

    const int c = store.CreateSymbol(0, Kind::Led, 600, 120);
    const int d = store.CreateSymbol(0, Kind::End, 600, 360);
    const int kept = Connect(c, Connector::Next, d);
    store.Select(c, true, 610, 130);
    store.Select(kept, false, 610, 130);
    store.Select(d, false, 610, 130);
    store.MoveSelection(0, 610 + 24, 130 + 48);
    dangling.clear();
    store.ValidateLines(dangling);
    EXPECT_TRUE(dangling.empty());
    EXPECT_FALSE(IsDeleted(kept));
    EXPECT_EQ(store.Find(kept)->From().x, 672);
    EXPECT_EQ(store.GetObjectCodeOf(c).code[7], slots.SlotOf(d));
}

TEST_F(ChartStore, MovingClampsTheSelectionToTheSheet) {
    // Five symbols side by side make a selection 480 wide.
    std::vector<int> row;
    for (int i = 0; i < 5; ++i) row.push_back(store.CreateSymbol(0, Kind::Led, 96 * i, 240));
    for (int uid : row) store.Select(uid, false, 0, 250);
    ASSERT_EQ(store.SelectionBounds(), (Rect{0, 240, 480, 288}));
    store.MoveSelection(0, 1800, 250);
    EXPECT_EQ(store.SelectionBounds().left, 1440);
    EXPECT_EQ(store.Find(row.front())->Bounds().left, 1440);
    store.MoveSelection(0, -500, -500);
    EXPECT_EQ(store.SelectionBounds(), (Rect{0, 0, 480, 48}));
}

TEST_F(ChartStore, DragStartTellsWhetherAnythingMoved) {
    const int a = store.CreateSymbol(0, Kind::Led, 240, 120);
    store.Select(a, true, 250, 130);
    store.RememberDragStart(10, 20);
    EXPECT_TRUE(store.HasMovedSinceDragStart().unchanged);
    store.MoveSelection(0, 250 + 48, 130 + 24);
    const DragMovement m = store.HasMovedSinceDragStart();
    EXPECT_FALSE(m.unchanged);
    EXPECT_EQ(m.dx, 48);
    EXPECT_EQ(m.dy, 24);
    EXPECT_EQ(m.scrollX, 10);
    EXPECT_EQ(m.scrollY, 20);
}

TEST_F(ChartStore, RubberBandSelectsLinesByTheirBand) {
    const int a = store.CreateSymbol(0, Kind::Led, 240, 120);
    const int b = store.CreateSymbol(0, Kind::End, 480, 480);
    const int line = Connect(a, Connector::Next, b, {{288, 264}});
    store.SetRubberBand({300, 250, 280, 270});  // dragged leftwards: normalised
    EXPECT_EQ(store.SelectInRect(0), 1);
    EXPECT_EQ(store.Selection(), (std::vector<int>{line}));
    store.SetRubberBand({0, 0, 1920, 2688});
    EXPECT_EQ(store.SelectInRect(0), 3);
    EXPECT_EQ(store.IsSelected(b), 3);
    EXPECT_EQ(store.SelectInRect(1), 0);
}

TEST_F(ChartStore, UndoSupportRestoresDeletedObjectsAndSelectsThem) {
    const int a = store.CreateSymbol(0, Kind::Led, 0, 0);
    const int b = store.CreateSymbol(0, Kind::End, 0, 240);
    const int line = Connect(a, Connector::Next, b);
    store.Select(b, true, 0, 0);
    std::vector<int> deleted;
    std::vector<FreedSlot> freed;
    store.DeleteSelection(deleted, freed);
    for (const FreedSlot& f : freed) slots.RestoreSlot(f.slot, f.uid);
    store.Undelete(deleted);
    EXPECT_FALSE(IsDeleted(line));
    EXPECT_FALSE(IsDeleted(b));
    EXPECT_EQ(store.Find(a)->Connectors().FirstLink(Connector::Next), b);
    EXPECT_EQ(store.Selection(), deleted);
    EXPECT_EQ(slots.SlotOf(b), 2);
}

TEST_F(ChartStore, PurgeReleasesTheUidAndDestroyFreesTheSlot) {
    const int a = store.CreateSymbol(0, Kind::Led, 0, 0);
    const int b = store.CreateSymbol(0, Kind::Led, 240, 0);
    store.PurgeObject(a);  // live objects are not purged
    EXPECT_NE(store.Find(a), nullptr);

    store.Select(a, true, 0, 0);
    std::vector<int> deleted;
    std::vector<FreedSlot> freed;
    store.DeleteSelection(deleted, freed);
    store.PurgeObject(a);
    EXPECT_EQ(store.Find(a), nullptr);
    store.DestroyObject(b);
    EXPECT_EQ(store.Find(b), nullptr);
    EXPECT_EQ(slots.CountUsed(), 0);
    EXPECT_EQ(uids.Next(), a);
    EXPECT_EQ(uids.Next(), b);
}

TEST_F(ChartStore, DeleteChartTakesEveryObjectOfThatChartOnly) {
    const int a = store.CreateSymbol(0, Kind::Led, 0, 0);
    const int b = store.CreateSymbol(0, Kind::End, 0, 240);
    const int line = Connect(a, Connector::Next, b);
    const int other = store.CreateSymbol(2, Kind::Led, 0, 0);
    std::vector<int> deleted;
    std::vector<FreedSlot> freed;
    store.DeleteChart(0, deleted, freed);
    EXPECT_EQ(deleted, (std::vector<int>{a, b, line}));
    EXPECT_EQ(freed.size(), 2u);
    EXPECT_FALSE(IsDeleted(other));
    EXPECT_EQ(store.CountSymbols(), 1);
}

TEST_F(ChartStore, ExtentCoversLiveObjectsOfTheChart) {
    EXPECT_EQ(store.ChartExtent(0), (Rect{}));
    store.CreateSymbol(0, Kind::Led, 240, 120);
    store.CreateSymbol(0, Kind::Led, 48, 600);
    store.CreateSymbol(1, Kind::Led, 1800, 2600);
    EXPECT_EQ(store.ChartExtent(0), (Rect{0, 0, 336, 648}));
}

struct FakeEditor : ISymbolSettingsEditor {
    bool confirm = true;
    int noSettingsShown = 0;
    void ShowNoSettings() override { ++noSettingsShown; }
    bool EditInstruction(SymbolClass, NuvoInstruction& instruction) override {
        instruction.code[2] = 0x00;  // for a wait: 0.0 s high byte
        instruction.code[3] = 0x19;
        return confirm;
    }
};

TEST_F(ChartStore, SettingsReplaceTheInstructionOnlyOnOk) {
    const int wait = store.CreateSymbol(0, Kind::Wait, 0, 0);
    const int start = store.CreateSymbol(0, Kind::Start, 240, 0);
    FakeEditor editor;
    NuvoInstruction before, after;

    editor.confirm = false;
    EXPECT_EQ(store.OpenSymbolSettings(wait, 0, editor, before, after), 0);
    EXPECT_EQ(store.Find(wait)->Instruction().code[3], 0x64);
    EXPECT_EQ(before, after);

    editor.confirm = true;
    EXPECT_EQ(store.OpenSymbolSettings(wait, 0, editor, before, after), 1);
    EXPECT_EQ(before.code[3], 0x64);
    EXPECT_EQ(after.code[3], 0x19);
    EXPECT_EQ(store.Find(wait)->Engine().objectRecord.funcObjects[0].operands[1], 0x19);
    const NuvoInstruction waitBefore = before;

    EXPECT_EQ(store.OpenSymbolSettings(start, 0, editor, before, after), 0);
    EXPECT_EQ(editor.noSettingsShown, 1);
    EXPECT_EQ(store.OpenSymbolSettings(wait, 1, editor, before, after), 0);  // other chart

    store.RestoreInstruction({wait}, waitBefore);
    EXPECT_EQ(store.Find(wait)->Engine(), MakeEngineRecord(Kind::Wait));
}

struct PlacementCase {
    const char* name;
    int chart;
    int kind;
    int expected;
    const char* message;
};

class Placements : public StoreTest, public ::testing::WithParamInterface<PlacementCase> {};

TEST_P(Placements, RefusalsComeInOrderWithTheirMessages) {
    // Main chart: a start and a parallel run; three loops there and five in sub chart 2;
    // sub chart 1 has a start of its own.
    store.CreateSymbol(0, Kind::Start, 0, 0);
    store.CreateSymbol(0, Kind::Parallel, 0, 96);
    store.CreateSymbol(1, Kind::Start, 0, 0);
    for (int i = 0; i < 3; ++i) store.CreateSymbol(0, Kind::LoopBegin, 240, 96 * i);
    for (int i = 0; i < 5; ++i) store.CreateSymbol(2, Kind::LoopBegin, 240, 96 * i);
    const PlacementCase& c = GetParam();
    EXPECT_EQ(store.CheckPlacement(c.chart, c.kind), c.expected);
    if (c.message)
        EXPECT_EQ(notifier.messages, (std::vector<std::string>{c.message}));
    else
        EXPECT_TRUE(notifier.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    ChartStore, Placements,
    ::testing::Values(
        PlacementCase{"SecondStartInMain", 0, Kind::Start, Placement::SecondStart,
                      "開始は1つのフローチャートに1個です"},
        PlacementCase{"SecondStartInSub1", 1, Kind::Start, Placement::SecondStart,
                      "開始は1つのフローチャートに1個です"},
        PlacementCase{"FirstStartInSub3", 3, Kind::Start, Placement::Allowed, nullptr},
        PlacementCase{"NinthLoop", 3, Kind::LoopBegin, Placement::TooManyLoops,
                      "くり返しはすべてのフローチャートで8個までです"},
        PlacementCase{"LoopEndIsNotCounted", 3, Kind::LoopEnd, Placement::Allowed, nullptr},
        PlacementCase{"ParallelInSub", 1, Kind::Parallel, Placement::ParallelOutsideMain,
                      "並列実行はメインルーチンでのみ使用可能です"},
        PlacementCase{"SecondParallel", 0, Kind::Parallel, Placement::SecondParallel,
                      "並列実行は1つまでです"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ChartStore, FullSlotsRefuseEveryKindFirst) {
    for (int i = 0; i < 249; ++i) store.CreateSymbol(1 + i % 3, Kind::Led, 0, 0);
    EXPECT_EQ(store.CheckPlacement(0, Kind::Led), Placement::Allowed);
    EXPECT_NE(store.CreateSymbol(0, Kind::Led, 0, 0), 0);
    EXPECT_EQ(store.CheckPlacement(0, Kind::Start), Placement::SlotsFull);
    EXPECT_EQ(notifier.messages, (std::vector<std::string>{"使用可能な図記号は250個です"}));
}

TEST_F(ChartStore, ParallelInSubIsRefusedEvenWithoutOneInMain) {
    EXPECT_EQ(store.CheckPlacement(1, Kind::Parallel), Placement::ParallelOutsideMain);
    EXPECT_EQ(store.CheckPlacement(0, Kind::Parallel), Placement::Allowed);
}

}  // namespace

namespace {

TEST_F(ChartStore, RestoringOverALiveUidRefusesWithoutFreeingIt) {
    const int a = store.CreateSymbol(0, Kind::Led, 0, 0);
    SymbolRecord record = store.Find(a)->GetSymbolRecord();
    EXPECT_EQ(store.RestoreSymbol(1, record), 0);
    LineRecord line;
    line.uid = a;
    line.from.connected = line.to.connected = 1;
    EXPECT_EQ(store.RestoreLine(0, line), 0);
    EXPECT_EQ(store.Find(a)->Chart(), 0);
    EXPECT_EQ(uids.Next(), a + 1);  // a was not handed back to the generator
}

}  // namespace
