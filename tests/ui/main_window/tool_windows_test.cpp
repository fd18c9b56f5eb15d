// The melody editor as the main window opens it, over a simulated board.
#include "main_window/tool_windows.h"

#include <QAction>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "main_window/tool_bar.h"
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
