// The report page's fields, limits and date, and the clock page's text,
// refresh and key handling.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>
#include <algorithm>

#include "dialogs/clock_page.h"
#include "dialogs/report_page.h"
#include "load_all.h"
#include "quiet_store.h"
#include "save_all.h"

namespace {

QDate FixedDay() { return QDate(2024, 3, 5); }

ReportData SampleReport() {
    return {"テルノ小学校", "5", "2", "17", "山田 花子", "信号機", "一行目\n二行目"};
}

// A clock that the test sets.
struct ManualClock {
    QDateTime now{QDate(2024, 3, 5), QTime(9, 5, 0)};
    CDlgSetting::TimeSource Source() {
        return [this] { return now; };
    }
};

// A chart store of its own, for writing and reading documents.
using Document = QuietStore;

// Types text key by key; keyClicks handles Latin-1 only.
void TypeText(QWidget* widget, const QString& text) {
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

}  // namespace

class PagesTest : public QObject {
    Q_OBJECT

private slots:
    void reportLabelsNameTheFieldsInOrder();
    void reportRoundTripsAllSevenTexts();
    void reportCommentLinesAreSeparatedByNewlines();
    void reportClearEmptiesEveryField();
    void reportSurvivesSaveAndOpen();
    void typingStopsAtThirtyTwoCharacters();
    void otherFieldsKeepTheLongDefaultLimit();
    void longTextsFromAFileAreKeptWhole();
    void todayIsShownAndReturned_data();
    void todayIsShownAndReturned();

    void clockPageShowsItsTextsInTheSixteenPixelFont();
    void clockShowsHoursAndMinutes();
    void clockSetsTheTextOnlyWhenTheMinuteChanges();
    void clockTimerRunsOnlyBetweenStartAndStop();
    void clockPageConsumesKeysAndSendsOnF8();
    void clockPageLeavesAltKeysToTheMenus();
};

void PagesTest::reportLabelsNameTheFieldsInOrder() {
    // Read top to bottom, left to right, as the page shows them.
    CDlgReport page(nullptr, FixedDay);
    page.resize(800, 600);
    page.show();
    QList<QLabel*> shown = page.findChildren<QLabel*>();
    shown.removeOne(page.DateLabel());
    std::sort(shown.begin(), shown.end(), [](const QLabel* a, const QLabel* b) {
        return std::pair(a->y(), a->x()) < std::pair(b->y(), b->x());
    });
    QStringList labels;
    for (const QLabel* label : shown) labels << label->text();
    QCOMPARE(labels, (QStringList{QStringLiteral("学校名(32文字以内)"), QStringLiteral("学年"),
                                  QStringLiteral("組"), QStringLiteral("番号"),
                                  QStringLiteral("名前(32文字以内)"),
                                  QStringLiteral("フローチャートのタイトル(32文字以内)"),
                                  QStringLiteral("コメント")}));
    QCOMPARE(page.palette().color(QPalette::Window), QColor(Qt::white));
}

void PagesTest::reportRoundTripsAllSevenTexts() {
    CDlgReport page(nullptr, FixedDay);
    page.SetReport(SampleReport());
    QCOMPARE(page.SchoolEdit()->text(), QStringLiteral("テルノ小学校"));
    QCOMPARE(page.ClassEdit()->text(), QStringLiteral("2"));
    QVERIFY(page.GetReport() == SampleReport());
}

void PagesTest::reportCommentLinesAreSeparatedByNewlines() {
    CDlgReport page(nullptr, FixedDay);
    for (const char* comment : {"一行目\n二行目", "一行目\r\n二行目", "一行目\r二行目"}) {
        ReportData report;
        report.comment = comment;
        page.SetReport(report);
        QCOMPARE(page.CommentEdit()->document()->blockCount(), 2);
        QCOMPARE(page.GetReport().comment, std::string("一行目\n二行目"));
    }

    page.CommentEdit()->clear();
    page.CommentEdit()->setFocus();
    QTest::keyClicks(page.CommentEdit(), QStringLiteral("a"));
    QTest::keyClick(page.CommentEdit(), Qt::Key_Return);
    QTest::keyClicks(page.CommentEdit(), QStringLiteral("b"));
    QCOMPARE(page.GetReport().comment, std::string("a\nb"));
}

void PagesTest::reportClearEmptiesEveryField() {
    CDlgReport page(nullptr, FixedDay);
    page.SetReport(SampleReport());
    page.ClearReport();
    QVERIFY(page.GetReport() == ReportData{});
}

void PagesTest::reportSurvivesSaveAndOpen() {
    CDlgReport typed(nullptr, FixedDay);
    typed.SetReport(SampleReport());
    typed.CommentEdit()->moveCursor(QTextCursor::End);
    QTest::keyClick(typed.CommentEdit(), Qt::Key_Return);
    TypeText(typed.CommentEdit(), QStringLiteral("三行目 <&>"));

    Document saved;
    const auto text = WriteDocument(saved.store, typed.GetReport());
    QVERIFY(text);
    Document opened;
    ReportData loaded;
    QVERIFY(LoadDocument(opened.store, *text, loaded, opened.messages));
    CDlgReport shown(nullptr, FixedDay);
    shown.SetReport(loaded);
    QVERIFY(shown.GetReport() == typed.GetReport());
    QCOMPARE(shown.CommentEdit()->document()->blockCount(), 3);
}

void PagesTest::typingStopsAtThirtyTwoCharacters() {
    CDlgReport page(nullptr, FixedDay);
    const QString full(32, QChar(u'あ'));
    for (QLineEdit* edit : {page.SchoolEdit(), page.NameEdit(), page.TitleEdit()}) {
        TypeText(edit, full);
        TypeText(edit, QStringLiteral("い"));
        QCOMPARE(edit->text(), full);
    }
}

void PagesTest::otherFieldsKeepTheLongDefaultLimit() {
    CDlgReport page(nullptr, FixedDay);
    const QString forty(40, QLatin1Char('7'));
    for (QLineEdit* edit : {page.GradeEdit(), page.ClassEdit(), page.NumberEdit()}) {
        QTest::keyClicks(edit, forty);
        QCOMPARE(edit->text(), forty);
    }
}

void PagesTest::longTextsFromAFileAreKeptWhole() {
    CDlgReport page(nullptr, FixedDay);
    ReportData report;
    for (int i = 0; i < 40; ++i) report.school += "校";
    page.SetReport(report);
    QCOMPARE(page.GetReport().school, report.school);

    // Typing cannot make it longer; deleting can, and then the limit is 32 again.
    QLineEdit* school = page.SchoolEdit();
    school->end(false);
    QTest::keyClicks(school, QStringLiteral("x"));
    QCOMPARE(school->text().length(), 40);
    for (int i = 0; i < 10; ++i) QTest::keyClick(school, Qt::Key_Backspace);
    QTest::keyClicks(school, QStringLiteral("xyz"));
    QCOMPARE(school->text().length(), 32);
}

void PagesTest::todayIsShownAndReturned_data() {
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("text");
    QTest::newRow("padded month and day") << QDate(2024, 3, 5) << QStringLiteral("2024年03月05日");
    QTest::newRow("two-digit month and day")
        << QDate(2025, 12, 31) << QStringLiteral("2025年12月31日");
}

void PagesTest::todayIsShownAndReturned() {
    QFETCH(QDate, date);
    CDlgReport page(nullptr, [date] { return date; });
    QTEST(page.DateLabel()->text(), "text");
    QTEST(page.ShowToday(), "text");
}

void PagesTest::clockPageShowsItsTextsInTheSixteenPixelFont() {
    ManualClock clock;
    CDlgSetting page(nullptr, clock.Source());
    const auto* hint = page.findChild<QLabel*>(QStringLiteral("static1062"));
    const auto* caption = page.findChild<QLabel*>(QStringLiteral("static1064"));
    QVERIFY(hint && caption);
    QCOMPARE(hint->text(), QStringLiteral("テルノの時計とパソコンの時計を同期させます。\n"
                                          "パソコンの時計と同期させる場合は転送して下さい。"));
    QCOMPARE(caption->text(), QStringLiteral("現在の時刻"));
    for (const QLabel* label : {hint, caption, static_cast<const QLabel*>(page.ClockLabel())}) {
        QCOMPARE(label->font().pixelSize(), 16);
        QCOMPARE(label->font().families().value(0), QStringLiteral("ＭＳ ゴシック"));
    }
    QCOMPARE(hint->pos(), QPoint(172, 80));
    QCOMPARE(caption->pos(), QPoint(305, 140));
    QCOMPARE(page.ClockLabel()->pos(), QPoint(301, 180));
    QCOMPARE(page.palette().color(QPalette::Window), QColor(Qt::white));
}

void PagesTest::clockShowsHoursAndMinutes() {
    ManualClock clock;
    CDlgSetting page(nullptr, clock.Source());
    QCOMPARE(page.ClockText(), QStringLiteral("** 時 ** 分"));
    page.RefreshClock();
    QCOMPARE(page.ClockText(), QStringLiteral("09 時 05 分"));
    clock.now.setTime(QTime(23, 59, 59));
    page.RefreshClock();
    QCOMPARE(page.ClockText(), QStringLiteral("23 時 59 分"));
}

void PagesTest::clockSetsTheTextOnlyWhenTheMinuteChanges() {
    ManualClock clock;
    CDlgSetting page(nullptr, clock.Source());
    page.RefreshClock();
    // A mark on the label shows whether the next refresh writes to it.
    page.ClockLabel()->setText(QStringLiteral("mark"));
    clock.now = clock.now.addSecs(30);
    page.RefreshClock();
    QCOMPARE(page.ClockText(), QStringLiteral("mark"));
    clock.now = clock.now.addSecs(30);
    page.RefreshClock();
    QCOMPARE(page.ClockText(), QStringLiteral("09 時 06 分"));
}

void PagesTest::clockTimerRunsOnlyBetweenStartAndStop() {
    ManualClock clock;
    CDlgSetting page(nullptr, clock.Source());
    page.StartClock();
    QVERIFY(page.ClockRunning());
    QCOMPARE(page.ClockText(), QStringLiteral("09 時 05 分"));
    clock.now.setTime(QTime(10, 0));
    QTRY_COMPARE_WITH_TIMEOUT(page.ClockText(), QStringLiteral("10 時 00 分"), 3000);
    page.StopClock();
    QVERIFY(!page.ClockRunning());
}

void PagesTest::clockPageConsumesKeysAndSendsOnF8() {
    // A window with the page and a button, and the main window's Delete,
    // Ctrl+A and F8 shortcuts.
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    ManualClock clock;
    auto* page = new CDlgSetting(&window, clock.Source());
    page->setMinimumSize(400, 300);
    auto* button = new QPushButton(QStringLiteral("other"), &window);
    layout->addWidget(page);
    layout->addWidget(button);
    int shortcuts = 0;
    for (const QKeySequence& keys :
         {QKeySequence(Qt::Key_Delete), QKeySequence(Qt::CTRL | Qt::Key_A),
          QKeySequence(Qt::Key_F8)}) {
        auto* action = new QAction(&window);
        action->setShortcut(keys);
        QObject::connect(action, &QAction::triggered, [&shortcuts] { ++shortcuts; });
        window.addAction(action);
    }
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QSignalSpy transfer(page, &CDlgSetting::TransferRequested);

    // The shortcuts work elsewhere in the window...
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Delete);
    QCOMPARE(shortcuts, 1);

    // ...but not on the clock page, where only F8 does something.
    page->setFocus();
    QTest::keyClick(page, Qt::Key_Delete);
    QTest::keyClick(page, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(transfer.count(), 0);
    QTest::keyClick(page, Qt::Key_F8);
    QCOMPARE(shortcuts, 1);
    QCOMPARE(transfer.count(), 1);
}

void PagesTest::clockPageLeavesAltKeysToTheMenus() {
    // Menu access such as Alt+F still works while the clock page has the keyboard.
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    ManualClock clock;
    auto* page = new CDlgSetting(&window, clock.Source());
    page->setMinimumSize(400, 300);
    layout->addWidget(page);
    int opened = 0;
    auto* menu = new QAction(&window);
    menu->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F));
    QObject::connect(menu, &QAction::triggered, [&opened] { ++opened; });
    window.addAction(menu);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    page->setFocus();
    QTest::keyClick(page, Qt::Key_F, Qt::AltModifier);
    QCOMPARE(opened, 1);
    QTest::keyClick(page, Qt::Key_F);
    QCOMPARE(opened, 1);
}

QTEST_MAIN(PagesTest)
#include "pages_test.moc"
