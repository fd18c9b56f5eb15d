// The main window without a board: start-up, menus, keys and wheel by page,
// the palette's drop, documents, closing and window size.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "common/command_ids.h"
#include "dialogs/report_page.h"
#include "main_window/information_area.h"
#include "main_window/main_window_layout.h"
#include "main_window_test_support.h"

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
        for (int id : {CommandId::Transfer, CommandId::Run, CommandId::StopReset, CommandId::Detach})
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
        // Each menu's shown title, then its items in order ("-" a separator, "*" before a
        // checked item); the standard shortcuts show after the tab.
        const QList<QStringList> expected{
            {"ファイル(&F)", "新規作成(&N)\tCtrl+N", "開く(&O)...\tCtrl+O", "上書き保存(&S)\tCtrl+S",
             "名前を付けて保存(&A)...\tCtrl+Shift+S", "-", "印刷(&P)...\tCtrl+P", "画像として書き出し(&G)...", "-", "終了(&Q)\tCtrl+Q"},
            {"編集(&E)", "元にもどす(&U)\tCtrl+Z", "-", "切り取り(&T)\tCtrl+X", "コピー(&C)\tCtrl+C",
             "貼り付け(&V)\tCtrl+V", "削除(&D)\tDelete", "-", "すべてを選択(&A)\tCtrl+A"},
            {"表示(&V)", "全体表示(&A)", "*通常表示(&N)"},
            {"通信(&C)", "チェック(&K)", "転送\tF8", "-", "実行\tF5", "停止 / リセット\tF6", "-", "再検出(&R)", "-", "取り外す(&D)",
             "-", "仮想テルノに接続", "仮想テルノを切断"},
            {"ツール(&T)", "メロディエディタ(&M)...", "計測ツール(&R)"},
            {"ヘルプ(&H)", "ヘルプ(&H)...\tF1", "-", "バージョン情報(&I)"},
        };
        QList<QStringList> menus;
        for (QAction* menu : e.window->menuBar()->actions()) {
            QStringList items{menu->text()};
            for (QAction* a : menu->menu()->actions()) {
                if (!a->isVisible()) continue;
                items << (a->isSeparator() ? QStringLiteral("-") : (a->isChecked() ? "*" : "") + a->text());
            }
            menus << items;
        }
        QCOMPARE(menus, expected);
        // The menus' actions run the commands of their ids.
        QCOMPARE(e.window->Action(CommandId::SaveAs)->text(),
                 QStringLiteral("名前を付けて保存(&A)...\tCtrl+Shift+S"));
        QCOMPARE(e.window->Action(CommandId::Redetect)->text(), QStringLiteral("再検出(&R)"));
        // Without side tools and the virtual board their items stay grey.
        QVERIFY(!e.Enabled(CommandId::MelodyEditor));
        QVERIFY(!e.Enabled(CommandId::ConnectVirtual));
        QVERIFY(!e.Enabled(CommandId::DisconnectVirtual));
        QVERIFY(!e.Enabled(CommandId::Undo));
        QVERIFY(!e.Enabled(CommandId::Paste));
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
        e.window->Action(CommandId::About)->trigger();
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
        QVERIFY(!e.Enabled(CommandId::Transfer));
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

    // The size and the minimum are the window's outer size, frame included,
    // so the status bar and the message area stay on a 768-pixel-high screen.
    void windowSizeFollowsTheSettings() {
        {
            Editor e(false);
            const QSize frame = e.window->frameGeometry().size() - e.window->size();
            QVERIFY(!frame.isEmpty());  // the platform draws a frame
            QCOMPARE(e.window->frameGeometry().size(), QSize(1024, 768));
            QCOMPARE(e.window->minimumSize() + frame, QSize(1024, 768));
            QVERIFY(e.window->maximumSize() != e.window->minimumSize());
            const QRect available = e.window->screen()->availableGeometry();
            QCOMPARE(e.window->frameGeometry().topLeft(),
                     CentredPosition(available, QSize(1024, 768)));
        }
        Editor fixed(false, true, 1280, 900);
        QCOMPARE(fixed.window->frameGeometry().size(), QSize(1280, 900));
        QCOMPARE(fixed.window->minimumSize(), fixed.window->maximumSize());
        QVERIFY(!(fixed.window->windowFlags() & Qt::WindowMaximizeButtonHint));
        // The side panels follow the client area.
        const QWidget* client = fixed.window->centralWidget();
        QCOMPARE(fixed.window->InformationArea()->geometry().right(), client->width() - 1);
        QCOMPARE(fixed.window->MessageText()->geometry(),
                 QRect(0, client->height() - 80, client->width(), 80));
        QCOMPARE(WorkAreaPlacement(1024, 768), QRect(98, 24, 726, 664));
    }

    void windowIsCentredOnTheAvailableArea() {
        const QRect panelOnTop(0, 32, 1920, 1048);
        QCOMPARE(CentredPosition(panelOnTop, QSize(1024, 768)), QPoint(448, 172));
        // A screen smaller than the window keeps its title bar on the screen.
        QCOMPARE(CentredPosition(QRect(0, 28, 1024, 740), QSize(1024, 768)), QPoint(0, 28));
        QCOMPARE(CentredPosition(QRect(1920, 0, 1280, 1024), QSize(1280, 900)), QPoint(1920, 62));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
