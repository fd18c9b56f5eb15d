// The main window's commands on the charts: the chart check with its
// findings in the message area and their double click, the print command
// printing to a PDF file, and writing a chart as a picture.
#include <QAction>
#include <QDate>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>

#include "common/command_ids.h"
#include "dialogs/report_page.h"
#include "main_window_test_support.h"
#include "pdf_text.h"
#include "print/chart_picture.h"

namespace {

void Connect(CFlowObjectManager& store, int from, int to) {
    Point a, b;
    store.Find(from)->Connectors().PointOf(Connector::Next, a);
    store.Find(to)->Connectors().PointOf(Connector::In, b);
    store.BeginLine(from, Connector::Next, a.x, a.y);
    store.FinishLine(store.Find(from)->Chart(), to, b.x, b.y);
}

// Double-clicks the message-area line with the text, scrolled into view.
bool DoubleClickLine(Editor& e, const QString& text) {
    QPlainTextEdit* box = e.window->MessageText();
    for (QTextBlock block = box->document()->firstBlock(); block.isValid(); block = block.next()) {
        if (block.text() != text) continue;
        QTextCursor cursor(block);
        box->setTextCursor(cursor);
        box->ensureCursorVisible();
        const QPoint at = box->cursorRect(cursor).center() + QPoint(20, 0);
        QTest::mouseDClick(box->viewport(), Qt::LeftButton, {}, at);
        return true;
    }
    return false;
}

// Sets the printer up to print into a PDF file, as a user would in the dialog.
class PdfPrintDialog : public IPrintDialog {
public:
    bool Choose(QPrinter& printer, QWidget*) override {
        ++asked;
        if (path.isEmpty()) return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        printer.setPageSize(QPageSize(QPageSize::A4));
        return true;
    }
    QString path;  // empty: the user cancels
    int asked = 0;
};

const QString kOpenExit = QStringLiteral(
    "メイン: 「カラーLED」の出口が線でつながっていないので、ここでプログラムが止まります。");
const QString kSubNeverCalled =
    QStringLiteral("サブ2: サブ2はどこからも呼び出されないので、実行されません。");

}  // namespace

class ChartCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void checkListsFindingsAndADoubleClickShowsEach() {
        Editor e(false);
        const int start = e.store.CreateSymbol(0, Kind::Start, 48, 48);
        const int led = e.store.CreateSymbol(0, Kind::Led, 48, 1680);  // out of sight at first
        Connect(e.store, start, led);
        const int subStart = e.store.CreateSymbol(2, Kind::Start, 48, 48);
        Connect(e.store, subStart, e.store.CreateSymbol(2, Kind::End, 48, 144));

        e.window->Action(CommandId::Check)->trigger();
        const QStringList lines = e.Lines();
        QCOMPARE(lines.mid(lines.size() - 3),
                 (QStringList{QStringLiteral("チェック: 気をつけることが2件あります。"
                                             "行をダブルクリックすると、その場所を表示します。"),
                              kOpenExit, kSubNeverCalled}));

        // From the report page, sub chart 1 in whole view, the finding brings the symbol up.
        e.context.state.SwitchChart(1);
        e.window->OnCommand(CommandId::WholeView);
        e.ShowPage(2);
        QVERIFY(DoubleClickLine(e, kOpenExit));
        QCOMPARE(e.context.state.currentPage, 0);
        QCOMPARE(e.context.state.currentChart, 0);
        QVERIFY(!e.context.state.wholeView);
        QVERIFY(e.window->Action(CommandId::NormalView)->isChecked());
        QCOMPARE(e.store.Selection(), std::vector<int>{led});
        const int top = e.context.state.scrollY * kGrid;
        QVERIFY2(top <= 1680 && 1680 + 48 <= top + e.Work().DrawingArea().height(),
                 qPrintable(QString::number(top)));

        // A finding about a chart as a whole shows the chart.
        QVERIFY(DoubleClickLine(e, kSubNeverCalled));
        QCOMPARE(e.context.state.currentChart, 2);
        QVERIFY(e.store.Selection().empty());

        // A line about nothing in the charts leaves everything as it is.
        QVERIFY(DoubleClickLine(e, QStringLiteral("起動しました")));
        QCOMPARE(e.context.state.currentChart, 2);
    }

    void aCleanCheckSaysSo() {
        Editor e(false);
        Connect(e.store, e.store.CreateSymbol(0, Kind::Start, 48, 48),
                e.store.CreateSymbol(0, Kind::End, 48, 144));
        e.window->Action(CommandId::Check)->trigger();
        QCOMPARE(e.LastLine(), QStringLiteral("チェック: 気をつけることは見つかりませんでした。"));
    }

    void findingOfASymbolDeletedSinceShowsItsChartOnly() {
        Editor e(false);
        const int start = e.store.CreateSymbol(0, Kind::Start, 48, 48);
        const int led = e.store.CreateSymbol(0, Kind::Led, 48, 144);
        Connect(e.store, start, led);
        e.window->Action(CommandId::Check)->trigger();
        e.store.Select(led, true, 0, 0);
        e.window->OnCommand(CommandId::Delete);
        e.context.state.SwitchChart(3);

        QVERIFY(DoubleClickLine(e, kOpenExit));
        QCOMPARE(e.context.state.currentChart, 0);
        QVERIFY(e.store.Selection().empty());
    }

    void printCommandPrintsTheCurrentChartWithTheReportAndToday() {
        Editor e(false);
        PdfPrintDialog dialog;
        e.window->SetPrintDialog(dialog);
        e.store.CreateSymbol(0, Kind::Wait, 48, 48);
        e.store.CreateSymbol(1, Kind::LoopEnd, 48, 48);
        e.Work().ReportPage()->SetReport(
            {"テルノ小学校", "5", "2", "17", "山田花子", "信号機", "とても\nたのしかった"});
        e.context.state.SwitchChart(1);

        e.window->OnCommand(CommandId::Print);  // cancelled: nothing printed
        QCOMPARE(dialog.asked, 1);
        QVERIFY(e.alerts.messages.empty());

        dialog.path = dir_.filePath(QStringLiteral("printed.pdf"));
        e.window->OnCommand(CommandId::Print);
        QCOMPARE(PdfPageCount(dialog.path), 1);
        const QString text = PdfText(dialog.path);
        for (const QString& expected :
             {FormatReportDate(QDate::currentDate()), QStringLiteral("テルノ小学校"),
              QStringLiteral("山田花子"), QStringLiteral("信号機"),
              QStringLiteral("サブ１フローチャート"), QStringLiteral("もどる"),
              QStringLiteral("たのしかった")})
            QVERIFY2(text.contains(expected), qPrintable(expected + '\n' + text));
        QVERIFY(!text.contains(QStringLiteral("ウエイト")));  // the main chart is not printed
    }

    void exportWritesTheCurrentChartAsAPicture() {
        Editor e(false);
        e.store.CreateSymbol(3, Kind::Start, 48, 48);
        e.context.state.SwitchChart(3);
        const std::string svg = dir_.filePath(QStringLiteral("sub3.svg")).toStdString();
        e.dialogs.savePath = svg;
        e.window->Action(CommandId::ExportPicture)->trigger();
        QVERIFY(QFile::exists(QString::fromStdString(svg)));
        QCOMPARE(e.LastLine(), QString::fromStdString(PictureWrittenText(svg)));

        e.dialogs.savePath = dir_.filePath(QStringLiteral("sub3.jpg")).toStdString();
        e.window->OnCommand(CommandId::ExportPicture);
        QCOMPARE(e.alerts.messages.back(), std::string(PictureText::UnknownType));

        e.context.state.SwitchChart(2);  // empty: the dialog is not even shown
        e.dialogs.savePath = dir_.filePath(QStringLiteral("sub2.png")).toStdString();
        e.window->OnCommand(CommandId::ExportPicture);
        QCOMPARE(e.alerts.messages.back(), std::string(PictureText::EmptyChart));
        QVERIFY(!QFile::exists(dir_.filePath(QStringLiteral("sub2.png"))));
    }

private:
    QTemporaryDir dir_;
};

QTEST_MAIN(ChartCommandsTest)
#include "chart_commands_test.moc"
