// Files handed to the editor opening in its windows: flowcharts in the main
// window, melodies in the melody editor, each only when its window is free.
#include "editor_file_target.h"

#include <QMessageBox>
#include <QTemporaryDir>
#include <QtTest>

#include "tool_windows_rig.h"

namespace {

constexpr char kMelody[] = "tune\r\n120\r\n0\r\n3,40,0,0,0\r\n5,40,0,0,0\r\n";

QString WriteFile(const QTemporaryDir& folder, const QString& name, const QByteArray& bytes) {
    QFile file(folder.filePath(name));
    if (!file.open(QIODevice::WriteOnly)) return {};
    file.write(bytes);
    return file.fileName();
}

// A saved flowchart with one symbol, the editor left with a new document.
QString SaveChart(EditorWithTools& e, const QTemporaryDir& folder) {
    e.store.CreateSymbol(0, 0, 96, 96);
    e.dialogs.savePath = folder.filePath("chart.xml").toStdString();
    e.window->OnCommand(CommandId::SaveAs);
    e.window->OnCommand(CommandId::New);
    return folder.filePath("chart.xml");
}

}  // namespace

class EditorFileTargetTest : public QObject {
    Q_OBJECT

private slots:
    void aFlowchartOpensInTheMainWindow() {
        QTemporaryDir folder;
        EditorWithTools e(false);
        const QString chart = SaveChart(e, folder);
        EditorFileTarget target(*e.window, *e.tools);
        QVERIFY(target.CanOpen(FileKind::Flowchart));
        target.Open(FileKind::Flowchart, chart);
        QCOMPARE(e.store.CountSymbols(), 1);
        QVERIFY(e.window->windowTitle().endsWith("chart.xml"));
        QCOMPARE(e.recent.Paths().front(), chart.toStdString());
    }

    void aMelodyOpensTheMelodyEditor() {
        QTemporaryDir folder;
        EditorWithTools e(false);
        EditorFileTarget target(*e.window, *e.tools);
        target.Open(FileKind::Melody, WriteFile(folder, "tune.mel", kMelody));
        QVERIFY(e.tools->MelodyEditorOpen());
        QVERIFY(!e.window->isEnabled());
        QCOMPARE(e.tools->MelodyEditor().Melody().CountNotes(), 2);
        QVERIFY(e.tools->MelodyEditor().windowTitle().endsWith("tune.mel"));
    }

    // The melody editor over the main window keeps flowcharts out, not
    // melodies; a dialog keeps everything out.
    void aBusyWindowTakesNoFile() {
        EditorWithTools e(false);
        EditorFileTarget target(*e.window, *e.tools);
        e.window->OnCommand(CommandId::MelodyEditor);
        QVERIFY(!target.CanOpen(FileKind::Flowchart));
        QVERIFY(target.CanOpen(FileKind::Melody));
        {
            QMessageBox box(QMessageBox::Warning, "", "", QMessageBox::Ok,
                            &e.tools->MelodyEditor());
            box.setWindowModality(Qt::ApplicationModal);
            box.show();
            QVERIFY(!target.CanOpen(FileKind::Melody));
        }
        QVERIFY(e.tools->MelodyEditor().CloseEditor());
        QVERIFY(target.CanOpen(FileKind::Flowchart));
    }

    // Handed over while the melody editor is open, a flowchart opens once it closes.
    void aFlowchartWaitsForTheMelodyEditor() {
        QTemporaryDir folder;
        EditorWithTools e(false);
        const QString chart = SaveChart(e, folder);
        EditorFileTarget target(*e.window, *e.tools);
        FileRequests requests(target, 10);
        e.window->OnCommand(CommandId::MelodyEditor);
        requests.Request(chart);
        QTest::qWait(100);
        QCOMPARE(e.store.CountSymbols(), 0);
        QVERIFY(e.tools->MelodyEditor().CloseEditor());
        QTRY_COMPARE(e.store.CountSymbols(), 1);
    }
};

QTEST_MAIN(EditorFileTargetTest)
#include "editor_file_target_test.moc"
