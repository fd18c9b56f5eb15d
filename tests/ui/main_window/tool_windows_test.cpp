// The melody editor as the main window opens it, over a simulated board.
#include "main_window/tool_windows.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "main_window/tool_bar.h"
#include "main_window_test_support.h"

namespace {

class SilentMidi : public IMidiOutput {
public:
    bool Open() override { return false; }
    bool IsOpen() const override { return false; }
    void NoteOn(std::uint8_t) override {}
    void NoteOff(std::uint8_t) override {}
    void Close() override {}
};

// The editor with its side tools, made as the application makes them.
struct Rig : Editor {
    explicit Rig(bool boardPlugged) : Editor(boardPlugged) {
        tools = std::make_unique<CToolWindows>(*window, midi, timer, resources.SmallFont());
        window->SetToolWindows(tools.get());
    }
    ~Rig() { window->SetToolWindows(nullptr); }

    bool MelodyItemEnabled() { return Enabled(CommandId::MelodyEditor); }

    SilentMidi midi;
    RealPlaybackTimer timer;
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

    // The window manager's close box reaches the disabled main window as a
    // close event from the window system: it is refused and the melody editor
    // comes to the front; once the editor is closed the main window closes.
    void closingTheDisabledMainWindowBringsTheMelodyEditorForward() {
        Rig r(false);
        CDlgToolMelody& editor = r.tools->MelodyEditor();
        r.window->OnCommand(CommandId::MelodyEditor);
        QVERIFY(!r.window->isEnabled());
        r.window->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), r.window.get());

        QCloseEvent close;
        QCoreApplication::sendEvent(r.window->windowHandle(), &close);
        QVERIFY(!close.isAccepted());
        QVERIFY(r.window->isVisible());
        QVERIFY(editor.isVisible());
        QTRY_COMPARE(QApplication::activeWindow(), &editor);

        QVERIFY(editor.CloseEditor());
        QCloseEvent again;
        QCoreApplication::sendEvent(r.window->windowHandle(), &again);
        QVERIFY(again.isAccepted());
        QVERIFY(!r.window->isVisible());
    }

    // During a transfer the worker disables the main window: a close then
    // leaves the window and the worker running until the transfer is done.
    void closingDuringATransferKeepsTheWindowAndTheWorker() {
        Rig r(true);
        QTRY_VERIFY_WITH_TIMEOUT(r.window->ToolBar()->Button(CDlgToolBar::kRun)->isEnabled(), 3000);
        r.window->OnCommand(CommandId::Transfer);
        QTRY_VERIFY_WITH_TIMEOUT(!r.window->isEnabled(), 3000);

        QCloseEvent close;
        QCoreApplication::sendEvent(r.window->windowHandle(), &close);
        QVERIFY(!close.isAccepted());
        QVERIFY(r.window->isVisible());
        QVERIFY(r.window->Link().HasWorker());
        QTRY_COMPARE_WITH_TIMEOUT(r.LastLine(), QStringLiteral("データ転送が完了しました。"), 10000);
        QVERIFY(r.window->isEnabled());
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
