// The main window against a simulated board: start-up, the board commands by
// board state and page, transfers, plug and unplug, detach and re-detect, and
// the measurement tool following the board.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <vector>

#include "board_access.h"
#include "common/command_ids.h"
#include "main_window/information_area.h"
#include "main_window_test_support.h"

namespace {
QString NotOpenedLine() {
    const std::string_view text = BoardNotOpenedText();
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
}  // namespace

class MainWindowBoardTest : public QObject {
    Q_OBJECT

private slots:
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
            return QList<bool>{e.Enabled(CommandId::Transfer), e.Enabled(CommandId::Run),
                               e.Enabled(CommandId::StopReset), e.Enabled(CommandId::Detach)};
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
        QVERIFY(e.Enabled(CommandId::Run));
        QVERIFY(e.Enabled(CommandId::Detach));
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
        QVERIFY(!e.Enabled(CommandId::Transfer));
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

    // Plug events come from the watch's own thread: the watch stops before the
    // window goes, so a device plugged in meanwhile reaches nothing.
    void theWindowStopsThePlugWatchBeforeItGoes() {
        Editor e(true);
        QVERIFY(e.gate.watching);
        e.window.reset();
        QVERIFY(!e.gate.watching);
        e.board.Unplug();
        e.board.Plug();
        QTest::qWait(50);
    }

    // A page switch sends the board two neutral reports, each followed by the
    // pause the board needs to act on it; with no board it sends nothing.
    void pageSwitchSendsNeutralReportsAndWaitsAfterEach() {
        using namespace std::chrono_literals;
        Editor e(true);
        QTRY_VERIFY_WITH_TIMEOUT(e.window->ToolBar()->Button(CDlgToolBar::kRun)->isEnabled(), 3000);
        const auto neutralReports = [&] {
            std::vector<ILinkClock::TimePoint> sent;
            for (const BoardTraffic& report : e.board.Traffic()) {
                if (report.direction == TraceDirection::ToBoard &&
                    report.payload == BuildControlReport(ControlValue::Neutral))
                    sent.push_back(report.time);
            }
            return sent;
        };
        e.board.ClearTraffic();
        e.ShowPage(1);
        const ILinkClock::TimePoint switched = e.clock.Now();
        const std::vector<ILinkClock::TimePoint> sent = neutralReports();
        QCOMPARE(sent.size(), std::size_t{2});
        QVERIFY(sent[1] - sent[0] >= 100ms);
        QVERIFY(switched - sent[1] >= 100ms);

        e.window->OnCommand(CommandId::Detach);
        e.board.ClearTraffic();
        e.ShowPage(0);
        QCOMPARE(e.context.state.currentPage, 0);
        QVERIFY(neutralReports().empty());
    }

    void detachCommandEndsTheConnection() {
        Editor e(true);
        e.window->OnCommand(CommandId::Detach);
        QCOMPARE(e.LastLine(), QStringLiteral("テルノとの通信を終了しました。"));
        QVERIFY(!e.usb.IsOpen());
        QVERIFY(!e.window->Link().HasWorker());
        e.window->OnCommand(CommandId::Redetect);
        QCOMPARE(e.LastLine(), QStringLiteral("テルノとの通信を開始しました。"));
    }

    // A board that is found but cannot be opened (on Linux: no udev rule)
    // leaves no worker and no board in the panel, and says why with the way out.
    void aBoardThatCannotBeOpenedSaysSoAtStartUp() {
        Editor e{LockedBoard{}};
        QCOMPARE(e.Lines().mid(1), (QStringList{QStringLiteral("USBの準備に成功しました"),
                                                QStringLiteral("テルノが見つかりませんでした"),
                                                NotOpenedLine()}));
        QVERIFY(e.LastLine().contains(QStringLiteral("udevルール「70-qen-board.rules」")));
        QVERIFY(!e.window->Link().HasWorker());
        QVERIFY(!e.usb.IsOpen());
    }

    void redetectThatCannotOpenClearsThePanel() {
        Editor e(true);
        QTRY_VERIFY_WITH_TIMEOUT(e.window->InformationArea()->Status().programState.valid, 3000);
        e.gate.refuseOpen = true;
        const int before = e.Lines().size();
        e.window->OnCommand(CommandId::Redetect);
        QCOMPARE(e.Lines().mid(before), (QStringList{QStringLiteral("テルノが見つかりませんでした。"),
                                                     NotOpenedLine()}));
        QVERIFY(!e.window->Link().HasWorker());
        QVERIFY(!e.usb.IsOpen());
        QCOMPARE(ComposeInformation(e.window->InformationArea()->Status()).connection, std::string("未接続"));
        QVERIFY(!e.window->ToolBar()->Button(CDlgToolBar::kDetach)->isEnabled());
        QVERIFY(!e.Enabled(CommandId::Transfer));
    }

    // The measurement tool: made hidden, opened by its menu item, started only
    // with a board, and asked before the editor exits.
    void measurementToolFollowsTheBoardAndIsAskedBeforeExit() {
        Editor e(true);
        CDlgToolMeasurement* tool = e.window->Measurement();
        QVERIFY(tool != nullptr && !tool->isVisible());
        QVERIFY(e.Enabled(CommandId::Measurement));
        e.window->Action(CommandId::Measurement)->trigger();
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
        e.window->OnCommand(CommandId::Detach);
        QVERIFY(!tool->Measuring());
        QVERIFY(!tool->StartButton()->isEnabled());
        QCOMPARE(tool->Samples().Count(), std::size_t{1});

        seen.clear();
        answer(QMessageBox::Yes, &seen);
        QVERIFY(e.window->CloseMainWindow());
        QVERIFY(!seen.isEmpty());
        QCOMPARE(tool->Samples().Count(), std::size_t{0});
    }
};

QTEST_MAIN(MainWindowBoardTest)
#include "main_window_board_test.moc"
