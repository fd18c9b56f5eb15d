// The melody editor as the main window opens it, over a simulated board.
#include "main_window/tool_windows.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "main_window/tool_bar.h"
#include "measure/measure_window.h"
#include "tool_windows_rig.h"

class ToolWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void theMenuItemShowsTheEditorAndClosingGivesTheMainWindowBack() {
        EditorWithTools r(false);
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
        EditorWithTools r(false);
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
        EditorWithTools r(true);
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

    // The measurement tool is a window of its own: a measurement can be
    // stopped while the melody editor keeps the main window disabled.
    void theMeasurementToolStaysUsableWhileTheMelodyEditorIsOpen() {
        EditorWithTools r(true);
        QTRY_VERIFY_WITH_TIMEOUT(r.window->ToolBar()->Button(CDlgToolBar::kRun)->isEnabled(), 3000);
        CDlgToolMeasurement* tool = r.window->Measurement();
        r.window->OnCommand(CommandId::Measurement);
        QVERIFY(tool->isVisible());
        tool->Start();
        r.window->OnCommand(CommandId::MelodyEditor);
        QVERIFY(!r.window->isEnabled());
        QVERIFY(tool->isEnabled());
        QTest::mouseClick(tool->StopButton(), Qt::LeftButton);
        QVERIFY(!tool->Measuring());
        QVERIFY(r.tools->MelodyEditor().CloseEditor());
    }

    void theEditorSendsItsMelodyToTheBoard() {
        EditorWithTools r(true);
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
