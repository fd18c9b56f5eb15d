// The editor's recorded edits and the undo that takes them back.
#include "editor_state.h"

#include <algorithm>
#include <functional>

#include "engine_record_factory.h"
#include "store_fixture.h"

namespace {

struct FakeSettingsDialog : ISymbolSettingsEditor {
    bool confirm = true;
    void ShowNoSettings() override {}
    bool EditInstruction(SymbolClass, NuvoInstruction& instruction) override {
        instruction.code[3] = 0x19;  // a wait of 2.5 s instead of 10 s
        return confirm;
    }
};

class Editor : public StoreTest {
protected:
    void SetUp() override {
        editor.onTitleRefresh = [this] { ++titleRefreshes; };
        editor.onViewRestored = [this] { ++viewRestores; };
    }

    bool IsLive(int uid) {
        const IFLOWOBJECT* object = store.Find(uid);
        return object && !object->Deleted();
    }

    // Presses on a symbol, drags it by (dx, dy) and releases, as the work area does.
    bool Drag(int uid, int dx, int dy) {
        const Rect at = store.Find(uid)->Bounds();
        store.Select(uid, store.IsSelected(uid) == 0, at.left, at.top);
        store.RememberDragStart(editor.scrollX, editor.scrollY);
        store.MoveSelection(editor.currentChart, at.left + dx, at.top + dy);
        return editor.EndMove();
    }

    EditorState editor{store};
    int titleRefreshes = 0;
    int viewRestores = 0;
};

TEST_F(Editor, StartsAsANewUnmodifiedDocumentWithoutReadings) {
    EXPECT_TRUE(editor.isNew);
    EXPECT_FALSE(editor.modified);
    EXPECT_EQ(editor.mouseMode, MouseMode::Idle);
    EXPECT_EQ(editor.windowWidth, 1024);
    EXPECT_EQ(editor.windowHeight, 768);
    EXPECT_EQ(editor.light, 0xFFFF);
    EXPECT_EQ(editor.temperature, 0xFFFF);
}

TEST_F(Editor, TenPlacementsUndoToAnEmptyChart) {
    for (int i = 0; i < 10; ++i) ASSERT_NE(editor.PlaceSymbol(Kind::Led, 0, 96 * i), 0);
    for (int i = 0; i < 10; ++i) {
        ASSERT_TRUE(editor.UndoLast());
        EXPECT_EQ(editor.history.Count(), 9 - i);
    }
    EXPECT_TRUE(store.Objects().empty());
    EXPECT_EQ(slots.CountUsed(), 0);
    EXPECT_FALSE(editor.UndoLast());
    EXPECT_EQ(viewRestores, 10);
}

TEST_F(Editor, TheEleventhPlacementLeavesTheFirstForGood) {
    const int first = editor.PlaceSymbol(Kind::Led, 0, 0);
    for (int i = 1; i < 11; ++i) editor.PlaceSymbol(Kind::Led, 0, 96 * i);
    EXPECT_EQ(editor.history.Count(), 10);
    for (int i = 0; i < 10; ++i) EXPECT_TRUE(editor.UndoLast());
    EXPECT_FALSE(editor.UndoLast());
    EXPECT_TRUE(IsLive(first));
    EXPECT_EQ(store.Objects().size(), 1u);
}

TEST_F(Editor, ADeletedSymbolIsPurgedWhenItsStepLeavesTheHistory) {
    const int gone = store.CreateSymbol(0, Kind::Led, 0, 0);
    store.Select(gone, true, 0, 0);
    editor.DeleteSelected();
    for (int i = 0; i < 9; ++i) editor.PlaceSymbol(Kind::Led, 240, 96 * i);
    ASSERT_NE(store.Find(gone), nullptr);  // still recoverable

    editor.PlaceSymbol(Kind::Led, 480, 0);
    EXPECT_EQ(store.Find(gone), nullptr);
    EXPECT_EQ(uids.Next(), gone);  // its uid is free for reuse
}

// Dropping the old deletion purges the first line, whose ends are the
// redrawn line's ends too: the redrawn line must keep the links they share.
TEST_F(Editor, PurgingADeletedLineKeepsTheLinksOfItsRedrawnTwin) {
    const int a = store.CreateSymbol(0, Kind::Led, 240, 120);
    const int b = store.CreateSymbol(0, Kind::End, 240, 360);
    const auto drawLine = [&] {
        store.BeginLine(a, Connector::Next, 288, 168);
        return editor.FinishLineStep(b, 288, 360);
    };
    const int first = drawLine();
    store.Select(first, true, 0, 0);
    editor.DeleteSelected();
    const int redrawn = drawLine();
    ASSERT_NE(redrawn, 0);
    for (int i = 0; i < 9; ++i) editor.PlaceSymbol(Kind::Led, 600, 96 * i);
    ASSERT_EQ(store.Find(first), nullptr);  // the deletion's step has left the history

    EXPECT_EQ(store.Find(a)->Connectors().FirstLink(Connector::Next), b);
    EXPECT_EQ(store.Find(b)->Connectors().Get(Connector::In)->Links(), (std::vector<int>{a}));
    EXPECT_EQ(store.GetObjectCodeOf(a).code[7], slots.SlotOf(b));
}

// The lower of two stacked symbols covers the upper one's exit: deleting it
// uncovers the exit, undoing the deletion covers it again.
TEST_F(Editor, DeletingAndUndeletingAStackedSymbolUpdatesCoverage) {
    const int upper = store.CreateSymbol(0, Kind::Led, 240, 120);
    const int lower = store.CreateSymbol(0, Kind::Led, 240, 168);
    const auto exitCovered = [&] {
        return store.Find(upper)->Connectors().Get(Connector::Next)->Covered();
    };
    ASSERT_TRUE(exitCovered());

    store.Select(lower, true, 0, 0);
    editor.DeleteSelected();
    EXPECT_FALSE(exitCovered());
    EXPECT_EQ(store.HitTestConnectorsAt(0, 288, 168).bits, 8);  // the exit can start a line

    ASSERT_TRUE(editor.UndoLast());
    EXPECT_TRUE(exitCovered());
    EXPECT_TRUE(store.Find(lower)->Connectors().Get(Connector::In)->Covered());
    EXPECT_EQ(store.HitTestConnectorsAt(0, 288, 168).bits, 0);
}

TEST_F(Editor, SelectAllTakesOnlyTheCurrentChartSoDeleteLeavesTheOthers) {
    const int mainLed = store.CreateSymbol(0, Kind::Led, 240, 120);
    const int subLed = store.CreateSymbol(1, Kind::Led, 240, 120);
    const int subEnd = store.CreateSymbol(1, Kind::End, 240, 360);
    const int subLine = Connect(subLed, Connector::Next, subEnd);
    const int otherSub = store.CreateSymbol(3, Kind::End, 240, 360);
    ASSERT_TRUE(editor.SwitchChart(1));

    store.SelectAll(editor.currentChart);
    EXPECT_EQ(store.Selection(), (std::vector<int>{subLed, subEnd, subLine}));
    editor.DeleteSelected();
    EXPECT_TRUE(IsLive(mainLed));
    EXPECT_TRUE(IsLive(otherSub));
    for (int uid : {subLed, subEnd, subLine}) EXPECT_TRUE(IsDeleted(uid));
}

TEST_F(Editor, UndoingADeletionRestoresSlotLinesAndLinksSelected) {
    const int spare = store.CreateSymbol(0, Kind::Led, 600, 0);  // slot 1
    const int a = store.CreateSymbol(0, Kind::Led, 240, 0);
    const int b = store.CreateSymbol(0, Kind::Led, 240, 240);  // slot 3
    const int c = store.CreateSymbol(0, Kind::End, 240, 480);
    const int in = Connect(a, Connector::Next, b);
    const int out = Connect(b, Connector::Next, c);
    store.Select(spare, true, 0, 0);
    editor.DeleteSelected();
    store.Select(b, true, 0, 0);
    editor.DeleteSelected();
    ASSERT_TRUE(IsDeleted(in) && IsDeleted(out) && IsDeleted(b));

    ASSERT_TRUE(editor.UndoLast());
    EXPECT_EQ(slots.SlotOf(b), 3);  // its own slot, not the lowest free one
    EXPECT_EQ(slots.UidAt(1), 0);
    for (int uid : {in, out, b}) EXPECT_TRUE(IsLive(uid));
    EXPECT_EQ(store.Find(a)->Connectors().FirstLink(Connector::Next), b);
    EXPECT_EQ(store.Find(b)->Connectors().Get(Connector::In)->Links(), (std::vector<int>{a}));
    EXPECT_EQ(store.Find(b)->Connectors().FirstLink(Connector::Next), c);
    EXPECT_EQ(store.Find(c)->Connectors().Get(Connector::In)->Links(), (std::vector<int>{b}));
    EXPECT_EQ(store.GetObjectCodeOf(a).code[7], 3);
    EXPECT_EQ(store.Selection(), (std::vector<int>{in, out, b}));
}

TEST_F(Editor, UndoingAMoveBringsBackTheLinesItBroke) {
    const int a = store.CreateSymbol(0, Kind::Led, 240, 120);
    const int b = store.CreateSymbol(0, Kind::End, 240, 360);
    const int line = Connect(a, Connector::Next, b);
    editor.scrollX = 2;
    editor.scrollY = 3;
    ASSERT_TRUE(Drag(a, 48, 24));
    EXPECT_TRUE(IsDeleted(line));
    EXPECT_TRUE(editor.modified);
    editor.scrollX = 9;  // scrolled since

    ASSERT_TRUE(editor.UndoLast());
    EXPECT_EQ(store.Find(a)->Bounds().left, 240);
    EXPECT_EQ(store.Find(a)->Bounds().top, 120);
    EXPECT_TRUE(IsLive(line));
    EXPECT_EQ(store.Find(a)->Connectors().FirstLink(Connector::Next), b);
    EXPECT_EQ(store.Selection(), (std::vector<int>{a}));
    EXPECT_EQ(editor.scrollX, 2);
    EXPECT_EQ(editor.scrollY, 3);
}

TEST_F(Editor, ADragThatEndsWhereItBeganRecordsNothing) {
    const int a = store.CreateSymbol(0, Kind::Led, 240, 120);
    EXPECT_FALSE(Drag(a, 0, 0));
    EXPECT_EQ(editor.history.Count(), 0);
    EXPECT_FALSE(editor.modified);
}

TEST_F(Editor, UndoingAChartSwitchReturnsToTheChartItsScrollAndSelection) {
    const int a = store.CreateSymbol(0, Kind::Led, 240, 120);
    store.Select(a, true, 0, 0);
    editor.scrollX = 4;
    editor.scrollY = 6;
    EXPECT_FALSE(editor.SwitchChart(0));
    EXPECT_EQ(editor.history.Count(), 0);

    ASSERT_TRUE(editor.SwitchChart(2));
    EXPECT_EQ(editor.currentChart, 2);
    EXPECT_TRUE(store.Selection().empty());
    EXPECT_EQ(titleRefreshes, 1);
    EXPECT_FALSE(editor.modified);
    editor.scrollX = editor.scrollY = 0;

    ASSERT_TRUE(editor.UndoLast());
    EXPECT_EQ(editor.currentChart, 0);
    EXPECT_EQ(editor.scrollX, 4);
    EXPECT_EQ(editor.scrollY, 6);
    EXPECT_EQ(store.Selection(), (std::vector<int>{a}));
    EXPECT_EQ(viewRestores, 1);
}

TEST_F(Editor, UndoingASettingsChangeRestoresInstructionAndRecord) {
    const int wait = store.CreateSymbol(0, Kind::Wait, 0, 0);
    FakeSettingsDialog dialog;
    dialog.confirm = false;
    EXPECT_FALSE(editor.ChangeSettings(wait, dialog));
    EXPECT_EQ(editor.history.Count(), 0);

    dialog.confirm = true;
    ASSERT_TRUE(editor.ChangeSettings(wait, dialog));
    EXPECT_EQ(store.Find(wait)->Instruction().code[3], 0x19);
    ASSERT_TRUE(editor.UndoLast());
    EXPECT_EQ(store.Find(wait)->Engine(), MakeEngineRecord(Kind::Wait));
    EXPECT_EQ(store.Selection(), (std::vector<int>{wait}));
}

TEST_F(Editor, UndoingAPasteRemovesEverythingItPasted) {
    const int a = store.CreateSymbol(0, Kind::Led, 240, 120);
    const int b = store.CreateSymbol(0, Kind::End, 240, 264);
    const int line = Connect(a, Connector::Next, b);
    store.SetSelection({a, b, line});
    editor.Copy();
    EXPECT_EQ(editor.PasteHere(false, 0, 0).size(), 3u);
    EXPECT_EQ(store.Objects().size(), 6u);

    ASSERT_TRUE(editor.UndoLast());
    EXPECT_EQ(store.Objects().size(), 3u);
    EXPECT_EQ(slots.CountUsed(), 2);
    EXPECT_TRUE(store.Selection().empty());
    EXPECT_EQ(store.Find(a)->Connectors().FirstLink(Connector::Next), b);
}

TEST_F(Editor, CuttingNothingEmptiesTheClipboardAndRecordsAStep) {
    const int a = store.CreateSymbol(0, Kind::Led, 240, 120);
    store.Select(a, true, 0, 0);
    editor.Copy();
    ASSERT_FALSE(store.Clipboard().Empty());
    store.Select(0, false, 0, 0);

    editor.Cut();
    EXPECT_TRUE(store.Clipboard().Empty());
    EXPECT_EQ(editor.history.Count(), 1);
    EXPECT_FALSE(editor.modified);
    EXPECT_TRUE(editor.UndoLast());
    EXPECT_TRUE(IsLive(a));
}

TEST_F(Editor, CutCopiesThenDeletesAsOneUndoableStep) {
    const int a = store.CreateSymbol(0, Kind::Led, 240, 120);
    store.Select(a, true, 0, 0);
    editor.Cut();
    EXPECT_TRUE(IsDeleted(a));
    EXPECT_EQ(store.Clipboard().Symbols().size(), 1u);
    EXPECT_EQ(editor.PasteHere(true, 0, 0).size(), 1u);
    EXPECT_EQ(editor.history.Count(), 2);
}

TEST_F(Editor, EditsThatChangeTheChartsMarkTheDocumentModified) {
    const int wait = store.CreateSymbol(0, Kind::Wait, 240, 120);
    const int end = store.CreateSymbol(0, Kind::End, 240, 360);
    FakeSettingsDialog dialog;
    struct Case {
        const char* name;
        std::function<void()> edit;
        bool marks;
        bool refreshesTitle;
    };
    const Case cases[] = {
        {"place", [&] { editor.PlaceSymbol(Kind::Led, 600, 0); }, true, true},
        {"line",
         [&] {
             store.BeginLine(wait, Connector::Next, 288, 168);
             editor.FinishLineStep(end, 288, 360);
         },
         true, true},
        {"settings", [&] { editor.ChangeSettings(wait, dialog); }, true, true},
        {"move", [&] { Drag(end, 0, 48); }, true, true},
        {"delete",
         [&] {
             store.Select(end, true, 0, 0);
             editor.DeleteSelected();
         },
         true, true},
        {"paste",
         [&] {
             store.Select(wait, true, 0, 0);
             editor.Copy();
             editor.PasteHere(false, 0, 0);
         },
         true, true},
        {"switch", [&] { editor.SwitchChart(editor.currentChart == 0 ? 1 : 0); }, false, true},
        {"clear", [&] { editor.ClearChart(3); }, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        editor.SetModified(false);
        const int refreshes = titleRefreshes;
        const int steps = editor.history.Count();
        c.edit();
        EXPECT_EQ(editor.modified, c.marks);
        EXPECT_EQ(titleRefreshes > refreshes, c.refreshesTitle);
        EXPECT_EQ(editor.history.Count(), std::min(steps + 1, CHistorys::kMaxSteps));
    }
}

TEST_F(Editor, ARefusedLineFinishDropsTheLineInProgress) {
    const int a = store.CreateSymbol(0, Kind::Led, 240, 120);
    const int start = store.CreateSymbol(0, Kind::Start, 600, 120);
    store.BeginLine(a, Connector::Next, 288, 168);
    store.AddWaypoint(288, 240);
    store.AddWaypoint(480, 240);

    EXPECT_EQ(editor.FinishLineStep(start, 648, 120), 0);  // a start has no entry
    EXPECT_FALSE(store.LineInProgress().active);
    EXPECT_FALSE(store.Find(a)->Connectors().Get(Connector::Next)->Dragging());
    EXPECT_EQ(editor.history.Count(), 0);
}

TEST_F(Editor, ClearingAChartIsUndoneInThatChart) {
    const int a = store.CreateSymbol(2, Kind::Led, 240, 120);
    editor.ClearChart(2);
    EXPECT_TRUE(IsDeleted(a));
    EXPECT_EQ(editor.currentChart, 0);
    ASSERT_TRUE(editor.UndoLast());
    EXPECT_EQ(editor.currentChart, 2);
    EXPECT_TRUE(IsLive(a));
}

TEST_F(Editor, ClearingTheHistoryDestroysWhatOnlyItKept) {
    const int kept = editor.PlaceSymbol(Kind::Led, 0, 0);
    const int gone = editor.PlaceSymbol(Kind::Led, 240, 0);
    editor.DeleteSelected();
    editor.ClearHistory();
    EXPECT_EQ(editor.history.Count(), 0);
    EXPECT_EQ(store.Find(gone), nullptr);
    EXPECT_TRUE(IsLive(kept));
    EXPECT_FALSE(editor.UndoLast());
}

// An undone creation leaves nothing selected, so a later delete cannot claim
// its uid; otherwise, once that uid was reused, dropping the delete's step
// would purge a symbol that a newer step still had to bring back.
TEST_F(Editor, AReusedUidStaysRecoverableWhenAnOlderStepLeaves) {
    const int undone = editor.PlaceSymbol(Kind::Led, 0, 0);
    ASSERT_TRUE(editor.UndoLast());
    EXPECT_TRUE(store.Selection().empty());
    editor.DeleteSelected();

    const int reused = editor.PlaceSymbol(Kind::Led, 240, 0);
    ASSERT_EQ(reused, undone);
    editor.DeleteSelected();
    for (int i = 0; i < 8; ++i) editor.PlaceSymbol(Kind::Led, 480, 96 * i);

    for (int i = 0; i < 9; ++i) ASSERT_TRUE(editor.UndoLast());
    EXPECT_TRUE(IsLive(reused));
}

// A move that broke a selected line leaves that line in the selection; the
// delete that follows must not claim it as its own.
TEST_F(Editor, ADeleteClaimsOnlyWhatItDeleted) {
    const int a = store.CreateSymbol(0, Kind::Led, 240, 120);
    const int b = store.CreateSymbol(0, Kind::End, 240, 360);
    const int line = Connect(a, Connector::Next, b);
    store.SetSelection({a, line});
    ASSERT_TRUE(Drag(a, 48, 0));
    ASSERT_TRUE(IsDeleted(line));
    editor.DeleteSelected();

    RECORDS step;
    ASSERT_TRUE(editor.history.PopNewest(step));
    EXPECT_EQ(step.uids, (std::vector<int>{a}));
    EXPECT_EQ(step.records.at(0).uids, (std::vector<int>{a}));
}

}  // namespace
