// The main window's standard shortcuts, pressed as keys, which run their menu
// items' commands only where those items can be chosen; and the recent files
// of the ファイル menu.
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "dialogs/report_page.h"
#include "main_window/palette.h"
#include "main_window_test_support.h"

namespace {

constexpr const char* kDiscard = "未保存のデータは破棄します。よろしいですか。";

// Closes the next modal dialog once it is up and tells what it was: the
// class name and, for a message box, its text.
class ModalWatcher {
public:
    ModalWatcher() {
        QTimer::singleShot(0, [this] { Check(); });
    }
    QString seen;

private:
    void Check() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            if (++tries_ < 100) QTimer::singleShot(20, [this] { Check(); });
            return;
        }
        seen = QString::fromLatin1(modal->metaObject()->className());
        if (auto* box = qobject_cast<QMessageBox*>(modal)) seen += ": " + box->text();
        modal->close();
    }
    int tries_ = 0;
};

// The key presses that reach a widget.
class KeyRecorder : public QObject {
public:
    QList<QKeyCombination> presses;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress)
            presses << static_cast<QKeyEvent*>(event)->keyCombination();
        return false;
    }
};

// A symbol placed by a drag from the palette, an edit the history can take back.
void DropLed(Editor& e) {
    CDlgFlowIconArea* palette = e.window->Palette();
    QTest::mousePress(palette, Qt::LeftButton, {}, QPoint(40, 36 * 2 + 10));
    const QPoint target = palette->mapFromGlobal(e.Work().mapToGlobal(QPoint(200, 124)));
    QTest::mouseRelease(palette, Qt::LeftButton, {}, target);
}

QStringList RecentItems(const Editor& e) {
    QStringList items;
    for (QAction* action : e.window->FileMenu()->actions())
        if (action->text().startsWith('&') && action->isVisible()) items << action->statusTip();
    return items;
}

}  // namespace

class FileMenuTest : public QObject {
    Q_OBJECT

private slots:
    // Save, save as, new and open from the keyboard, as from the menu.
    void fileKeysRunTheFileCommands() {
        QTemporaryDir folder;
        const std::string first = folder.filePath("first.xml").toStdString();
        const std::string second = folder.filePath("second.xml").toStdString();
        Editor e(false);
        DropLed(e);
        e.dialogs.savePath = first;
        QTest::keyClick(&e.Work(), Qt::Key_S, Qt::ControlModifier);  // new: save as
        QVERIFY(QFileInfo::exists(QString::fromStdString(first)));
        QVERIFY(!e.context.state.modified);

        e.dialogs.savePath = second;
        QTest::keyClick(&e.Work(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(QFileInfo::exists(QString::fromStdString(second)));
        QVERIFY(e.window->windowTitle().endsWith("second.xml"));

        QTest::keyClick(&e.Work(), Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(e.store.CountSymbols(), 0);
        QCOMPARE(e.LastLine(), QStringLiteral("ファイルを新規作成しました。"));

        e.dialogs.openPath = first;
        QTest::keyClick(&e.Work(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(e.store.CountSymbols(), 1);
        QVERIFY(e.window->windowTitle().endsWith("first.xml"));
        QVERIFY(e.dialogs.questions.empty());
    }

    // The keys work on every page, as the ファイル menu does; on the report
    // page they leave the text fields alone.
    void fileKeysWorkOnEveryPage() {
        Editor e(false);
        e.ShowPage(2);
        QLineEdit* school = e.Work().ReportPage()->SchoolEdit();
        school->setFocus();
        QTest::keyClicks(school, "abc");
        e.context.state.modified = true;
        e.dialogs.answers = {false};
        QTest::keyClick(school, Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(e.dialogs.questions, std::vector<std::string>{kDiscard});
        QCOMPARE(school->text(), QStringLiteral("abc"));
    }

    void quitKeyClosesAsTheExitItemDoes() {
        Editor e(false);
        e.context.state.modified = true;
        e.dialogs.answers = {false};
        QTest::keyClick(&e.Work(), Qt::Key_Q, Qt::ControlModifier);
        QCOMPARE(e.dialogs.questions.back(),
                 std::string("未保存のデータがあります。終了しますか。"));
        QVERIFY(e.window->isVisible());
        // The repeats of a held key do not run the command again.
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Q, Qt::ControlModifier, QString(), true);
        QApplication::sendEvent(&e.Work(), &repeat);
        QCOMPARE(e.dialogs.questions.size(), std::size_t{1});
        e.dialogs.answers = {true};
        QTest::keyClick(&e.Work(), Qt::Key_Q, Qt::ControlModifier);
        QVERIFY(!e.window->isVisible());
    }

    // Help and print open their dialogs (no help pages beside the test: the
    // help's failure box shows).
    void helpAndPrintKeysOpenTheirDialogs() {
        Editor e(false);
        {
            ModalWatcher watcher;
            QTest::keyClick(&e.Work(), Qt::Key_F1);
            QCOMPARE(watcher.seen, QStringLiteral("QMessageBox: ヘルプファイルが見つかりません"));
        }
        {
            ModalWatcher watcher;
            QTest::keyClick(&e.Work(), Qt::Key_P, Qt::ControlModifier);
            QCOMPARE(watcher.seen, QStringLiteral("QPrintDialog"));
        }
    }

    // Ctrl+Z undoes like the edit menu's item: only with something to undo,
    // and only on the flowchart page, where the edit menu is on; elsewhere
    // the key goes on to the focused field.
    void undoKeyFollowsTheEditMenu() {
        Editor e(false);
        const QStringList before = e.Lines();
        QTest::keyClick(&e.Work(), Qt::Key_Z, Qt::ControlModifier);  // nothing to undo
        QCOMPARE(e.Lines(), before);
        DropLed(e);
        DropLed(e);
        QCOMPARE(e.store.CountSymbols(), 2);
        QTest::keyClick(&e.Work(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(e.store.CountSymbols(), 1);
        QVERIFY(e.LastLine().startsWith(QStringLiteral("操作を一つもどしました。")));

        e.ShowPage(2);
        QLineEdit* school = e.Work().ReportPage()->SchoolEdit();
        school->setFocus();
        KeyRecorder keys;
        school->installEventFilter(&keys);
        const QStringList shown = e.Lines();
        QTest::keyClick(school, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(keys.presses.contains(Qt::CTRL | Qt::Key_Z));
        QCOMPARE(e.Lines(), shown);
        QCOMPARE(e.store.CountSymbols(), 1);
    }

    // Files opened or saved go first in the list, which the ファイル menu shows
    // between the picture export item and the exit item.
    void openedAndSavedFilesAreListedNewestFirst() {
        QTemporaryDir folder;
        const std::string a = folder.filePath("a.xml").toStdString();
        const std::string b = folder.filePath("b.xml").toStdString();
        Editor e(false);
        QCOMPARE(RecentItems(e), QStringList());
        DropLed(e);
        e.dialogs.savePath = a;
        e.window->OnCommand(CommandId::SaveAs);
        e.dialogs.savePath = b;
        e.window->OnCommand(CommandId::SaveAs);
        QCOMPARE(RecentItems(e),
                 QStringList({QString::fromStdString(b), QString::fromStdString(a)}));
        e.dialogs.openPath = a;
        e.window->OnCommand(CommandId::Open);
        QCOMPARE(RecentItems(e),
                 QStringList({QString::fromStdString(a), QString::fromStdString(b)}));
        QCOMPARE(e.recent.Paths(), (std::vector<std::string>{a, b}));

        const QList<QAction*> items = e.window->FileMenu()->actions();
        const qsizetype first = items.indexOf(e.window->Action(CommandId::ExportPicture)) + 2;
        QVERIFY(items[first]->text().startsWith("&1 "));
        QVERIFY(items[first]->text().endsWith("a.xml"));
        QVERIFY(items[first + 2]->isSeparator() && items[first + 2]->isVisible());
        QCOMPARE(items[first + 3], e.window->Action(CommandId::Exit));
    }

    // A recent file opens as the open command does: unsaved changes are asked about first.
    void aRecentItemOpensAsOpenDoes() {
        QTemporaryDir folder;
        const std::string path = folder.filePath("chart.xml").toStdString();
        Editor e(false);
        DropLed(e);
        e.dialogs.savePath = path;
        e.window->OnCommand(CommandId::SaveAs);
        e.window->OnCommand(CommandId::New);
        DropLed(e);
        DropLed(e);
        QAction* item = nullptr;
        for (QAction* action : e.window->FileMenu()->actions())
            if (action->statusTip() == QString::fromStdString(path)) item = action;
        QVERIFY(item);

        e.dialogs.answers = {false};
        item->trigger();
        QCOMPARE(e.dialogs.questions.back(), std::string(kDiscard));
        QCOMPARE(e.store.CountSymbols(), 2);
        e.dialogs.answers = {true};
        item->trigger();
        QCOMPARE(e.store.CountSymbols(), 1);
        QVERIFY(e.window->windowTitle().endsWith("chart.xml"));
        QCOMPARE(e.Pane(1), QStringLiteral("図記号   1/250"));  // the counts follow
    }

    // A file that does not load leaves an empty document and stays off the list.
    void aFileThatDoesNotLoadIsNotListed() {
        QTemporaryDir folder;
        QFile broken(folder.filePath("broken.xml"));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("<qex><chart");
        broken.close();
        Editor e(false);
        QVERIFY(!e.window->OpenDocumentPath(broken.fileName().toStdString()));
        QVERIFY(!e.alerts.messages.empty());
        QVERIFY(e.context.state.isNew);
        QCOMPARE(RecentItems(e), QStringList());
    }
};

QTEST_MAIN(FileMenuTest)
#include "file_menu_test.moc"
