// The work area driven by real mouse events on the offscreen platform:
// what the store holds after each gesture, command and page switch.
#include "canvas/work_area.h"

#include <QApplication>
#include <QCursor>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QtTest>
#include <functional>
#include <memory>

#include "canvas/drawing_resources.h"
#include "canvas/editor_context.h"
#include "canvas_test_support.h"
#include "common/command_ids.h"
#include "dialogs/clock_page.h"
#include "dialogs/report_page.h"
#include "program_image.h"

namespace {

const std::string kLineStarted = "線引きモードを開始";
const std::string kLineEnded = "線引きモードを終了";

struct Harness {
    explicit Harness(const DrawingResources& resources) : area(context, resources, host) {}

    ChartFixture chart;
    EditorContext context{chart.store};
    RecordingHost host;
    CDlgWorkArea area;

    EditorState& State() { return context.state; }
    CFlowObjectManager& Store() { return chart.store; }

    // The client point showing a sheet point at the current scroll position.
    QPoint At(int x, int y) {
        return {x - State().scrollX * kGrid, y - State().scrollY * kGrid + Harness::kAreaTop};
    }

    void Press(QPoint p, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mousePress(&area, button, Qt::NoModifier, p);
    }
    void Release(QPoint p, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseRelease(&area, button, Qt::NoModifier, p);
    }
    void Click(QPoint p) {
        Press(p);
        Release(p);
    }
    void Move(QPoint p, Qt::MouseButtons buttons) {
        QMouseEvent event(QEvent::MouseMove, p, area.mapToGlobal(p), Qt::NoButton, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(&area, &event);
    }
    // A right click; the context menu, if one opens, is handed to onMenu and closed.
    void RightClick(QPoint p, std::function<void(QMenu&)> onMenu = {}) {
        QTimer::singleShot(0, &area, [this, onMenu] {
            if (QMenu* menu = area.OpenMenu()) {
                if (onMenu) onMenu(*menu);
                menu->close();
            }
        });
        Press(p, Qt::RightButton);
        Release(p, Qt::RightButton);
    }
    void Wheel(int delta, Qt::KeyboardModifiers modifiers) {
        const QPoint p = At(200, 200);
        QWheelEvent event(p, area.mapToGlobal(p), QPoint(), QPoint(0, delta), Qt::NoButton,
                          modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&area, &event);
    }

    std::vector<const IFLOWOBJECT*> Symbols(int chartNo = 0) { return chart.Live(chartNo, false); }
    std::vector<const IFLOWOBJECT*> Lines(int chartNo = 0) { return chart.Live(chartNo, true); }
    Rect BoundsOf(int uid) { return Store().Find(uid)->Bounds(); }

    static constexpr int kAreaTop = 24;
};

QStringList MenuTexts(const QMenu& menu) {
    QStringList texts;
    for (const QAction* action : menu.actions())
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
}

QAction* MenuItem(const QMenu& menu, const char* text) {
    for (QAction* action : menu.actions())
        if (action->text() == QString::fromUtf8(text)) return action;
    return nullptr;
}

}  // namespace

class WorkAreaTest : public QObject {
    Q_OBJECT

private:
    DrawingResources resources;
    std::unique_ptr<Harness> c;

private slots:
    void init() {
        c = std::make_unique<Harness>(resources);
        c->area.resize(800, 600);
        c->area.show();
        QVERIFY(QTest::qWaitForWindowExposed(&c->area));
    }

    void cleanup() { c.reset(); }

    void dropSnapsDownToTheCell() {
        QVERIFY(c->area.DropSymbol(Kind::Wait, c->At(48, 96)));    // on a boundary
        QVERIFY(c->area.DropSymbol(Kind::Wait, c->At(239, 143)));  // one pixel short of one
        const auto symbols = c->Symbols();
        QCOMPARE(symbols.size(), std::size_t{2});
        QCOMPARE(symbols[0]->Bounds().left, 48);
        QCOMPARE(symbols[0]->Bounds().top, 96);
        QCOMPARE(symbols[1]->Bounds().left, 216);
        QCOMPARE(symbols[1]->Bounds().top, 120);
        QCOMPARE(c->State().history.Count(), 2);
        QVERIFY(c->host.counts >= 2);
    }

    void dropOutsideTheDrawingAreaOrInWholeViewIsNotTaken() {
        QVERIFY(!c->area.DropSymbol(Kind::Wait, QPoint(100, 10)));   // on the page tabs
        QVERIFY(!c->area.DropSymbol(Kind::Wait, QPoint(790, 100)));  // on the scroll bar
        c->area.OnCommand(CommandId::WholeView);
        QVERIFY(!c->area.DropSymbol(Kind::Wait, c->At(48, 96)));
        QVERIFY(c->Symbols().empty());
    }

    void dropWithAllSlotsTakenIsRefused() {
        for (int i = 0; i < NUVOAddrGenerator::kSlotCount; ++i)
            QVERIFY(c->chart.Place(Kind::Wait, 0, 0, 1) != 0);
        QVERIFY(c->area.DropSymbol(Kind::Wait, c->At(48, 96)));
        QVERIFY(c->Symbols().empty());
        QCOMPARE(c->host.messages.back(), std::string("限界を超えています"));
    }

    void lineWithTwoWaypointsIsTakenBackByTwoRightClicks() {
        const int a = c->chart.Place(Kind::Wait, 48, 48);  // next exit at (96, 96)
        c->Click(c->At(96, 96));
        QCOMPARE(c->State().mouseMode, MouseMode::LineDrawing);
        QCOMPARE(c->host.messages.back(), kLineStarted);
        c->Click(c->At(240, 200));  // snaps to the nearest cell
        c->Click(c->At(300, 250));
        QCOMPARE(c->Store().LineInProgress().waypoints,
                 (std::vector<Point>{{240, 192}, {312, 240}}));
        c->Move(c->At(400, 300), Qt::NoButton);
        QCOMPARE(c->Store().LineInProgress().mouseX, 408);
        QCOMPARE(c->Store().LineInProgress().mouseY, 312);
        QCOMPARE(c->host.cursorCell, (Point{408, 312}));

        c->RightClick(c->At(400, 300));
        QCOMPARE(c->State().mouseMode, MouseMode::LineDrawing);
        QCOMPARE(c->Store().LineInProgress().waypoints, (std::vector<Point>{{240, 192}}));
        c->RightClick(c->At(400, 300));
        QCOMPARE(c->State().mouseMode, MouseMode::Idle);
        QCOMPARE(c->Store().LineInProgress().active, 0);
        QCOMPARE(c->host.messages.back(), kLineEnded);
        QVERIFY(!c->Store().Find(a)->Connectors().Get(Connector::Next)->Dragging());
        QVERIFY(c->Lines().empty());
    }

    void lineCanEndOnItsOwnSourceEntry() {
        const int a = c->chart.Place(Kind::Wait, 48, 48);
        c->Click(c->At(96, 96));
        c->Click(c->At(96, 48));
        QCOMPARE(c->State().mouseMode, MouseMode::Idle);
        QCOMPARE(c->host.messages.back(), kLineEnded);
        const auto lines = c->Lines();
        QCOMPARE(lines.size(), std::size_t{1});
        QCOMPARE(lines[0]->From().uid, a);
        QCOMPARE(lines[0]->To().uid, a);
        QCOMPARE(c->State().history.Count(), 1);
    }

    void pressOutsideTheAreaWhileDrawingStaysInTheArea() {
        c->chart.Place(Kind::Wait, 48, 48);
        c->Click(c->At(96, 96));
        c->Click(QPoint(300, 5));  // over the page tabs: kept on the drawing area's top row
        QCOMPARE(c->State().currentPage, 0);
        QCOMPARE(c->Store().LineInProgress().waypoints, (std::vector<Point>{{312, 0}}));
    }

    // While a mode runs the visible pointer stays inside the drawing area: one
    // that leaves it over the tabs is brought back to the edge it crossed.
    void aRunningModeKeepsThePointerInsideTheDrawingArea_data() {
        QTest::addColumn<int>("mode");
        QTest::newRow("line") << static_cast<int>(MouseMode::LineDrawing);
        QTest::newRow("move") << static_cast<int>(MouseMode::Moving);
        QTest::newRow("rubber band") << static_cast<int>(MouseMode::RubberBand);
    }

    void aRunningModeKeepsThePointerInsideTheDrawingArea() {
        QFETCH(int, mode);
        c->chart.Place(Kind::Wait, 48, 48);
        const QPoint start = mode == static_cast<int>(MouseMode::LineDrawing) ? c->At(96, 96)
                             : mode == static_cast<int>(MouseMode::Moving)    ? c->At(60, 60)
                                                                              : c->At(400, 400);
        c->Press(start);
        if (mode == static_cast<int>(MouseMode::LineDrawing)) c->Release(start);
        QCOMPARE(static_cast<int>(c->State().mouseMode), mode);
        const Qt::MouseButtons held =
            mode == static_cast<int>(MouseMode::LineDrawing) ? Qt::NoButton : Qt::LeftButton;

        QCursor::setPos(c->area.mapToGlobal(QPoint(300, 5)));
        c->Move(QPoint(300, 5), held);  // over the page tabs
        QCOMPARE(QCursor::pos(), c->area.mapToGlobal(QPoint(300, Harness::kAreaTop)));
        QCursor::setPos(c->area.mapToGlobal(QPoint(790, 590)));
        c->Move(QPoint(790, 590), held);  // past the scroll bars, over the corner
        const QRect drawing = c->area.DrawingArea();
        QCOMPARE(QCursor::pos(), c->area.mapToGlobal(drawing.bottomRight()));

        // Back in idle, the pointer goes where it likes.
        c->Release(c->area.mapFromGlobal(QCursor::pos()));
        if (mode == static_cast<int>(MouseMode::LineDrawing)) c->RightClick(drawing.center());
        QCOMPARE(c->State().mouseMode, MouseMode::Idle);
        QCursor::setPos(c->area.mapToGlobal(QPoint(300, 5)));
        c->Move(QPoint(300, 5), Qt::NoButton);
        QCOMPARE(QCursor::pos(), c->area.mapToGlobal(QPoint(300, 5)));
    }

    // The sheet runs on under the tab strips: a double-click there, like a
    // press, must not open the settings of a symbol hidden below them.
    void aDoubleClickOnTheTabStripsReachesNoHiddenSymbol() {
        c->chart.Place(Kind::Wait, 48, 552 + 2 * kGrid);  // under the chart tabs at scroll 2
        c->chart.Place(Kind::Wait, 48, 0);                  // above the sheet's visible top
        c->area.VerticalBar()->setValue(2);
        QCOMPARE(c->State().scrollY, 2);
        QTest::mouseDClick(&c->area, Qt::LeftButton, Qt::NoModifier, QPoint(60, 588));
        QTest::mouseDClick(&c->area, Qt::LeftButton, Qt::NoModifier, QPoint(60, 10));
        QVERIFY(c->host.settings.edited.empty());
        QCOMPARE(c->State().currentPage, 0);
        QCOMPARE(c->State().currentChart, 0);

        // Inside the drawing area a double-click opens the settings.
        c->chart.Place(Kind::Wait, 48, 240);
        QTest::mouseDClick(&c->area, Qt::LeftButton, Qt::NoModifier, c->At(60, 250));
        QCOMPARE(c->host.settings.edited.size(), std::size_t{1});
    }

    void pressOnALinkedExitMovesTheSymbol() {
        const int a = c->chart.Place(Kind::Wait, 48, 48);
        const int b = c->chart.Place(Kind::Wait, 48, 192);
        c->chart.Connect(a, Connector::Next, b);
        c->Press(c->At(96, 92));  // inside the exit's grip, but the exit is taken
        QCOMPARE(c->State().mouseMode, MouseMode::Moving);
        QCOMPARE(c->Store().Selection(), std::vector<int>{a});
        QCOMPARE(c->Store().LineInProgress().active, 0);
        c->Release(c->At(96, 92));
        QCOMPARE(c->State().mouseMode, MouseMode::Idle);
        QCOMPARE(c->State().history.Count(), 0);  // nothing moved, nothing recorded
    }

    void movingAwayFromALineDeletesItAndUndoBringsItBack() {
        const int a = c->chart.Place(Kind::Wait, 48, 48);
        const int b = c->chart.Place(Kind::Wait, 48, 192);
        c->chart.Connect(a, Connector::Next, b);
        c->Press(c->At(80, 60));
        c->Move(c->At(128, 60), Qt::LeftButton);
        c->Release(c->At(128, 60));
        QCOMPARE(c->BoundsOf(a).left, 96);
        QVERIFY(c->Lines().empty());
        QCOMPARE(c->State().history.Count(), 1);

        c->area.OnCommand(CommandId::Undo);
        QCOMPARE(c->BoundsOf(a).left, 48);
        QCOMPARE(c->Lines().size(), std::size_t{1});
        QCOMPARE(c->host.messages.back(), std::string("操作を一つもどしました。(操作履歴残り0件)"));
    }

    void undoWithAnEmptyHistoryOnlyTellsSo() {
        c->area.OnCommand(CommandId::Undo);
        QCOMPARE(c->chart.notifier.messages, std::vector<std::string>{"操作履歴がありません。"});
        QVERIFY(c->host.messages.empty());
    }

    void undoIsIgnoredInWholeView() {
        c->area.DropSymbol(Kind::Wait, c->At(48, 96));
        c->area.OnCommand(CommandId::WholeView);
        c->area.OnCommand(CommandId::Undo);
        QCOMPARE(c->State().history.Count(), 1);
        QCOMPARE(c->Symbols().size(), std::size_t{1});
    }

    void rubberBandSelectsWhatItTouches() {
        const int a = c->chart.Place(Kind::Wait, 48, 48);
        const int b = c->chart.Place(Kind::Wait, 240, 48);
        c->chart.Place(Kind::Wait, 48, 240);
        c->Store().SetSelection({a});
        c->Press(c->At(30, 30));
        QCOMPARE(c->State().mouseMode, MouseMode::RubberBand);
        QVERIFY(c->Store().Selection().empty());  // a press on the sheet drops the selection
        c->Move(c->At(250, 100), Qt::LeftButton);
        QCOMPARE(c->Store().RubberBand(), (Rect{30, 30, 250, 100}));
        c->Release(c->At(250, 100));
        QCOMPARE(c->State().mouseMode, MouseMode::Idle);
        QCOMPARE(c->Store().Selection(), (std::vector<int>{a, b}));
    }

    void rightClickOnAnUnselectedSymbolSelectsItAlone() {
        const int a = c->chart.Place(Kind::Wait, 48, 48);
        const int b = c->chart.Place(Kind::Wait, 240, 48);
        const int d = c->chart.Place(Kind::Wait, 432, 48);
        c->Store().SetSelection({a, b});
        c->RightClick(c->At(460, 60));
        QCOMPARE(c->Store().Selection(), std::vector<int>{d});
    }

    void rightClickOnASelectedSymbolKeepsTheSelection() {
        const int a = c->chart.Place(Kind::Wait, 48, 48);
        const int b = c->chart.Place(Kind::Wait, 240, 48);
        const int d = c->chart.Place(Kind::Wait, 432, 48);
        c->Store().SetSelection({a, b, d});
        c->RightClick(c->At(60, 60));
        QCOMPARE(c->Store().Selection(), (std::vector<int>{a, b, d}));
    }

    void contextMenuItemsDependOnWhatIsUnderThePointer() {
        const int a = c->chart.Place(Kind::Wait, 48, 48);
        const int b = c->chart.Place(Kind::Wait, 48, 192);
        c->chart.Connect(a, Connector::Next, b);
        const QStringList common = {"元に戻す", "-",    "切り取り", "コピー",
                                    "貼り付け", "削除", "-",        "すべてを選択"};
        QStringList onEmpty, onSymbol, onLine;
        bool undoEnabled = true, pasteEnabled = true;
        c->RightClick(c->At(400, 400), [&](QMenu& m) {
            onEmpty = MenuTexts(m);
            undoEnabled = MenuItem(m, "元に戻す")->isEnabled();
            pasteEnabled = MenuItem(m, "貼り付け")->isEnabled();
        });
        c->RightClick(c->At(60, 60), [&](QMenu& m) { onSymbol = MenuTexts(m); });
        c->RightClick(c->At(96, 150), [&](QMenu& m) { onLine = MenuTexts(m); });
        QCOMPARE(onEmpty, common);
        QCOMPARE(onLine, common);
        QCOMPARE(onSymbol, (common + QStringList{"-", "設定変更"}));
        QVERIFY(!undoEnabled);   // the history is empty
        QVERIFY(!pasteEnabled);  // and so is the clipboard
    }

    void pasteHerePutsTheCopyAtTheMenuPoint() {
        const int a = c->chart.Place(Kind::Wait, 48, 48);
        c->Store().SetSelection({a});
        c->area.OnCommand(CommandId::Copy);
        c->RightClick(c->At(300, 250), [](QMenu& m) { MenuItem(m, "貼り付け")->trigger(); });
        const auto symbols = c->Symbols();
        QCOMPARE(symbols.size(), std::size_t{2});
        QCOMPARE(symbols[1]->Bounds().left, 288);
        QCOMPARE(symbols[1]->Bounds().top, 240);
        QCOMPARE(c->Store().Selection(), std::vector<int>{symbols[1]->Uid()});
        QCOMPARE(c->State().history.Count(), 1);
    }

    void settingsFromTheMenuAndByDoubleClick() {
        const int a = c->chart.Place(Kind::Wait, 48, 48);
        c->host.settings.accept = true;
        c->host.settings.newInstruction = c->Store().Find(a)->Instruction();
        c->host.settings.newInstruction.code[3] = 0x32;
        c->RightClick(c->At(60, 60), [](QMenu& m) { MenuItem(m, "設定変更")->trigger(); });
        QCOMPARE(c->Store().Find(a)->Instruction().code[3], std::uint8_t{0x32});
        QCOMPARE(c->State().history.Count(), 1);

        c->host.settings.newInstruction.code[3] = 0x64;
        QTest::mouseDClick(&c->area, Qt::LeftButton, Qt::NoModifier, c->At(60, 60));
        QCOMPARE(c->host.settings.edited.size(), std::size_t{2});
        QCOMPARE(c->Store().Find(a)->Instruction().code[3], std::uint8_t{0x64});
        QCOMPARE(c->State().history.Count(), 2);
        QCOMPARE(c->Store().Selection(), std::vector<int>{a});
    }

    void wholeViewHidesTheBarsAndEndsALineInProgress() {
        const int a = c->chart.Place(Kind::Wait, 48, 48);
        c->Click(c->At(96, 96));
        QCOMPARE(c->State().mouseMode, MouseMode::LineDrawing);
        c->area.OnCommand(CommandId::WholeView);
        QVERIFY(c->State().wholeView);
        QCOMPARE(c->State().mouseMode, MouseMode::Idle);
        QCOMPARE(c->Store().LineInProgress().active, 0);
        QVERIFY(!c->Store().Find(a)->Connectors().Get(Connector::Next)->Dragging());
        QVERIFY(!c->area.VerticalBar()->isVisible());
        QVERIFY(!c->area.HorizontalBar()->isVisible());
        c->area.OnCommand(CommandId::NormalView);
        QVERIFY(!c->State().wholeView);
        QVERIFY(c->area.VerticalBar()->isVisible());
    }

    void scrollPositionShrinksWhenTheWindowGrows() {
        c->area.resize(800, 48 + 5 * kGrid);  // a page of 5 cells
        c->area.VerticalBar()->setValue(100);
        QCOMPARE(c->State().scrollY, 100);
        c->area.resize(800, 48 + 30 * kGrid);  // a page of 30 cells
        QCOMPARE(c->State().scrollY, 83);
        QCOMPARE(c->area.VerticalBar()->value(), 83);
        QCOMPARE(c->area.VerticalBar()->maximum(), 83);
    }

    void scrollBarPageRequestsMoveOneCell() {
        QScrollBar* bar = c->area.HorizontalBar();
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        QCOMPARE(c->State().scrollX, 1);
        bar->triggerAction(QAbstractSlider::SliderToMaximum);
        QCOMPARE(c->State().scrollX, 81 - 784 / kGrid);
        bar->triggerAction(QAbstractSlider::SliderPageStepSub);
        QCOMPARE(c->State().scrollX, 81 - 784 / kGrid - 1);
    }

    void wheelScrollsOneCellUnlessAModifierIsDown() {
        c->Wheel(-120, Qt::ControlModifier);
        QCOMPARE(c->State().scrollY, 0);
        c->Wheel(-120, Qt::NoModifier);
        QCOMPARE(c->State().scrollY, 1);
        c->Wheel(120, Qt::NoModifier);
        QCOMPARE(c->State().scrollY, 0);
    }

    void chartTabSwitchIsAStepThatUndoTakesBack() {
        const int a = c->chart.Place(Kind::Wait, 48, 48);
        c->Store().SetSelection({a});
        const int y = c->area.height() - 12;
        c->Click(QPoint(64, y));  // the chart already shown
        QCOMPARE(c->State().history.Count(), 0);
        c->Click(QPoint(128 + 64, y));
        QCOMPARE(c->State().currentChart, 1);
        QVERIFY(c->Store().Selection().empty());
        QCOMPARE(c->State().history.Count(), 1);
        c->area.OnCommand(CommandId::Undo);
        QCOMPARE(c->State().currentChart, 0);
        QCOMPARE(c->Store().Selection(), std::vector<int>{a});
    }

    void pageTabsSwitchPagesAndTellTheBoard() {
        int neutral = 0;
        c->area.SetNeutralReport([&neutral] { ++neutral; });
        const int a = c->chart.Place(Kind::Wait, 48, 48);
        c->Store().SetSelection({a});
        c->Click(QPoint(128 + 64, 12));
        QCOMPARE(c->State().currentPage, 1);
        QVERIFY(c->Store().Selection().empty());
        QCOMPARE(neutral, 2);
        QCOMPARE(c->host.pages, std::vector<int>{1});
        QVERIFY(!c->host.editMenus);
        QVERIFY(c->area.ClockPage()->isVisible());
        QVERIFY(c->area.ClockPage()->ClockRunning());
        QVERIFY(!c->area.VerticalBar()->isVisible());

        c->area.OnCommand(CommandId::SelectAll);  // edits wait for the flowchart page
        QVERIFY(c->Store().Selection().empty());

        c->Click(QPoint(256 + 64, 12));
        QCOMPARE(c->State().currentPage, 2);
        QVERIFY(c->area.ReportPage()->isVisible());
        QVERIFY(!c->area.ClockPage()->isVisible());
        QVERIFY(!c->area.ClockPage()->ClockRunning());

        c->Click(QPoint(64, 12));
        QCOMPARE(c->State().currentPage, 0);
        QCOMPARE(neutral, 6);
        QVERIFY(c->host.editMenus);
        QVERIFY(!c->area.ReportPage()->isVisible());
        QVERIFY(c->area.VerticalBar()->isVisible());
    }

    void dragNearTheEdgeScrollsUntilReleased() {
        const int a = c->chart.Place(Kind::Wait, 48, 48);
        c->Press(c->At(60, 60));
        c->Move(QPoint(60, 560), Qt::LeftButton);  // within the 48-pixel band at the bottom
        QTRY_VERIFY_WITH_TIMEOUT(c->State().scrollY >= 2, 2000);
        // The symbol follows the sheet under the pointer.
        QCOMPARE(c->BoundsOf(a).top, SnapDown(560 - 24 + c->State().scrollY * kGrid));
        c->Release(QPoint(60, 560));
        const int stopped = c->State().scrollY;
        QTest::qWait(300);
        QCOMPARE(c->State().scrollY, stopped);
    }

    void cancellingALineStopsTheAutoscroll() {
        c->chart.Place(Kind::Wait, 48, 48);
        c->Click(c->At(96, 96));
        c->Move(QPoint(300, 560), Qt::NoButton);
        QTRY_VERIFY_WITH_TIMEOUT(c->State().scrollY >= 1, 2000);
        c->RightClick(QPoint(300, 560));  // no waypoints: the line is cancelled
        QCOMPARE(c->State().mouseMode, MouseMode::Idle);
        const int stopped = c->State().scrollY;
        QTest::qWait(300);
        QCOMPARE(c->State().scrollY, stopped);
    }

    void programDrawnWithTheMouseReachesTheImage() {
        c->area.DropSymbol(Kind::Start, c->At(48, 48));
        c->area.DropSymbol(Kind::Led, c->At(48, 144));
        c->area.DropSymbol(Kind::End, c->At(48, 240));
        c->Click(c->At(96, 96));   // start's exit ...
        c->Click(c->At(96, 144));  // ... to the LED's entry
        c->Click(c->At(96, 192));
        c->Click(c->At(96, 240));
        QCOMPARE(c->Lines().size(), std::size_t{2});
        NuvoProgramManager program;
        program.BuildImage(c->Store());
        QCOMPARE(program.StartTable()[0], std::uint8_t{1});
        QCOMPARE(program.Entries()[1].code[7], std::uint8_t{2});  // start -> LED
        QCOMPARE(program.Entries()[2].code[7], std::uint8_t{3});  // LED -> end
    }

    void aMissedReleaseEndsTheModeAtTheNextPressOrDoubleClick() {
        const int a = c->chart.Place(Kind::Wait, 48, 48);
        c->Press(c->At(60, 60));
        c->Move(c->At(108, 60), Qt::LeftButton);
        c->Press(c->At(108, 60));  // Moving, left down: the move is recorded
        QCOMPARE(c->State().mouseMode, MouseMode::Idle);
        QCOMPARE(c->BoundsOf(a).left, 96);
        QCOMPARE(c->State().history.Count(), 1);

        c->Press(c->At(108, 60));
        QCOMPARE(c->State().mouseMode, MouseMode::Moving);
        QMouseEvent click(QEvent::MouseButtonDblClick, c->At(108, 60),
                          c->area.mapToGlobal(c->At(108, 60)), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(&c->area, &click);  // Moving, double-click
        QCOMPARE(c->State().mouseMode, MouseMode::Idle);
        QVERIFY(c->host.settings.edited.empty());

        c->Press(c->At(400, 400));
        QCOMPARE(c->State().mouseMode, MouseMode::RubberBand);
        c->Press(c->At(108, 60));  // RubberBand, left down on a body
        QCOMPARE(c->State().mouseMode, MouseMode::Moving);
        QCOMPARE(c->Store().Selection(), std::vector<int>{a});
        c->Release(c->At(108, 60));
        QCOMPARE(c->State().mouseMode, MouseMode::Idle);
        QCOMPARE(c->State().history.Count(), 1);
    }

    void cutAndDeleteWaitForALineInProgress() {
        const int a = c->chart.Place(Kind::Wait, 48, 48);
        c->chart.Place(Kind::Wait, 48, 192);
        c->Store().SetSelection({a});
        c->Click(c->At(96, 96));  // a line from the selected symbol
        for (int id : {CommandId::Cut, CommandId::Delete}) c->area.OnCommand(id);
        QVERIFY(!c->Store().Find(a)->Deleted());
        QCOMPARE(c->State().mouseMode, MouseMode::LineDrawing);
        QCOMPARE(c->State().history.Count(), 0);
        c->Click(c->At(96, 192));  // the other symbol's entry
        QCOMPARE(c->Lines().size(), std::size_t{1});
    }

    void newOrOpenEndsALineInProgress() {
        const int a = c->chart.Place(Kind::Wait, 48, 48);
        for (int id : {CommandId::New, CommandId::Open}) {
            c->Click(c->At(96, 96));
            QCOMPARE(c->State().mouseMode, MouseMode::LineDrawing);
            c->area.OnCommand(id);
            QCOMPARE(c->State().mouseMode, MouseMode::Idle);
            QCOMPARE(c->Store().LineInProgress().active, 0);
            QVERIFY(!c->Store().Find(a)->Connectors().Get(Connector::Next)->Dragging());
            QCOMPARE(c->host.messages.back(), kLineEnded);
        }
        QCOMPARE(c->host.files, (std::vector<std::string>{"new", "open"}));
    }

    void fileCommandsGoToTheHost() {
        for (int id : {CommandId::New, CommandId::Open, CommandId::Save, CommandId::SaveAs,
                       CommandId::Print})
            QVERIFY(c->area.OnCommand(id));
        QCOMPARE(c->host.files,
                 (std::vector<std::string>{"new", "open", "save", "save as", "print"}));
        QVERIFY(!c->area.OnCommand(32818));  // the transfer is not the work area's
    }
};

QTEST_MAIN(WorkAreaTest)
#include "work_area_test.moc"
