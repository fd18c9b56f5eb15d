// The main window's side panels: message area, palette, tool bar and
// information area, driven with real events offscreen.
#include <QApplication>
#include <QComboBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <string>
#include <vector>

#include "chart_store.h"
#include "main_window/information_area.h"
#include "main_window/message_area.h"
#include "main_window/palette.h"
#include "main_window/palette_icons.h"
#include "main_window/tool_bar.h"
#include "notifier.h"
#include "nuvo_addr_generator.h"
#include "recording_notifier.h"
#include "uid_generator.h"

namespace {

class FakePaletteHost : public IPaletteHost {
public:
    int CurrentChart() const override { return chart; }
    void SelectionCleared() override { ++selectionCleared; }
    // Everything right of x = 200 (in the window) is the drawing area.
    bool IsDropPoint(const QPoint& global) const override { return global.x() >= dropLeft; }
    void DropSymbol(int kind, const QPoint& global) override { drops.push_back({kind, global}); }
    QRect ChartArea() const override { return {}; }

    int chart = 0;
    int dropLeft = 0;
    int selectionCleared = 0;
    struct Drop {
        int kind;
        QPoint global;
    };
    std::vector<Drop> drops;
};

class FakeToolBarState : public IToolBarState {
public:
    bool ClipboardEmpty() const override { return clipboardEmpty; }
    bool HistoryEmpty() const override { return historyEmpty; }
    bool WholeView() const override { return wholeView; }
    bool BoardOpen() const override { return boardOpen; }

    bool clipboardEmpty = true;
    bool historyEmpty = true;
    bool wholeView = false;
    bool boardOpen = false;
};

struct PaletteFixture {
    PaletteFixture() {
        icons.Load(notifier);
        window.resize(800, 600);
        palette.Layout(600);
        host.dropLeft = window.mapToGlobal(QPoint(200, 0)).x();
        window.show();
    }
    RecordingNotifier notifier;
    UidGenerator uids;
    NUVOAddrGenerator slotTable;
    CFlowObjectManager store{uids, slotTable, notifier};
    CFlowIconManager icons;
    FakePaletteHost host;
    QWidget window;
    CDlgFlowIconArea palette{icons, store, host, LoadDragCursor(), &window};
};

QString LastLine(QPlainTextEdit& box) { return box.document()->lastBlock().text(); }

}  // namespace

class ShellWidgetsTest : public QObject {
    Q_OBJECT

private slots:
    // ---- Message area ----

    void messageAreaKeepsTheNewestLinesWithinTheLimit() {
        QPlainTextEdit box;
        CMessageArea area;
        area.Init(&box, 99);
        area.Enable(true);
        area.SetText("起動しました");
        for (int i = 1; i <= 250; ++i) {
            area.AddMessage("line " + std::to_string(i));
            QVERIFY(area.LineCount() <= 100);
        }
        QCOMPARE(area.LineCount(), 100);
        QCOMPARE(LastLine(box), QStringLiteral("line 250"));
        QCOMPARE(box.document()->firstBlock().text(), QStringLiteral("line 151"));
        QVERIFY(box.isReadOnly());
    }

    void messageAreaAppendsEachMessageOnItsOwnLine() {
        QPlainTextEdit box;
        CMessageArea area;
        area.Init(&box, 99);
        area.Enable(true);
        area.SetText("起動しました");
        area.AddMessage("USBの準備に成功しました");
        QCOMPARE(box.toPlainText(), QStringLiteral("起動しました\nUSBの準備に成功しました"));
    }

    void disabledMessageAreaIgnoresMessages() {
        QPlainTextEdit box;
        CMessageArea area;
        area.Init(&box, 99);
        area.SetText("起動しました");
        area.AddMessage("ignored");
        QCOMPARE(box.toPlainText(), QStringLiteral("起動しました"));
        QCOMPARE(CMessageArea().LineLimit(), 128);
    }

    // ---- Palette ----

    void paletteHoldsTheSixteenItemsInOrder() {
        RecordingNotifier notifier;
        CFlowIconManager icons;
        QVERIFY(icons.Load(notifier));
        const std::vector<int> kinds{0, 1, 2, 3, 4, 6, 7, 8, 9, 10, 11, 12, 15, 16, 17, 18};
        QCOMPARE(icons.Count(), 16);
        for (int i = 0; i < 16; ++i) {
            const auto& item = icons.Items()[static_cast<std::size_t>(i)];
            QCOMPARE(item.kind, kinds[static_cast<std::size_t>(i)]);
            QCOMPARE(item.rect, QRect(0, 36 * i, 80, 36));
            QCOMPARE(item.image.size(), QSize(80, 36));
        }
        QCOMPARE(icons.HitTest(79, 35), 0);
        QCOMPARE(icons.HitTest(80, 10), -1);
        QCOMPARE(icons.HitTest(10, 36 * 16), -1);
    }

    void pressingAnItemStartsADragAndTheReleaseDropsIt() {
        PaletteFixture f;
        QTest::mousePress(&f.palette, Qt::LeftButton, {}, QPoint(40, 36 * 2 + 10));  // カラーLED
        QVERIFY(f.palette.Dragging());
        QCOMPARE(f.icons.Picked(), 2);
        QVERIFY(QGuiApplication::overrideCursor() != nullptr);

        const QPoint over(300, 100);
        QTest::mouseRelease(&f.palette, Qt::LeftButton, {}, over);
        QCOMPARE(f.host.drops.size(), std::size_t{1});
        QCOMPARE(f.host.drops[0].kind, 2);
        QCOMPARE(f.host.drops[0].global, f.palette.mapToGlobal(over));
        QVERIFY(!f.palette.Dragging());
        QCOMPARE(f.icons.Picked(), -1);
        QVERIFY(QGuiApplication::overrideCursor() == nullptr);
    }

    void releaseOverThePaletteOrOutsideTheDrawingAreaCancels() {
        PaletteFixture f;
        for (const QPoint at : {QPoint(40, 10), QPoint(90, 10), QPoint(150, 10)}) {
            QTest::mousePress(&f.palette, Qt::LeftButton, {}, QPoint(40, 10));
            QVERIFY(f.palette.Dragging());
            QTest::mouseRelease(&f.palette, Qt::LeftButton, {}, at);
            QVERIFY(!f.palette.Dragging());
            QCOMPARE(f.icons.Picked(), -1);
        }
        QVERIFY(f.host.drops.empty());
    }

    void secondStartOnAChartIsRefused() {
        PaletteFixture f;
        QVERIFY(f.store.CreateSymbol(0, 0, 96, 96) != 0);
        QTest::mousePress(&f.palette, Qt::LeftButton, {}, QPoint(40, 10));
        QCOMPARE(f.notifier.messages, std::vector<std::string>{"開始は1つのフローチャートに1個です"});
        QVERIFY(!f.palette.Dragging());
        QCOMPARE(f.icons.Picked(), -1);

        f.host.chart = 1;  // another chart has no start yet
        QTest::mousePress(&f.palette, Qt::LeftButton, {}, QPoint(40, 10));
        QVERIFY(f.palette.Dragging());
        QTest::mouseRelease(&f.palette, Qt::LeftButton, {}, QPoint(40, 10));
    }

    void pressClearsTheChartSelection() {
        PaletteFixture f;
        const int uid = f.store.CreateSymbol(0, 2, 96, 96);
        f.store.SetSelection({uid});
        QTest::mousePress(&f.palette, Qt::LeftButton, {}, QPoint(40, 36 * 15 + 5));
        QVERIFY(f.store.Selection().empty());
        QCOMPARE(f.host.selectionCleared, 1);
        QTest::mouseRelease(&f.palette, Qt::LeftButton, {}, QPoint(40, 10));
        // With nothing selected the work area is left alone.
        QTest::mousePress(&f.palette, Qt::LeftButton, {}, QPoint(40, 36 * 15 + 5));
        QCOMPARE(f.host.selectionCleared, 1);
        QTest::mouseRelease(&f.palette, Qt::LeftButton, {}, QPoint(40, 10));
    }

    void scrolledPalettePicksByItem() {
        PaletteFixture f;
        f.palette.Layout(24 + 80 + 36 * 5);  // five items in view
        QCOMPARE(f.palette.ScrollBar()->maximum(), 16 + 1 - 5);
        f.palette.ScrollBar()->setValue(3);
        QTest::mousePress(&f.palette, Qt::LeftButton, {}, QPoint(40, 10));
        QCOMPARE(f.icons.Picked(), 3);  // the fourth item
        QTest::mouseRelease(&f.palette, Qt::LeftButton, {}, QPoint(40, 10));
    }

    void pageRequestsMoveByOneItem() {
        PaletteFixture f;
        f.palette.Layout(24 + 80 + 36 * 5);
        QScrollBar* bar = f.palette.ScrollBar();
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        QCOMPARE(bar->value(), 1);
        bar->triggerAction(QAbstractSlider::SliderToMaximum);
        QCOMPARE(bar->value(), 12);
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        QCOMPARE(bar->value(), 12);
        // A taller window lowers the position until the page fits.
        f.palette.Layout(24 + 80 + 36 * 10);
        QCOMPARE(bar->value(), 7);
    }

    void pickedItemIsOutlinedInRed() {
        PaletteFixture f;
        QTest::mousePress(&f.palette, Qt::LeftButton, {}, QPoint(40, 36 + 10));
        const QImage shot = f.palette.grab().toImage();
        QCOMPARE(shot.pixel(40, 37), qRgb(255, 0, 0));  // top edge of the second item
        QVERIFY(shot.pixel(40, 1) != qRgb(255, 0, 0));
        QTest::mouseRelease(&f.palette, Qt::LeftButton, {}, QPoint(40, 10));
    }

    // ---- Tool bar ----

    void toolBarStartsWithTheBoardButtonsDisabled() {
        FakeToolBarState state;
        RecordingNotifier notifier;
        CDlgToolBar bar(state, notifier);
        QVERIFY(notifier.messages.empty());
        for (int control : {CDlgToolBar::kTransfer, CDlgToolBar::kRun, CDlgToolBar::kStopReset,
                            CDlgToolBar::kDetach, CDlgToolBar::kPaste, CDlgToolBar::kUndo,
                            CDlgToolBar::kNormalView})
            QVERIFY2(!bar.Button(control)->isEnabled(), qPrintable(QString::number(control)));
        QVERIFY(bar.Button(CDlgToolBar::kWholeView)->isEnabled());
        QVERIFY(bar.Button(CDlgToolBar::kNew)->isEnabled());
        QCOMPARE(bar.StorageList()->count(), 2);
        QCOMPARE(bar.StorageList()->itemText(0), QStringLiteral("保存１"));
        QCOMPARE(bar.AfterTransferList()->itemText(1), QStringLiteral("転送後取り外す"));
        QCOMPARE(bar.StorageIndex(), 0);
        QCOMPARE(bar.AfterTransferIndex(), 0);
        QCOMPARE(bar.Button(CDlgToolBar::kStopReset)->toolTip(), QStringLiteral("停止 / リセット"));
        QCOMPARE(bar.Button(CDlgToolBar::kDetach)->pos(), QPoint(416, 0));
    }

    void updateButtonsFollowsTheBoardBytes() {
        struct Case {
            std::uint8_t mode, program;
            bool transferBefore;
            bool transfer, run, stop;
        };
        // Rows: open board; the "before" column sets transfer/run/stop first,
        // so that a byte the rules ignore shows that nothing changed.
        const Case cases[] = {
            {0xA0, 0x01, true, false, false, true},
            {0xA0, 0x80, true, false, false, true},
            {0xA0, 0x60, false, true, true, true},
            {0xA0, 0x10, true, true, true, true},
            {0xA0, 0x10, false, false, false, false},
            {0xC0, 0x01, false, true, false, false},
            {0x81, 0x60, false, true, false, false},
        };
        FakeToolBarState state;
        state.boardOpen = true;
        RecordingNotifier notifier;
        CDlgToolBar bar(state, notifier);
        for (const auto& c : cases) {
            for (int control : {CDlgToolBar::kTransfer, CDlgToolBar::kRun, CDlgToolBar::kStopReset})
                bar.Button(control)->setEnabled(c.transferBefore);
            bar.UpdateButtons(c.mode, c.program);
            const QString row = QString("mode %1 program %2").arg(c.mode, 0, 16).arg(c.program, 0, 16);
            QVERIFY2(bar.Button(CDlgToolBar::kTransfer)->isEnabled() == c.transfer, qPrintable(row));
            QVERIFY2(bar.Button(CDlgToolBar::kRun)->isEnabled() == c.run, qPrintable(row));
            QVERIFY2(bar.Button(CDlgToolBar::kStopReset)->isEnabled() == c.stop, qPrintable(row));
            QVERIFY2(bar.Button(CDlgToolBar::kDetach)->isEnabled(), qPrintable(row));
        }
        state.boardOpen = false;
        bar.UpdateButtons(0xA0, 0x60);
        for (int control : {CDlgToolBar::kTransfer, CDlgToolBar::kRun, CDlgToolBar::kStopReset,
                            CDlgToolBar::kDetach})
            QVERIFY(!bar.Button(control)->isEnabled());
    }

    void updateButtonsFollowsClipboardHistoryAndView() {
        FakeToolBarState state;
        RecordingNotifier notifier;
        CDlgToolBar bar(state, notifier);
        state.clipboardEmpty = false;
        state.historyEmpty = false;
        state.wholeView = true;
        bar.UpdateButtons(0xF0, 0);
        QVERIFY(bar.Button(CDlgToolBar::kPaste)->isEnabled());
        QVERIFY(bar.Button(CDlgToolBar::kUndo)->isEnabled());
        QVERIFY(bar.Button(CDlgToolBar::kNormalView)->isEnabled());
        QVERIFY(!bar.Button(CDlgToolBar::kWholeView)->isEnabled());
        state.historyEmpty = true;  // the last step was undone
        bar.UpdateButtons(0xF0, 0);
        QVERIFY(!bar.Button(CDlgToolBar::kUndo)->isEnabled());
    }

    void toolBarShowsTheButtonsOfThePage() {
        FakeToolBarState state;
        RecordingNotifier notifier;
        CDlgToolBar bar(state, notifier);
        bar.show();
        const std::vector<int> flowchartOnly{CDlgToolBar::kCut,        CDlgToolBar::kCopy,
                                             CDlgToolBar::kPaste,      CDlgToolBar::kUndo,
                                             CDlgToolBar::kNormalView, CDlgToolBar::kWholeView,
                                             CDlgToolBar::kRun,        CDlgToolBar::kDetach};
        const std::vector<int> always{CDlgToolBar::kNew, CDlgToolBar::kOpen, CDlgToolBar::kSave,
                                      CDlgToolBar::kStopReset};
        for (int page : {2, 1, 0}) {
            bar.ShowForPage(page);
            for (int control : flowchartOnly) QCOMPARE(bar.Button(control)->isVisible(), page == 0);
            for (int control : always) QVERIFY(bar.Button(control)->isVisible());
            QCOMPARE(bar.Button(CDlgToolBar::kTransfer)->isVisible(), page != 2);
        }
    }

    void clickingAButtonPostsItsCommand() {
        FakeToolBarState state;
        RecordingNotifier notifier;
        CDlgToolBar bar(state, notifier);
        bar.show();
        std::vector<int> commands;
        connect(&bar, &CDlgToolBar::commandRequested, [&](int id) { commands.push_back(id); });
        QTest::mouseClick(bar.Button(CDlgToolBar::kSave), Qt::LeftButton);
        QTest::mouseClick(bar.Button(CDlgToolBar::kWholeView), Qt::LeftButton);
        QTest::mouseClick(bar.Button(CDlgToolBar::kRun), Qt::LeftButton);  // disabled
        QCOMPARE(commands, (std::vector<int>{32782, 32807}));
    }

    void buttonStatesFollowTheirPrecedence() {
        FakeToolBarState state;
        RecordingNotifier notifier;
        CDlgToolBar bar(state, notifier);
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        GUIButton* save = bar.Button(CDlgToolBar::kSave);
        QCOMPARE(save->CurrentState(), GUIButton::State::Normal);
        save->setFocus();
        QCOMPARE(save->CurrentState(), GUIButton::State::Focused);
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QApplication::sendEvent(save, &enter);
        QCOMPARE(save->CurrentState(), GUIButton::State::Hover);
        save->setDown(true);
        QCOMPARE(save->CurrentState(), GUIButton::State::Pressed);
        save->setEnabled(false);
        QCOMPARE(save->CurrentState(), GUIButton::State::Disabled);

    }

    void keysThatReachTheToolBarAreSwallowed() {
        FakeToolBarState state;
        RecordingNotifier notifier;
        QWidget parent;
        CDlgToolBar bar(state, notifier, &parent);
        std::vector<int> commands;
        connect(&bar, &CDlgToolBar::commandRequested, [&](int id) { commands.push_back(id); });
        parent.show();
        GUIButton* save = bar.Button(CDlgToolBar::kSave);
        save->setFocus();
        QTest::keyClick(save, Qt::Key_Space);
        QTest::keyClick(save, Qt::Key_Return);
        QVERIFY(commands.empty());
    }

    // ---- Information area ----

    void informationTextsFollowTheStatus() {
        BoardStatus status;
        InformationTexts texts = ComposeInformation(status);
        QCOMPARE(texts.connection, std::string("未接続"));
        QCOMPARE(texts.program, std::string("プログラム：??"));
        QCOMPARE(texts.readings,
                 std::string(" 光センサ：??Lx\n\n 温度センサ：??℃\n\n 音センサ：??\n\n スイッチ：??\n\n"
                             "\n\n\n\n\n\n\n ﾊｰﾄﾞｳｪｱﾊﾞｰｼﾞｮﾝ：??.??\n ﾌｧｰﾑｳｪｱﾊﾞｰｼﾞｮﾝ：??.??"));

        status.connected = true;
        texts = ComposeInformation(status);
        QCOMPARE(texts.connection, std::string("接続中"));
        QVERIFY(texts.readings.ends_with(" ﾌｧｰﾑｳｪｱﾊﾞｰｼﾞｮﾝ：??.??\n\n"));

        StatusReport report;
        report.hardwareVersion = 0x12;
        report.firmwareVersion = 0x3A;
        report.programState = 0x10;
        report.light = 0x01F4;
        report.temperature = 25;
        report.sound = 65535;
        report.switchState = 1;
        status.Store(report);
        texts = ComposeInformation(status);
        QCOMPARE(texts.program, std::string("プログラム：正常終了"));
        QCOMPARE(texts.readings,
                 std::string(" 光センサ：500Lx\n\n 温度センサ：25℃\n\n 音センサ：65535\n\n スイッチ：ON\n\n"
                             "\n\n\n\n\n\n\n ﾊｰﾄﾞｳｪｱﾊﾞｰｼﾞｮﾝ：1.2\n ﾌｧｰﾑｳｪｱﾊﾞｰｼﾞｮﾝ：3.10\n\n"));
    }

    void programAndSwitchLinesByValue() {
        const std::pair<int, const char*> programs[] = {
            {0x01, "プログラム：実行中"},   {0x03, "プログラム：実行中"},
            {0x10, "プログラム：正常終了"}, {0x40, "プログラム：リセット"},
            {0x60, "プログラム：リセット"}, {0x80, "プログラム：実行エラー"},
            {0x20, "プログラム：??"},       {0x00, "プログラム：??"},
        };
        BoardStatus status;
        status.connected = true;
        for (const auto& [value, text] : programs) {
            status.programState = {true, static_cast<std::uint16_t>(value)};
            QCOMPARE(ComposeInformation(status).program, std::string(text));
        }
        const std::pair<int, const char*> switches[] = {
            {0, " スイッチ：OFF\n\n"}, {1, " スイッチ：ON\n\n"}, {2, " スイッチ：??\n\n"}};
        for (const auto& [value, text] : switches) {
            status.switchState = {true, static_cast<std::uint16_t>(value)};
            const InformationTexts texts = ComposeInformation(status);
            QVERIFY2(texts.readings.find(text) != std::string::npos, text);
            QCOMPARE(texts.connection, std::string("接続中"));
        }
    }

    void informationAreaClearsAndPlacesItself() {
        QWidget parent;
        parent.resize(1024, 700);
        CDlgInformationArea area(&parent);
        QCOMPARE(area.geometry(), QRect(824, 24, 200, 600));
        StatusReport report;
        report.light = 10;
        BoardStatus status;
        status.connected = true;
        status.Store(report);
        area.SetStatus(status);
        QVERIFY(area.Status().light.valid);
        area.Clear();
        QCOMPARE(area.Status(), BoardStatus{});
        area.SetConnected();
        QVERIFY(area.Status().connected);
        QVERIFY(!area.Status().light.valid);
        area.Place(1280, 900);
        QCOMPARE(area.geometry(), QRect(1080, 24, 200, 900 - 80 - 24));
    }

};

QTEST_MAIN(ShellWidgetsTest)
#include "shell_widgets_test.moc"
