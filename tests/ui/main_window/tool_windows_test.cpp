// The melody editor as the main window opens it, over a simulated board.
#include "main_window/tool_windows.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <memory>

#include "canvas/drawing_resources.h"
#include "canvas/editor_context.h"
#include "chart_store.h"
#include "link_clock.h"
#include "main_window/main_window.h"
#include "main_window/tool_bar.h"
#include "nuvo_addr_generator.h"
#include "recording_notifier.h"
#include "simulated_board.h"
#include "uid_generator.h"
#include "usb_interface.h"

namespace {

class NoDialogs : public IFileDialogs {
public:
    std::optional<std::string> ChooseOpenPath(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> ChooseSavePath(const FileDialogRequest&) override { return {}; }
    bool AskYesNo(std::string_view) override { return false; }
};

class SilentMidi : public IMidiOutput {
public:
    bool Open() override { return false; }
    bool IsOpen() const override { return false; }
    void NoteOn(std::uint8_t) override {}
    void NoteOff(std::uint8_t) override {}
    void Close() override {}
};

// Made as the application makes the main window and its side tools.
struct Rig {
    explicit Rig(bool boardPlugged) {
        if (!boardPlugged) board.Unplug();
        window = std::make_unique<CQenDlg>(MainWindowServices{
            context, resources, usb, clock, alerts, dialogs, [] { return AboutTexts{}; }});
        tools = std::make_unique<CToolWindows>(*window, midi, timer, resources.SmallFont());
        window->SetToolWindows(tools.get());
        window->show();
    }
    ~Rig() { window->SetToolWindows(nullptr); }

    bool MelodyItemEnabled() {
        window->UpdateMenuStates();
        return window->Action(CommandId::MelodyEditor)->isEnabled();
    }
    QString LastLine() const { return window->MessageText()->document()->lastBlock().text(); }

    SystemLinkClock clock;
    SimulatedBoard board{clock};
    UsbInterface usb{board};
    UidGenerator uids;
    NUVOAddrGenerator slotTable;
    RecordingNotifier alerts;
    CFlowObjectManager store{uids, slotTable, alerts};
    EditorContext context{store};
    DrawingResources resources;
    NoDialogs dialogs;
    SilentMidi midi;
    RealPlaybackTimer timer;
    std::unique_ptr<CQenDlg> window;
    std::unique_ptr<CToolWindows> tools;
};

}  // namespace

class ToolWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void theMenuItemShowsTheEditorAndClosingGivesTheMainWindowBack() {
        Rig r(false);
        CDlgToolMelody& editor = r.tools->MelodyEditor();
        QVERIFY(!editor.isVisible());
        QVERIFY(r.MelodyItemEnabled());
        r.window->Action(CommandId::MelodyEditor)->trigger();
        QVERIFY(editor.isVisible());
        QVERIFY(!r.window->isEnabled());
        QVERIFY(r.tools->MelodyEditorOpen());
        QVERIFY(!r.MelodyItemEnabled());
        // Without a board the editor cannot send.
        editor.UpdateMenuStates();
        QVERIFY(!editor.Action(MelodyMenuId::Transfer)->isEnabled());

        QVERIFY(editor.CloseEditor());
        QVERIFY(!editor.isVisible());
        QVERIFY(r.window->isEnabled());
        QVERIFY(r.MelodyItemEnabled());
    }

    void theEditorSendsItsMelodyToTheBoard() {
        Rig r(true);
        QTRY_VERIFY_WITH_TIMEOUT(r.window->ToolBar()->Button(CDlgToolBar::kRun)->isEnabled(), 3000);
        CDlgToolMelody& editor = r.tools->MelodyEditor();
        r.window->OnCommand(CommandId::MelodyEditor);
        editor.UpdateMenuStates();
        QVERIFY(editor.Action(MelodyMenuId::Transfer)->isEnabled());
        QTest::mouseClick(editor.Canvas(), Qt::LeftButton, {},
                          CDlgToolMelody::kStrip.topLeft() + QPoint(0, 44));
        editor.OnCommand(MelodyMenuId::Transfer);
        QTRY_COMPARE_WITH_TIMEOUT(r.LastLine(), QStringLiteral("データ転送が完了しました。"),
                                  10000);
        QCOMPARE(r.board.StoredMelody(), editor.MelodyImageManager().Image());
        QCOMPARE(editor.MelodyImageManager().Image()[35], std::uint8_t{0xA9});  // note 69
        QVERIFY(editor.isEnabled());
        QVERIFY(r.alerts.messages.empty());
    }
};

QTEST_MAIN(ToolWindowsTest)
#include "tool_windows_test.moc"
