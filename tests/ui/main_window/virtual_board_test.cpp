// The main window with the virtual board: connecting and disconnecting through the 通信
// menu, a transfer and run on it through the same board link, the executing symbol framed on
// the canvas, a slider that changes a decision, the note on an edited chart, and the window
// staying usable while the main window is disabled.
#include <QAction>
#include <QScreen>
#include <QSlider>
#include <QTest>

#include "common/command_ids.h"
#include "flow_object.h"
#include "main_window/information_area.h"
#include "main_window/virtual_board_tool.h"
#include "main_window_test_support.h"
#include "sim/virtual_board_window.h"

namespace {

const std::string kAppData = QEN_APP_TEST_DATA;

// The editor with the virtual board attached, as the application attaches it.
struct VirtualEditor {
    explicit VirtualEditor(bool realBoard) : e(realBoard) { e.window->SetVirtualBoard(&tool); }
    ~VirtualEditor() { e.window->SetVirtualBoard(nullptr); }

    void Connect() {
        e.window->OnCommand(CommandId::ConnectVirtual);
        QTRY_VERIFY_WITH_TIMEOUT(e.window->Link().LastModeByte() == kModeProg, 5000);
    }
    // Opens a chart file of the command-line tests, sends it and runs it.
    void SendAndRun(const std::string& chart) {
        e.dialogs.openPath = kAppData + "/" + chart + "/input.xml";
        e.window->OnCommand(CommandId::Open);
        e.window->OnCommand(CommandId::Transfer);
        QTRY_COMPARE_WITH_TIMEOUT(e.LastLine(), QStringLiteral("データ転送が完了しました。"), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(e.window->Link().State() == BoardStep::Polling, 5000);
        e.window->OnCommand(CommandId::Run);
        QTRY_VERIFY_WITH_TIMEOUT(e.window->Link().LastProgramState() == kProgramRunning, 5000);
    }
    const VirtualBoardView& View() const { return tool.Window().LastView(); }

    Editor e;
    CVirtualBoardTool tool{*e.window, e.store, e.transports, e.virtualBoard, nullptr};
};

}  // namespace

class VirtualBoardTest : public QObject {
    Q_OBJECT

private slots:
    void connectingMovesTheLinkToTheVirtualBoard() {
        VirtualEditor v(false);
        QVERIFY(v.e.Enabled(CommandId::ConnectVirtual));
        QVERIFY(!v.e.Enabled(CommandId::DisconnectVirtual));
        v.Connect();
        QVERIFY(v.e.transports.UsingSimulated());
        QVERIFY(v.tool.Window().isVisible());
        QVERIFY(v.e.Lines().contains(QStringLiteral("仮想テルノに接続しました。")));
        QVERIFY(v.e.Lines().contains(QStringLiteral("テルノとの通信を開始しました。")));
        QTRY_VERIFY_WITH_TIMEOUT(v.e.window->InformationArea()->Status().light.valid, 5000);
        QCOMPARE(v.e.window->InformationArea()->Status().light.value, std::uint16_t{500});
        QVERIFY(!v.e.Enabled(CommandId::ConnectVirtual));
        QVERIFY(v.e.Enabled(CommandId::DisconnectVirtual));
        QVERIFY(v.e.Enabled(CommandId::Transfer));
        QVERIFY(v.e.Enabled(CommandId::Run));
    }

    // A screen too narrow for both windows side by side: the virtual board's
    // window still opens with both of its edges on the screen.
    void theWindowOpensOnTheScreen() {
        VirtualEditor v(false);
        v.Connect();
        const QRect screen = v.e.window->screen()->availableGeometry();
        QVERIFY(v.e.window->frameGeometry().width() + 2 * v.tool.Window().width() > screen.width());
        const QRect board = v.tool.Window().geometry();
        QVERIFY2(board.left() >= screen.left() && board.right() <= screen.right(),
                 qPrintable(QStringLiteral("window x %1 to %2, screen %3 to %4")
                                .arg(board.left()).arg(board.right())
                                .arg(screen.left()).arg(screen.right())));
        QVERIFY(board.top() >= screen.top());
    }

    void aTransferredProgramRunsWithItsSymbolFramed() {
        VirtualEditor v(false);
        v.Connect();
        v.SendAndRun("blink");  // red, wait 0.5 s, dark, wait 0.5 s, for ever
        QTRY_COMPARE_WITH_TIMEOUT(v.View().outputs.led, std::uint16_t{0xF00}, 5000);
        // Nearly all the time goes by in one of the two waits.
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                const std::vector<int>& framed = v.e.Work().ExecutingSymbols();
                return framed.size() == 1 &&
                       v.e.store.Find(framed[0])->KindCode() == Kind::Wait;
            }(),
            5000);
        QTRY_COMPARE_WITH_TIMEOUT(v.e.window->InformationArea()->Status().programState.value,
                                  std::uint16_t{kProgramRunning}, 5000);
        QVERIFY(v.e.virtualBoard.Complaints().empty());

        v.e.window->OnCommand(CommandId::StopReset);
        QTRY_VERIFY_WITH_TIMEOUT(v.View().state == RunState::Reset, 5000);
        QTRY_VERIFY_WITH_TIMEOUT(v.e.Work().ExecutingSymbols().empty(), 5000);
    }

    void aSliderChangesTheDecision() {
        VirtualEditor v(false);
        v.Connect();
        v.SendAndRun("light_loop");  // light < 100 ? red : dark, every 0.5 s
        QTRY_VERIFY_WITH_TIMEOUT(v.View().programTime > 100, 5000);
        QCOMPARE(v.View().outputs.led, std::uint16_t{0});
        v.tool.Window().LightSlider()->setValue(30);
        QTRY_COMPARE_WITH_TIMEOUT(v.View().outputs.led, std::uint16_t{0xF00}, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(v.e.window->InformationArea()->Status().light.value,
                                  std::uint16_t{30}, 5000);
    }

    void anEditedChartGetsTheNote() {
        VirtualEditor v(false);
        v.Connect();
        v.SendAndRun("blink");
        QVERIFY(v.tool.Window().EditedNote()->isHidden());
        v.e.store.CreateSymbol(0, Kind::Wait, 480, 480);
        QTRY_VERIFY_WITH_TIMEOUT(!v.tool.Window().EditedNote()->isHidden(), 5000);
        v.e.window->OnCommand(CommandId::Transfer);  // sending again clears it
        QTRY_VERIFY_WITH_TIMEOUT(v.tool.Window().EditedNote()->isHidden(), 5000);
    }

    void theWindowStaysUsableWhileTheMainWindowIsDisabled() {
        VirtualEditor v(false);
        v.Connect();
        v.e.window->setEnabled(false);
        QVERIFY(v.tool.Window().isEnabled());
        QVERIFY(v.tool.Window().LightSlider()->isEnabled());
        v.e.window->setEnabled(true);
    }

    void disconnectingGoesBackToUsb() {
        VirtualEditor v(true);
        QTRY_VERIFY_WITH_TIMEOUT(v.e.board.IsOpen(), 5000);
        v.Connect();
        QVERIFY(!v.e.board.IsOpen());  // the USB board was left quietly
        QVERIFY(v.e.virtualBoard.IsOpen());

        v.e.window->OnCommand(CommandId::DisconnectVirtual);
        QVERIFY(!v.e.transports.UsingSimulated());
        QVERIFY(!v.tool.Window().isVisible());
        QVERIFY(!v.e.virtualBoard.IsOpen());
        const QStringList lines = v.e.Lines();
        QCOMPARE(lines.mid(lines.size() - 3),
                 (QStringList{"テルノとの通信を終了しました。", "仮想テルノを切断しました。",
                              "テルノとの通信を開始しました。"}));
        QTRY_VERIFY_WITH_TIMEOUT(v.e.board.IsOpen(), 5000);
    }

    void closingTheWindowDisconnects() {
        VirtualEditor v(false);
        v.Connect();
        v.tool.Window().close();
        QTRY_VERIFY_WITH_TIMEOUT(!v.e.transports.UsingSimulated(), 5000);
        QCOMPARE(v.e.LastLine(), QStringLiteral("テルノが見つかりませんでした。"));
        QVERIFY(v.e.Enabled(CommandId::ConnectVirtual));
    }
};

QTEST_MAIN(VirtualBoardTest)
#include "virtual_board_test.moc"
