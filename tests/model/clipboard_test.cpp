// Copy and paste in the chart store: what is copied, where pastes land and
// the refusals that keep the board's limits.
#include <functional>
#include <string>

#include "store_fixture.h"

namespace {

class Clipboard : public StoreTest {
protected:
    // Two symbols joined by a line, all three selected and copied.
    void CopyJoinedPair() {
        a = store.CreateSymbol(0, Kind::Led, 240, 120);
        b = store.CreateSymbol(0, Kind::End, 240, 264);
        line = Connect(a, Connector::Next, b);
        for (int uid : {a, b, line}) store.Select(uid, false, 0, 0);
        store.CopySelection(0);
    }

    int a = 0;
    int b = 0;
    int line = 0;
};

TEST_F(Clipboard, CopyTakesLiveSelectedObjectsOfTheChartOnly) {
    const int start = store.CreateSymbol(0, Kind::Start, 0, 0);
    const int loop = store.CreateSymbol(0, Kind::LoopBegin, 240, 0);
    const int gone = store.CreateSymbol(0, Kind::Led, 480, 0);
    const int elsewhere = store.CreateSymbol(1, Kind::Parallel, 0, 0);
    store.Select(gone, true, 0, 0);
    std::vector<int> deleted;
    std::vector<FreedSlot> freed;
    store.DeleteSelection(deleted, freed);
    store.SetSelection({loop, gone, elsewhere, start, 999});

    store.CopySelection(0);
    const CopyObjectMemory& clip = store.Clipboard();
    ASSERT_EQ(clip.Symbols().size(), 2u);
    EXPECT_EQ(clip.Symbols()[0], store.Find(loop)->GetSymbolRecord());
    EXPECT_EQ(clip.Symbols()[1].uid, start);
    EXPECT_EQ(clip.StartCount(), 1);
    EXPECT_EQ(clip.LoopBeginCount(), 1);
    EXPECT_EQ(clip.ParallelCount(), 0);

    store.Select(0, false, 0, 0);
    store.CopySelection(0);
    EXPECT_TRUE(store.Clipboard().Empty());
    EXPECT_EQ(store.Clipboard().StartCount(), 0);
}

TEST_F(Clipboard, PastedPairLandsOneCellRightAndDownJoinedOnlyToItself) {
    CopyJoinedPair();
    const std::vector<int> pasted = store.Paste(0, false, 0, 0);
    ASSERT_EQ(pasted.size(), 3u);
    const int pa = pasted[0];
    const int pb = pasted[1];
    const int pl = pasted[2];
    EXPECT_EQ(store.Selection(), pasted);
    EXPECT_EQ(store.Find(pa)->Bounds().left, 264);
    EXPECT_EQ(store.Find(pa)->Bounds().top, 144);
    EXPECT_EQ(store.Find(pb)->Bounds().top, 288);
    EXPECT_EQ(store.Find(pl)->From(), (LineEnd{1, pa, Connector::Next, 312, 192}));
    EXPECT_EQ(store.Find(pl)->To(), (LineEnd{1, pb, Connector::In, 312, 288}));
    // Joined to each other, and the originals keep only their own line.
    EXPECT_EQ(store.Find(pa)->Connectors().FirstLink(Connector::Next), pb);
    EXPECT_EQ(store.Find(pb)->Connectors().Get(Connector::In)->Links(), (std::vector<int>{pa}));
    EXPECT_EQ(store.Find(a)->Connectors().FirstLink(Connector::Next), b);
    EXPECT_EQ(store.GetObjectCodeOf(pa).code[7], slots.SlotOf(pb));
    // The pasted symbols keep their settings.
    EXPECT_EQ(store.Find(pa)->Engine(), store.Find(a)->Engine());
}

TEST_F(Clipboard, RepeatedPastesLieOnTopOfEachOther) {
    CopyJoinedPair();
    const std::vector<SymbolRecord> copied = store.Clipboard().Symbols();
    std::vector<int> firstOfEach;
    for (int i = 0; i < 3; ++i) {
        const std::vector<int> pasted = store.Paste(0, false, 0, 0);
        ASSERT_EQ(pasted.size(), 3u);
        firstOfEach.push_back(pasted[0]);
        EXPECT_FALSE(IsDeleted(pasted[2]));
    }
    for (int uid : firstOfEach) EXPECT_EQ(store.Find(uid)->Bounds(), (Rect{264, 144, 360, 192}));
    EXPECT_NE(firstOfEach[0], firstOfEach[1]);
    EXPECT_EQ(store.Clipboard().Symbols(), copied);
    EXPECT_EQ(store.CountSymbols(), 8);
}

TEST_F(Clipboard, LinesWithoutBothEndsCopiedAreDropped) {
    const int a = store.CreateSymbol(0, Kind::Led, 240, 120);
    const int outside = store.CreateSymbol(0, Kind::End, 240, 360);
    const int line = Connect(a, Connector::Next, outside);
    store.SetSelection({a, line});
    store.CopySelection(0);
    EXPECT_EQ(store.Clipboard().Lines().size(), 1u);

    const std::vector<int> pasted = store.Paste(0, false, 0, 0);
    ASSERT_EQ(pasted.size(), 1u);
    EXPECT_EQ(store.Find(pasted[0])->Connectors().FirstLink(Connector::Next), 0);
    EXPECT_EQ(store.Objects().size(), 4u);
    // The dropped line gave its uid back.
    EXPECT_EQ(uids.Next(), pasted[0] + 1);
}

TEST_F(Clipboard, StartPastesIntoAChartWithoutOneOnly) {
    const int start = store.CreateSymbol(0, Kind::Start, 240, 120);
    store.Select(start, true, 0, 0);
    store.CopySelection(0);
    const std::vector<int> pasted = store.Paste(1, false, 0, 0);
    ASSERT_EQ(pasted.size(), 1u);
    EXPECT_EQ(store.Find(pasted[0])->Chart(), 1);
    EXPECT_TRUE(notifier.messages.empty());

    EXPECT_TRUE(store.Paste(1, false, 0, 0).empty());
    EXPECT_EQ(notifier.messages,
              (std::vector<std::string>{"貼り付けできません(開始は1つのフローチャートに1個です)"}));
}

TEST_F(Clipboard, PasteIsClampedToTheSheet) {
    const int right = store.CreateSymbol(0, Kind::Led, 1824, 600);
    store.Select(right, true, 0, 0);
    store.CopySelection(0);
    const std::vector<int> pasted = store.Paste(0, false, 0, 0);
    ASSERT_EQ(pasted.size(), 1u);
    EXPECT_EQ(store.Find(pasted[0])->Bounds(), (Rect{1824, 624, 1920, 672}));

    // At a given point the group's top-left lands there, still on the sheet.
    const int at = store.Paste(0, true, 480, 2680)[0];
    EXPECT_EQ(store.Find(at)->Bounds(), (Rect{480, 2640, 576, 2688}));
}

TEST_F(Clipboard, TwoMoreSymbolsFitBeside248ButThreeDoNot) {
    for (int i = 0; i < 248; ++i) ASSERT_NE(store.CreateSymbol(1, Kind::Led, 0, 0), 0);
    const int x = store.CreateSymbol(0, Kind::Led, 0, 0);
    const int y = store.CreateSymbol(0, Kind::Led, 240, 0);
    store.SetSelection({x, y});
    store.CopySelection(0);
    store.DestroyObject(x);
    store.DestroyObject(y);

    EXPECT_EQ(store.Paste(0, false, 0, 0).size(), 2u);
    EXPECT_EQ(store.CountSymbols(), 250);
    EXPECT_TRUE(notifier.messages.empty());
}

TEST_F(Clipboard, APasteReachingEightLoopsIsAcceptedAndTheNinthRefused) {
    for (int i = 0; i < 6; ++i) store.CreateSymbol(2, Kind::LoopBegin, 0, 96 * i);
    const int loop = store.CreateSymbol(0, Kind::LoopBegin, 240, 0);
    store.SetSelection({loop});
    store.CopySelection(0);

    EXPECT_EQ(store.Paste(1, false, 0, 0).size(), 1u);
    EXPECT_EQ(store.CountLoopBegins(), 8);
    EXPECT_TRUE(notifier.messages.empty());

    EXPECT_TRUE(store.Paste(1, false, 0, 0).empty());
    EXPECT_EQ(store.CountLoopBegins(), 8);
    EXPECT_EQ(notifier.messages,
              (std::vector<std::string>{
                  "貼り付けできません(くり返しはすべてのフローチャートで8個までです)"}));
}

// Each case builds a chart, copies something and names the chart to paste into.
struct RefusalCase {
    const char* name;
    std::function<int(CFlowObjectManager&)> arrange;
    const char* message;
};

class PasteRefusals : public StoreTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(PasteRefusals, RefusalChangesNothingAndSaysWhy) {
    const int target = GetParam().arrange(store);
    store.Select(store.Objects().front()->Uid(), true, 0, 0);
    const std::size_t objects = store.Objects().size();
    const int symbols = store.CountSymbols();

    EXPECT_TRUE(store.Paste(target, false, 0, 0).empty());
    EXPECT_EQ(notifier.messages, (std::vector<std::string>{GetParam().message}));
    EXPECT_EQ(store.Objects().size(), objects);
    EXPECT_EQ(store.CountSymbols(), symbols);
    EXPECT_TRUE(store.Selection().empty());
}

int CopyOf(CFlowObjectManager& store, std::vector<int> uids, int chart = 0) {
    store.SetSelection(uids);
    store.CopySelection(chart);
    return chart;
}

INSTANTIATE_TEST_SUITE_P(
    Clipboard, PasteRefusals,
    ::testing::Values(
        RefusalCase{"OnlyALineCopied",
                    [](CFlowObjectManager& s) {
                        const int a = s.CreateSymbol(0, Kind::Led, 0, 0);
                        const int b = s.CreateSymbol(0, Kind::End, 0, 240);
                        s.BeginLine(a, Connector::Next, 48, 48);
                        return CopyOf(s, {s.FinishLine(0, b, 48, 240)});
                    },
                    "貼り付けるデータがありません"},
        RefusalCase{"ThreeBeside248",
                    [](CFlowObjectManager& s) {
                        std::vector<int> copied;
                        for (int i = 0; i < 248; ++i)
                            copied.push_back(s.CreateSymbol(0, Kind::Led, 96 * (i % 10), 0));
                        copied.resize(3);
                        return CopyOf(s, copied);
                    },
                    "貼り付けできません(使用可能な図記号は250個です)"},
        RefusalCase{"SlotsAreCheckedBeforeTheStart",
                    [](CFlowObjectManager& s) {
                        const int start = s.CreateSymbol(0, Kind::Start, 0, 0);
                        for (int i = 0; i < 248; ++i) s.CreateSymbol(1, Kind::Led, 0, 0);
                        return CopyOf(s, {start, s.CreateSymbol(0, Kind::Led, 240, 0)});
                    },
                    "貼り付けできません(使用可能な図記号は250個です)"},
        RefusalCase{"SecondStartInTheChart",
                    [](CFlowObjectManager& s) {
                        s.CreateSymbol(2, Kind::Start, 0, 0);
                        CopyOf(s, {s.CreateSymbol(0, Kind::Start, 0, 0)});
                        return 2;
                    },
                    "貼り付けできません(開始は1つのフローチャートに1個です)"},
        RefusalCase{"NinthLoop",
                    [](CFlowObjectManager& s) {
                        for (int i = 0; i < 4; ++i) s.CreateSymbol(3, Kind::LoopBegin, 0, 96 * i);
                        std::vector<int> copied;
                        for (int i = 0; i < 4; ++i)
                            copied.push_back(s.CreateSymbol(0, Kind::LoopBegin, 0, 96 * i));
                        copied.push_back(s.CreateSymbol(0, Kind::LoopEnd, 240, 0));
                        CopyOf(s, {copied[0], copied[4]});
                        return 1;
                    },
                    "貼り付けできません(くり返しはすべてのフローチャートで8個までです)"},
        RefusalCase{"ParallelOutsideTheMainChart",
                    [](CFlowObjectManager& s) {
                        CopyOf(s, {s.CreateSymbol(0, Kind::Parallel, 0, 0)});
                        return 1;
                    },
                    "貼り付けできません(並列実行はメインルーチンでのみ使用可能です)"},
        RefusalCase{"SecondParallel",
                    [](CFlowObjectManager& s) {
                        return CopyOf(s, {s.CreateSymbol(0, Kind::Parallel, 0, 0)});
                    },
                    "貼り付けできません(並列実行は1つまでです)"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
