// The main window against a simulated board: start-up, plug and unplug, keys
// and wheel by page, the palette's drop, closing, window size and help.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <atomic>
#include <deque>
#include <memory>

#include "chart_store.h"
#include "command_ids.h"
#include "drawing_resources.h"
#include "editor_context.h"
#include "file_dialogs.h"
#include "hid_transport.h"
#include "information_area.h"
#include "link_clock.h"
#include "main_window.h"
#include "main_window_dialogs.h"
#include "main_window_help.h"
#include "notifier.h"
#include "nuvo_addr_generator.h"
#include "recording_notifier.h"
#include "report_page.h"
#include "simulated_board.h"
#include "uid_generator.h"
#include "usb_interface.h"
#include "work_area.h"

namespace {

class ScriptedDialogs : public IFileDialogs {
public:
    std::optional<std::string> ChooseOpenPath(const FileDialogRequest&) override { return openPath; }
    std::optional<std::string> ChooseSavePath(const FileDialogRequest&) override { return savePath; }
    bool AskYesNo(std::string_view question) override {
        questions.emplace_back(question);
        const bool answer = answers.empty() ? false : answers.front();
        if (!answers.empty()) answers.pop_front();
        return answer;
    }
    std::deque<bool> answers;
    std::vector<std::string> questions;
    std::optional<std::string> openPath;
    std::optional<std::string> savePath;
};

// The simulated board, with a switch that makes opening it fail.
class GateTransport : public IHidTransport {
public:
    explicit GateTransport(IHidTransport& board) : board_(board) {}
    std::optional<std::vector<UsbDeviceInfo>> Enumerate() override { return board_.Enumerate(); }
    bool Open(const std::string& path, UsbDeviceInfo& info) override {
        return !refuseOpen && board_.Open(path, info);
    }
    void Close() override { board_.Close(); }
    bool IsOpen() const override { return board_.IsOpen(); }
    int Write(const Report& report) override { return board_.Write(report); }
    ReadOutcome Read(Report& report, std::chrono::milliseconds timeout) override {
        return board_.Read(report, timeout);
    }
    bool WatchDevices(DeviceEventSink sink) override { return board_.WatchDevices(std::move(sink)); }
    void StopWatching() override { board_.StopWatching(); }
    std::atomic<bool> refuseOpen{false};

private:
    IHidTransport& board_;
};

// A whole editor over a simulated board, made as the application makes it.
struct Editor {
    explicit Editor(bool boardPlugged, bool fixedSize = false, int width = 1024, int height = 768) {
        if (!boardPlugged) board.Unplug();
        context.state.fixedSize = fixedSize;
        context.state.windowWidth = width;
        context.state.windowHeight = height;
        window = std::make_unique<CQenDlg>(
            MainWindowServices{context, resources, usb, clock, alerts, dialogs, [this] { return about; }});
        window->show();
        exposed = QTest::qWaitForWindowExposed(window.get());
    }

    QString LastLine() const { return window->MessageText()->document()->lastBlock().text(); }
    QStringList Lines() const { return window->MessageText()->toPlainText().split('\n'); }
    QString Pane(int i) const { return window->StatusPane(i)->text(); }
    CDlgWorkArea& Work() const { return *window->WorkArea(); }
    // Clicks a page tab along the top of the work area.
    void ShowPage(int page) const { QTest::mouseClick(&Work(), Qt::LeftButton, {}, QPoint(128 * page + 20, 10)); }
    bool Enabled(int id) {
        window->UpdateMenuStates();
        return window->Action(id)->isEnabled();
    }

    SystemLinkClock clock;
    SimulatedBoard board{clock};
    GateTransport gate{board};
    UsbInterface usb{gate};
    UidGenerator uids;
    NUVOAddrGenerator slotTable;
    RecordingNotifier alerts;
    CFlowObjectManager store{uids, slotTable, alerts};
    EditorContext context{store};
    DrawingResources resources;
    ScriptedDialogs dialogs;
    AboutTexts about{QStringLiteral("テルノエディタ"), QStringLiteral("1.4.0"), QStringLiteral("テルノ工房")};
    std::unique_ptr<CQenDlg> window;
    bool exposed = false;
};

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void startsWithoutABoard() {
        Editor e(false);
        QVERIFY(e.exposed);
        QCOMPARE(e.Lines(), (QStringList{"起動しました", "USBの準備に成功しました", "テルノが見つかりませんでした"}));
        QCOMPARE(e.window->MessageArea().LineLimit(), 99);
        QCOMPARE(e.Pane(0), QStringLiteral("X:100 Y:100"));
        QCOMPARE(e.Pane(1), QStringLiteral("図記号   0/250"));
        QCOMPARE(e.Pane(2), QStringLiteral("くり返し 0/8"));
        for (int i = 0; i < 3; ++i) QCOMPARE(e.window->StatusPane(i)->width(), 200);
        QCOMPARE(e.window->windowTitle(), QStringLiteral("テルノエディタ　　新規フローチャート"));
        QVERIFY(e.window->Action(CommandId::NormalView)->isChecked());
        QVERIFY(!e.window->Action(CommandId::WholeView)->isChecked());
        QVERIFY(!e.window->InformationArea()->Status().connected);
        for (int id : {MenuId::Transfer, MenuId::Run, MenuId::StopReset, MenuId::Detach})
            QVERIFY(!e.Enabled(id));
        QVERIFY(!e.window->ToolBar()->Button(CDlgToolBar::kTransfer)->isEnabled());

        // F6 needs an open board; F8 says the board is not ready.
        QTest::keyClick(&e.Work(), Qt::Key_F6);
        QCOMPARE(e.LastLine(), QStringLiteral("テルノが見つかりませんでした"));
        QTest::keyClick(&e.Work(), Qt::Key_F8);
        QCOMPARE(e.LastLine(), QStringLiteral("デバイスの準備が完了していません。"));
    }

    void menusHoldTheirItems() {
        Editor e(false);
        // Each menu's title, then its items in order ("-" a separator, "*" before a checked item).
        const QList<QStringList> expected{
            {"ファイル(&F)", "新規作成(&N)\t", "開く(&O)...", "上書き保存(&S)", "名前を付けて保存(&A)...", "-",
             "印刷(&P)...", "-", "終了(&Q)"},
            {"編集(&E)", "元にもどす(&U)", "-", "切り取り(&T)\tCtrl+X", "コピー(&C)\tCtrl+C",
             "貼り付け(&V)\tCtrl+V", "削除(&D)\tDelete", "-", "すべてを選択(&A)\tCtrl+A"},
            {"表示(&V)", "全体表示(&A)", "*通常表示(&N)"},
            {"通信(&C)", "転送\tF8", "-", "実行\tF5", "停止 / リセット\tF6", "-", "再検出(&R)", "-", "取り外す(&D)"},
            {"ツール(&T)", "メロディエディタ(&M)...", "計測ツール(&R)"},
            {"ヘルプ(&H)", "ヘルプ(&H)...", "-", "バージョン情報(&I)"},
        };
        QList<QStringList> menus;
        for (QAction* menu : e.window->menuBar()->actions()) {
            QStringList items{menu->text()};
            for (QAction* a : menu->menu()->actions())
                items << (a->isSeparator() ? QStringLiteral("-") : (a->isChecked() ? "*" : "") + a->text());
            menus << items;
        }
        QCOMPARE(menus, expected);
        // The menus' actions run the commands of their ids.
        QCOMPARE(e.window->Action(CommandId::SaveAs)->text(), QStringLiteral("名前を付けて保存(&A)..."));
        QCOMPARE(e.window->Action(MenuId::Redetect)->text(), QStringLiteral("再検出(&R)"));
        // Without side tools their items stay grey.
        QVERIFY(!e.Enabled(MenuId::MelodyEditor));
        QVERIFY(!e.Enabled(CommandId::Undo));
        QVERIFY(!e.Enabled(CommandId::Paste));
    }

    // Transfer, run and stop / reset follow the board's mode and program-state
    // bytes on the flowchart page and the page elsewhere; detach needs only a board.
    void boardCommandsFollowTheBoardBytesAndThePage() {
        Editor e(true);
        QTRY_VERIFY_WITH_TIMEOUT(e.window->ToolBar()->Button(CDlgToolBar::kRun)->isEnabled(), 3000);
        const auto report = [&](std::uint8_t mode, std::uint8_t program) {
            StatusReport status = e.board.Status();
            status.mode = mode;
            status.programState = program;
            e.board.SetStatus(status);
            QTRY_VERIFY_WITH_TIMEOUT(e.window->Link().LastModeByte() == mode &&
                                         e.window->Link().LastProgramState() == program,
                                     3000);
            // A new mode byte resets the board with the window disabled for a moment;
            // the worker has queued both calls by now.
            QCoreApplication::processEvents();
            QVERIFY(e.window->isEnabled());
        };
        const auto commands = [&] {
            return QList<bool>{e.Enabled(MenuId::Transfer), e.Enabled(MenuId::Run),
                               e.Enabled(MenuId::StopReset), e.Enabled(MenuId::Detach)};
        };
        using Flags = QList<bool>;
        QCOMPARE(commands(), (Flags{true, true, true, true}));  // PROG, reset (0x60)
        report(0xA0, 0x10);  // ended normally: left as they were
        QCOMPARE(commands(), (Flags{true, true, true, true}));
        report(0xA0, 0x80);  // execution error: only stop / reset
        QCOMPARE(commands(), (Flags{false, false, true, true}));
        report(0xA0, 0x10);
        QCOMPARE(commands(), (Flags{false, false, true, true}));
        report(0xA0, 0x01);  // running
        QCOMPARE(commands(), (Flags{false, false, true, true}));
        // F6 with a board open stops the running program.
        QTest::keyClick(&e.Work(), Qt::Key_F6);
        QTRY_COMPARE_WITH_TIMEOUT(e.LastLine(), QStringLiteral("プログラムをリセットしました。"), 3000);
        QTRY_VERIFY_WITH_TIMEOUT(e.window->Link().LastProgramState() == 0x60, 3000);

        e.ShowPage(1);  // clock: transfer only
        QCOMPARE(commands(), (Flags{true, false, false, true}));
        e.ShowPage(2);  // report: none
        QCOMPARE(commands(), (Flags{false, false, false, true}));
        e.ShowPage(0);
        report(0x81, 0x60);  // select switch away from PROG: transfer only
        QCOMPARE(commands(), (Flags{true, false, false, true}));
        // Away from PROG run is refused with the PROG message.
        QTest::keyClick(&e.Work(), Qt::Key_F5);
        QCOMPARE(e.LastLine(), QStringLiteral("セレクトスイッチをPROGに変更して下さい。"));
    }

    void aboutBoxShowsTheVersionTexts() {
        Editor e(false);
        QString title;
        QStringList texts;
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();
            QVERIFY(box);
            title = box->windowTitle();
            for (const char* name : {"productName", "fileVersion", "companyName"})
                texts << box->findChild<QLabel*>(name)->text();
            box->close();
        });
        e.window->Action(MenuId::About)->trigger();
        QCOMPARE(title, QStringLiteral("テルノエディタ バージョン情報"));
        QCOMPARE(texts, (QStringList{"テルノエディタ", "build 1.4.0", "テルノ工房"}));
    }

    void viewCommandsMoveTheCheckAndTheButtons() {
        Editor e(false);
        e.window->OnCommand(CommandId::WholeView);
        QVERIFY(e.window->Action(CommandId::WholeView)->isChecked());
        QVERIFY(!e.window->Action(CommandId::NormalView)->isChecked());
        QVERIFY(e.window->ToolBar()->Button(CDlgToolBar::kNormalView)->isEnabled());
        QVERIFY(!e.window->ToolBar()->Button(CDlgToolBar::kWholeView)->isEnabled());
        QTest::mouseClick(e.window->ToolBar()->Button(CDlgToolBar::kNormalView), Qt::LeftButton);
        QVERIFY(e.window->Action(CommandId::NormalView)->isChecked());
        QVERIFY(!e.context.state.wholeView);
    }

    void startsWithABoardAndShowsItsStatus() {
        Editor e(true);
        QCOMPARE(e.Lines().mid(0, 3), (QStringList{"起動しました", "USBの準備に成功しました", "テルノとの通信を開始しました"}));
        StatusReport status = e.board.Status();
        status.light = 500;
        status.switchState = 2;
        e.board.SetStatus(status);
        QTRY_VERIFY_WITH_TIMEOUT(e.window->InformationArea()->Status().light.valid, 3000);
        const InformationTexts texts = ComposeInformation(e.window->InformationArea()->Status());
        QCOMPARE(texts.connection, std::string("接続中"));
        QVERIFY(texts.readings.find(" 光センサ：500Lx") != std::string::npos);
        QVERIFY(texts.readings.find(" スイッチ：??") != std::string::npos);
        QCOMPARE(e.context.state.light.load(), std::uint16_t{500});
        // PROG and reset: transfer, run and stop are all offered.
        QTRY_VERIFY_WITH_TIMEOUT(e.window->ToolBar()->Button(CDlgToolBar::kRun)->isEnabled(), 3000);
        QVERIFY(e.window->ToolBar()->Button(CDlgToolBar::kTransfer)->isEnabled());
        QVERIFY(e.window->ToolBar()->Button(CDlgToolBar::kDetach)->isEnabled());
        QVERIFY(e.Enabled(MenuId::Run));
        QVERIFY(e.Enabled(MenuId::Detach));
    }

    void transferReportsItsProgress() {
        Editor e(true);
        // The first status report (PROG, reset) offers run once the handshake is done.
        QTRY_VERIFY_WITH_TIMEOUT(e.window->ToolBar()->Button(CDlgToolBar::kRun)->isEnabled(), 3000);
        QTest::keyClick(&e.Work(), Qt::Key_F8);
        QTRY_VERIFY2_WITH_TIMEOUT(e.LastLine() == QStringLiteral("データ転送が完了しました。"),
                                  qPrintable(e.Lines().join('|')), 10000);
        QVERIFY(e.Lines().contains(
            QStringLiteral("フローチャートデータを転送中です。終了するまでハードを取り外さないで下さい。")));
        QVERIFY(e.window->isEnabled());
    }

    void transferCanDetachAfterwards() {
        Editor e(true);
        QTRY_VERIFY_WITH_TIMEOUT(e.window->ToolBar()->Button(CDlgToolBar::kRun)->isEnabled(), 3000);
        e.window->ToolBar()->AfterTransferList()->setCurrentIndex(1);  // 転送後取り外す
        QTest::mouseClick(e.window->ToolBar()->Button(CDlgToolBar::kTransfer), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(e.LastLine(), QStringLiteral("テルノとの通信を終了しました。"), 10000);
        QVERIFY(e.Lines().contains(QStringLiteral("データ転送が完了しました。")));
        QVERIFY(!e.usb.IsOpen());
        QVERIFY(!e.window->InformationArea()->Status().connected);
    }

    void unplugDetachesAndPlugRedetects() {
        Editor e(true);
        QTRY_VERIFY_WITH_TIMEOUT(e.window->InformationArea()->Status().programState.valid, 3000);
        e.board.Unplug();
        QTRY_COMPARE_WITH_TIMEOUT(e.LastLine(), QStringLiteral("テルノとの通信を終了しました。"), 3000);
        QCOMPARE(ComposeInformation(e.window->InformationArea()->Status()).connection, std::string("未接続"));
        QVERIFY(!e.Enabled(MenuId::Transfer));
        QVERIFY(!e.window->ToolBar()->Button(CDlgToolBar::kDetach)->isEnabled());
        // A status report queued before the stop does not bring the board back.
        QTest::qWait(300);
        QVERIFY(!e.window->InformationArea()->Status().connected);

        e.board.Plug();
        QTest::qWait(500);
        QCOMPARE(e.LastLine(), QStringLiteral("テルノとの通信を終了しました。"));  // a second passes first
        QTRY_COMPARE_WITH_TIMEOUT(e.LastLine(), QStringLiteral("テルノとの通信を開始しました。"), 3000);
        QTRY_VERIFY_WITH_TIMEOUT(e.window->InformationArea()->Status().programState.valid, 3000);
    }

    void detachCommandEndsTheConnection() {
        Editor e(true);
        e.window->OnCommand(MenuId::Detach);
        QCOMPARE(e.LastLine(), QStringLiteral("テルノとの通信を終了しました。"));
        QVERIFY(!e.usb.IsOpen());
        QVERIFY(!e.window->Link().HasWorker());
        e.window->OnCommand(MenuId::Redetect);
        QCOMPARE(e.LastLine(), QStringLiteral("テルノとの通信を開始しました。"));
    }

    // A board that is found but cannot be opened leaves no worker and no board
    // in the panel, and says nothing.
    void redetectThatCannotOpenClearsThePanel() {
        Editor e(true);
        QTRY_VERIFY_WITH_TIMEOUT(e.window->InformationArea()->Status().programState.valid, 3000);
        e.gate.refuseOpen = true;
        const QString before = e.LastLine();
        e.window->OnCommand(MenuId::Redetect);
        QCOMPARE(e.LastLine(), before);
        QVERIFY(!e.window->Link().HasWorker());
        QVERIFY(!e.usb.IsOpen());
        QCOMPARE(ComposeInformation(e.window->InformationArea()->Status()).connection, std::string("未接続"));
        QVERIFY(!e.window->ToolBar()->Button(CDlgToolBar::kDetach)->isEnabled());
        QVERIFY(!e.Enabled(MenuId::Transfer));
    }

    void keysFollowThePage() {
        Editor e(false);
        e.store.CreateSymbol(0, 2, 96, 96);
        e.store.CreateSymbol(0, 7, 96, 240);
        QTest::keyClick(&e.Work(), Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(e.store.Selection().size(), std::size_t{2});

        e.ShowPage(2);  // report
        QCOMPARE(e.context.state.currentPage, 2);
        e.store.SetSelection({});
        QLineEdit* school = e.Work().ReportPage()->SchoolEdit();
        school->setFocus();
        QTest::keyClicks(school, "abc");
        QTest::keyClick(school, Qt::Key_A, Qt::ControlModifier);  // the field's own select-all
        QTest::keyClick(school, Qt::Key_Delete);
        QCOMPARE(school->text(), QString());
        QVERIFY(e.store.Selection().empty());
        QCOMPARE(e.store.CountSymbols(), 2);
        const QString before = e.LastLine();
        QTest::keyClick(school, Qt::Key_F8);
        QCOMPARE(e.LastLine(), before);  // no transfer from the report page

        e.ShowPage(1);  // clock: F8 is the transfer of the clock
        QTest::keyClick(&e.Work(), Qt::Key_F8);
        QCOMPARE(e.LastLine(), QStringLiteral("デバイスの準備が完了していません。"));

        e.ShowPage(0);
        QTest::keyClick(&e.Work(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(&e.Work(), Qt::Key_Delete);
        QCOMPARE(e.store.CountSymbols(), 0);
        QCOMPARE(e.Pane(1), QStringLiteral("図記号   0/250"));
    }

    void copyKeyUpdatesThePasteButton() {
        Editor e(false);
        e.store.CreateSymbol(0, 2, 96, 96);
        QVERIFY(!e.window->ToolBar()->Button(CDlgToolBar::kPaste)->isEnabled());
        QTest::keyClick(&e.Work(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(&e.Work(), Qt::Key_C, Qt::ControlModifier);
        QVERIFY(e.window->ToolBar()->Button(CDlgToolBar::kPaste)->isEnabled());
        QVERIFY(e.Enabled(CommandId::Paste));
    }

    void pageSwitchShowsThePanelsOfThePage() {
        Editor e(false);
        CDlgToolBar* bar = e.window->ToolBar();
        e.ShowPage(2);
        QVERIFY(!bar->Button(CDlgToolBar::kTransfer)->isVisible());
        QVERIFY(!e.window->Palette()->isVisible());
        QVERIFY(!e.Enabled(MenuId::Transfer));
        QVERIFY(!e.window->menuBar()->actions()[1]->isEnabled());  // edit menu
        e.ShowPage(1);
        QVERIFY(bar->Button(CDlgToolBar::kTransfer)->isVisible());
        QVERIFY(!bar->Button(CDlgToolBar::kCut)->isVisible());
        e.ShowPage(0);
        QVERIFY(e.window->Palette()->isVisible());
        QVERIFY(bar->Button(CDlgToolBar::kCut)->isVisible());
        QVERIFY(e.window->menuBar()->actions()[1]->isEnabled());
    }

    void wheelScrollsOnlyTheWorkArea() {
        Editor e(false);
        QScrollBar* bar = e.Work().VerticalBar();
        const auto turn = [](QWidget* target, Qt::KeyboardModifiers mods) {
            const QPointF at(target->width() / 2.0, target->height() / 2.0);
            QWheelEvent wheel(at, target->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                              mods, Qt::NoScrollPhase, false);
            QApplication::sendEvent(target, &wheel);
        };
        turn(e.window->Palette(), Qt::NoModifier);
        turn(e.window->MessageText()->viewport(), Qt::NoModifier);
        QCOMPARE(bar->value(), 0);
        QCOMPARE(e.window->Palette()->ScrollPosition(), 0);
        turn(&e.Work(), Qt::ControlModifier);
        QCOMPARE(bar->value(), 0);
        turn(&e.Work(), Qt::NoModifier);
        QCOMPARE(bar->value(), 1);
    }

    void cursorCellIsClampedToTheSheet() {
        Editor e(false);
        e.window->UpdateCursorCell(-5, 3000);
        QCOMPARE(e.Pane(0), QStringLiteral("X:  0 Y:112"));
        e.window->UpdateCursorCell(100, 50);
        QCOMPARE(e.Pane(0), QStringLiteral("X:  4 Y:  2"));
        e.window->UpdateCursorCell(5000, -30);
        QCOMPARE(e.Pane(0), QStringLiteral("X: 80 Y:  0"));
    }

    void paletteDropPlacesASymbol() {
        Editor e(false);
        CDlgFlowIconArea* palette = e.window->Palette();
        QTest::mousePress(palette, Qt::LeftButton, {}, QPoint(40, 36 * 2 + 10));  // カラーLED
        QVERIFY(palette->Dragging());
        const QPoint target = palette->mapFromGlobal(e.Work().mapToGlobal(QPoint(200, 24 + 100)));
        QTest::mouseRelease(palette, Qt::LeftButton, {}, target);
        QCOMPARE(e.store.CountSymbols(), 1);
        QCOMPARE(e.Pane(1), QStringLiteral("図記号   1/250"));
        QCOMPARE(e.window->windowTitle(), QStringLiteral("テルノエディタ　　新規フローチャート*"));
        QVERIFY(e.window->ToolBar()->Button(CDlgToolBar::kUndo)->isEnabled());

        // Undo from the tool bar takes it back and greys the button again.
        QTest::mouseClick(e.window->ToolBar()->Button(CDlgToolBar::kUndo), Qt::LeftButton);
        QCOMPARE(e.store.CountSymbols(), 0);
        QVERIFY(!e.window->ToolBar()->Button(CDlgToolBar::kUndo)->isEnabled());
        QVERIFY(e.LastLine().startsWith(QStringLiteral("操作を一つもどしました。")));
    }

    void chartAreaSpansPaletteAndWorkArea() {
        Editor e(false);
        e.window->move(e.window->pos() + QPoint(30, 20));  // followed without a layout
        const QRect area = e.window->ChartAreaRect();
        QCOMPARE(area.topLeft(), e.window->Palette()->mapToGlobal(QPoint(2, 2)));
        QCOMPARE(area.bottomRight(),
                 e.Work().mapToGlobal(QPoint(e.Work().width() - 2, e.Work().height() - 2)));
    }

    void closingWithUnsavedChangesAsks() {
        Editor e(true);
        e.context.state.modified = true;
        e.dialogs.answers = {false};
        QVERIFY(!e.window->CloseMainWindow());
        QCOMPARE(e.dialogs.questions.back(), std::string("未保存のデータがあります。終了しますか。"));
        QVERIFY(e.window->isVisible());
        QVERIFY(e.window->Link().HasWorker());

        e.dialogs.answers = {true};
        QVERIFY(e.window->close() == true);
        QVERIFY(!e.window->isVisible());
        QVERIFY(!e.window->Link().HasWorker());
    }

    // The measurement tool: made hidden, opened by its menu item, started only
    // with a board, and asked before the editor exits.
    void measurementToolFollowsTheBoardAndIsAskedBeforeExit() {
        Editor e(true);
        CDlgToolMeasurement* tool = e.window->Measurement();
        QVERIFY(tool != nullptr && !tool->isVisible());
        QVERIFY(e.Enabled(MenuId::Measurement));
        e.window->Action(MenuId::Measurement)->trigger();
        QVERIFY(tool->isVisible());
        QVERIFY(tool->StartButton()->isEnabled());
        tool->Start();
        QCOMPARE(tool->Samples().Count(), std::size_t{1});

        // Its own question, captioned as the tool; no keeps the editor open.
        const auto answer = [](QMessageBox::StandardButton button, QString* seen) {
            QTimer::singleShot(0, [button, seen] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                if (box == nullptr) return;
                *seen = box->windowTitle() + '|' + box->text();
                box->button(button)->click();
            });
        };
        QString seen;
        answer(QMessageBox::No, &seen);
        QVERIFY(!e.window->CloseMainWindow());
        QCOMPARE(seen, QStringLiteral("テルノエディタ 計測ツール　　|未保存のデータがあります。終了しますか。"));
        QVERIFY(e.dialogs.questions.empty());

        // Losing the board stops the measurement and keeps the samples.
        e.window->OnCommand(MenuId::Detach);
        QVERIFY(!tool->Measuring());
        QVERIFY(!tool->StartButton()->isEnabled());
        QCOMPARE(tool->Samples().Count(), std::size_t{1});

        seen.clear();
        answer(QMessageBox::Yes, &seen);
        QVERIFY(e.window->CloseMainWindow());
        QVERIFY(!seen.isEmpty());
        QCOMPARE(tool->Samples().Count(), std::size_t{0});
    }

    void newDocumentAsksBeforeDiscarding() {
        Editor e(false);
        e.store.CreateSymbol(0, 2, 96, 96);
        e.context.state.modified = true;
        e.Work().ReportPage()->SchoolEdit()->setText("school");
        e.dialogs.answers = {false};
        e.window->OnCommand(CommandId::New);
        QCOMPARE(e.store.CountSymbols(), 1);
        e.dialogs.answers = {true};
        e.window->OnCommand(CommandId::New);
        QCOMPARE(e.store.CountSymbols(), 0);
        QCOMPARE(e.LastLine(), QStringLiteral("ファイルを新規作成しました。"));
        QCOMPARE(e.Work().ReportPage()->SchoolEdit()->text(), QString());
        QCOMPARE(e.window->windowTitle(), QStringLiteral("テルノエディタ　　新規フローチャート"));
    }

    void saveNewAndOpenRestoreTheDocument() {
        QTemporaryDir folder;
        const std::string path = folder.filePath("chart.xml").toStdString();
        Editor e(false);
        e.store.CreateSymbol(0, 0, 96, 96);
        e.context.state.modified = true;
        e.Work().ReportPage()->NameEdit()->setText(QStringLiteral("テルノ"));
        e.dialogs.savePath = path;
        QTest::mouseClick(e.window->ToolBar()->Button(CDlgToolBar::kSave), Qt::LeftButton);
        QVERIFY(QFileInfo::exists(folder.filePath("chart.xml")));
        QVERIFY(!e.context.state.modified);
        QVERIFY(e.window->windowTitle().endsWith(QStringLiteral("chart.xml")));

        QTest::mouseClick(e.window->ToolBar()->Button(CDlgToolBar::kNew), Qt::LeftButton);
        QCOMPARE(e.store.CountSymbols(), 0);
        QCOMPARE(e.Work().ReportPage()->NameEdit()->text(), QString());

        e.dialogs.openPath = path;
        QTest::mouseClick(e.window->ToolBar()->Button(CDlgToolBar::kOpen), Qt::LeftButton);
        QCOMPARE(e.store.CountSymbols(), 1);
        QCOMPARE(e.Work().ReportPage()->NameEdit()->text(), QStringLiteral("テルノ"));
        QCOMPARE(e.Pane(1), QStringLiteral("図記号   1/250"));
        QVERIFY(e.dialogs.questions.empty());  // nothing unsaved was at stake
    }

    void windowSizeFollowsTheSettings() {
        {
            Editor e(false);
            QCOMPARE(e.window->minimumSize(), QSize(1024, 768));
            QVERIFY(e.window->maximumSize() != e.window->minimumSize());
        }
        Editor fixed(false, true, 1280, 900);
        QCOMPARE(fixed.window->size(), QSize(1280, 900));
        QCOMPARE(fixed.window->minimumSize(), fixed.window->maximumSize());
        QVERIFY(!(fixed.window->windowFlags() & Qt::WindowMaximizeButtonHint));
        // The side panels follow the client area.
        const QWidget* client = fixed.window->centralWidget();
        QCOMPARE(fixed.window->InformationArea()->geometry().right(), client->width() - 1);
        QCOMPARE(fixed.window->MessageText()->geometry(),
                 QRect(0, client->height() - 80, client->width(), 80));
    }

    void fileDialogFiltersAndExtensions() {
        QCOMPARE(QtNameFilter("フローチャート ファイル (*.xml)|*.xml||"), QStringLiteral("フローチャート ファイル (*.xml)"));
        QCOMPARE(QtNameFilter("Melody|*.mel|All|*.mel;*.txt||"), QStringLiteral("Melody (*.mel);;All (*.mel *.txt)"));
        QCOMPARE(WithDefaultExtension("/tmp/chart", "xml"), std::string("/tmp/chart.xml"));
        QCOMPARE(WithDefaultExtension("/tmp/chart.XML", "xml"), std::string("/tmp/chart.XML"));
        QCOMPARE(WithDefaultExtension("/tmp/chart", ""), std::string("/tmp/chart"));
    }

    void helpPagesAreFoundBesideTheProgram() {
        QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkpath("HELP/02"));
        QFile page(folder.filePath("HELP/index.html"));
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.close();
        const QString previous = QDir::currentPath();
        QDir::setCurrent(folder.path());

        QUrl opened;
        HelpLauncher launcher{[&](const QUrl& url) { opened = url; return true; }, [] { return true; }};
        QCOMPARE(OpenHelpPage("index.html", launcher), HelpOutcome::Opened);
        QCOMPARE(opened, QUrl::fromLocalFile(QFileInfo(page).canonicalFilePath()));
        QCOMPARE(OpenHelpPage("02/03.html", launcher), HelpOutcome::NotFound);
        launcher.open = [](const QUrl&) { return false; };
        QCOMPARE(OpenHelpPage("index.html", launcher), HelpOutcome::Failed);
        launcher.hasViewer = [] { return false; };
        QCOMPARE(OpenHelpPage("index.html", launcher), HelpOutcome::NoApplication);
        QDir::setCurrent(previous);

        QCOMPARE(HelpFailureText(HelpOutcome::NotFound), QStringLiteral("ヘルプファイルが見つかりません"));
        QCOMPARE(HelpFailureText(HelpOutcome::NoApplication),
                 QStringLiteral("HTMLドキュメントに対応したアプリケーションがありません"));
        QCOMPARE(HelpFailureText(HelpOutcome::Failed), QStringLiteral("ヘルプファイルが開けませんでした"));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
