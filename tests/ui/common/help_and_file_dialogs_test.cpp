// Help pages found beside the program and their failure texts, and the file
// dialogs' name filters and default extensions.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "common/help_pages.h"
#include "common/qt_dialogs.h"

class HelpAndFileDialogsTest : public QObject {
    Q_OBJECT

private slots:
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

QTEST_MAIN(HelpAndFileDialogsTest)
#include "help_and_file_dialogs_test.moc"
