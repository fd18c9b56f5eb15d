// Help pages found beside the program and their failure texts, the file
// dialogs' name filters and default extensions, the save dialog's question
// before a file is replaced, and the message boxes' icons.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <functional>
#include <vector>

#include "common/help_pages.h"
#include "common/qt_dialogs.h"

namespace {

// Plays the user's part in the modal windows that open, one step per window, in order.
class ModalScript {
public:
    using Step = std::function<void(QWidget*)>;
    explicit ModalScript(std::vector<Step> steps) : steps_(std::move(steps)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { Tick(); });
        timer_.start(20);
    }
    std::size_t StepsTaken() const { return next_; }

private:
    void Tick() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal == last_ || next_ >= steps_.size()) return;
        last_ = modal;
        steps_[next_++](modal);
    }

    std::vector<Step> steps_;
    std::size_t next_ = 0;
    QPointer<QWidget> last_;
    QTimer timer_;
};

// Types a name into the save dialog and presses its save button.
ModalScript::Step TypeName(const QString& name) {
    return [name](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        QVERIFY(dialog != nullptr);
        dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(name);
        QMetaObject::invokeMethod(dialog, "accept");
    };
}

ModalScript::Step Answer(QMessageBox::StandardButton button, QString* text) {
    return [button, text](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QVERIFY(box != nullptr);
        *text = box->text();
        box->button(button)->click();
    };
}

ModalScript::Step CancelDialog() {
    return [](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); };
}

constexpr FileDialogRequest kSaveChart{"xml", "", "フローチャート ファイル (*.xml)|*.xml||", true};

}  // namespace

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

    // A name typed without ".xml" is saved with it: the question before
    // replacing is asked for that file, and No brings the dialog back.
    void saveAsAsksBeforeReplacingTheFileWithTheExtensionAdded() {
        QTemporaryDir folder;
        QFile existing(folder.filePath("prog.xml"));
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.close();
        const QString typed = folder.filePath("prog");
        QtFileDialogs dialogs;

        QString asked;
        {
            ModalScript user({TypeName(typed), Answer(QMessageBox::No, &asked), CancelDialog()});
            QCOMPARE(dialogs.ChooseSavePath(kSaveChart), std::optional<std::string>());
            QCOMPARE(user.StepsTaken(), std::size_t{3});
        }
        QVERIFY2(asked.contains(QStringLiteral("prog.xml")), qPrintable(asked));

        asked.clear();
        {
            ModalScript user({TypeName(typed), Answer(QMessageBox::Yes, &asked)});
            QCOMPARE(dialogs.ChooseSavePath(kSaveChart),
                     std::optional<std::string>(folder.filePath("prog.xml").toStdString()));
        }
        QVERIFY(asked.contains(QStringLiteral("prog.xml")));

        // A new name is not asked about.
        ModalScript user({TypeName(folder.filePath("fresh"))});
        QCOMPARE(dialogs.ChooseSavePath(kSaveChart),
                 std::optional<std::string>(folder.filePath("fresh.xml").toStdString()));
        QCOMPARE(user.StepsTaken(), std::size_t{1});
    }

    void messageBoxesShowTheIconOfTheirSeverity_data() {
        QTest::addColumn<MessageSeverity>("severity");
        QTest::addColumn<QMessageBox::Icon>("icon");
        QTest::newRow("refusal") << MessageSeverity::Warning << QMessageBox::Warning;
        QTest::newRow("error") << MessageSeverity::Error << QMessageBox::Critical;
        QTest::newRow("plain") << MessageSeverity::Plain << QMessageBox::NoIcon;
    }

    void messageBoxesShowTheIconOfTheirSeverity() {
        QFETCH(MessageSeverity, severity);
        MessageBoxNotifier notifier;
        QMessageBox::Icon shown = QMessageBox::Question;
        QString caption;
        ModalScript user({[&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box != nullptr);
            shown = box->icon();
            caption = box->windowTitle();
            box->button(QMessageBox::Ok)->click();
        }});
        notifier.Notify("正常に読み込めません(構文エラー)", severity);
        QTEST(shown, "icon");
        QCOMPARE(caption, QStringLiteral("テルノエディタ　　"));
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
