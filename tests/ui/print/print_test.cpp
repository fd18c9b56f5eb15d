// The printed page: its geometry from the printer's metrics, its texts, and
// the page itself printed to a PDF file and read back with pdftotext.
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <optional>

#include "canvas/drawing_resources.h"
#include "chart_store.h"
#include "notifier.h"
#include "nuvo_addr_generator.h"
#include "print/print_chart.h"
#include "uid_generator.h"

Q_DECLARE_METATYPE(Rect)

namespace {

constexpr double kA4WidthPt = 595.276;
constexpr double kA4HeightPt = 841.89;
constexpr double kPtPerMm = 72.0 / 25.4;

class SilentNotifier : public INotifier {
public:
    void Notify(std::string_view, MessageSeverity) override {}
};

// A word of the PDF's text layer with its box in points.
struct Word {
    QString text;
    QRectF box;
};

// The text of the first page of a PDF, word by word (pdftotext -bbox).
QList<Word> PdfWords(const QString& path) {
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(30000)) return {};
    const QString html = QString::fromUtf8(pdftotext.readAllStandardOutput());
    static const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    QList<Word> words;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        const QPointF topLeft(m.captured(1).toDouble(), m.captured(2).toDouble());
        const QPointF bottomRight(m.captured(3).toDouble(), m.captured(4).toDouble());
        words.append({m.captured(5), QRectF(topLeft, bottomRight)});
    }
    return words;
}

std::optional<QRectF> Find(const QList<Word>& words, const QString& text) {
    for (const Word& w : words)
        if (w.text == text) return w.box;
    return std::nullopt;
}

ReportData SampleReport() {
    return {"テルノ小学校", "5", "2", "17", "山田花子", "信号機", "とても\nたのしかった"};
}

}  // namespace

class PrintTest : public QObject {
    Q_OBJECT

private slots:
    void marginsAreTwentyMillimetresFromThePaper_data();
    void marginsAreTwentyMillimetresFromThePaper();
    void chartScaleKeepsProportions_data();
    void chartScaleKeepsProportions();
    void headerOfAnEmptyReportKeepsItsSixLines();
    void headerNamesTheChart();
    void printerMetricsGiveTheMarginInDevicePixels();

    void pdfPageHoldsDateHeaderChartAndComment_data();
    void pdfPageHoldsDateHeaderChartAndComment();
    void longCommentIsNotPrintedOverTheChart();
    void jobIsNamedAndTextsAreNinePoints();

private:
    // Prints chart 2 of a small store to a PDF file; answers its words.
    QList<Word> PrintToPdf(const ReportData& report, double marginMm,
                           const std::vector<std::pair<int, Point>>& symbols, int chart);
    QString PdfPath() const { return dir_.filePath(QStringLiteral("page.pdf")); }

    QTemporaryDir dir_;
};

void PrintTest::marginsAreTwentyMillimetresFromThePaper_data() {
    QTest::addColumn<QRect>("printable");
    QTest::addColumn<QRect>("content");
    // 600 dpi, paper 4960 x 7016: the margin is 472 device pixels.
    QTest::newRow("whole paper printable")
        << QRect(0, 0, 4960, 7016) << QRect(472, 472, 4016, 6072);
    QTest::newRow("small unprintable edges")
        << QRect(100, 120, 4760, 6776) << QRect(372, 352, 4016, 6072);
    QTest::newRow("unprintable edges wider than the margin")
        << QRect(600, 500, 3700, 6000) << QRect(0, 0, 3700, 6000);
}

void PrintTest::marginsAreTwentyMillimetresFromThePaper() {
    QFETCH(QRect, printable);
    const PrinterMetrics metrics{600, 600, QSize(4960, 7016), printable};
    QTEST(PrintContentRect(metrics), "content");
}

void PrintTest::chartScaleKeepsProportions_data() {
    QTest::addColumn<Rect>("extent");
    QTest::addColumn<double>("scale");
    QTest::newRow("empty chart counts as 600 x 840") << Rect{} << 6600.0 / 1260.0;
    QTest::newRow("small chart counts as 600 x 840") << Rect{0, 0, 576, 816} << 6600.0 / 1260.0;
    QTest::newRow("wide chart") << Rect{0, 0, 1200, 900} << 4800.0 / 1800.0;
    QTest::newRow("tall chart") << Rect{0, 0, 500, 2688} << 6600.0 / 4032.0;
}

void PrintTest::chartScaleKeepsProportions() {
    QFETCH(Rect, extent);
    QFETCH(double, scale);
    const PrinterMetrics metrics{600, 600, QSize(4960, 7016), QRect(80, 208, 4800, 6600)};
    QCOMPARE(PrintChartScale(metrics, extent), scale);
}

void PrintTest::headerOfAnEmptyReportKeepsItsSixLines() {
    QCOMPARE(PrintHeaderText(ReportData{}, 0),
             QStringLiteral("\n年　組　番\n\n\n\nメインフローチャート"));
    QCOMPARE(PrintCommentText(ReportData{}), QStringLiteral("コメント\n"));
}

void PrintTest::headerNamesTheChart() {
    QCOMPARE(
        PrintHeaderText(SampleReport(), 2),
        QStringLiteral("テルノ小学校\n5年　2組　17番\n山田花子\n信号機\n\nサブ２フローチャート"));
    const QStringList titles{
        QStringLiteral("メインフローチャート"), QStringLiteral("サブ１フローチャート"),
        QStringLiteral("サブ２フローチャート"), QStringLiteral("サブ３フローチャート")};
    for (int chart = 0; chart < 4; ++chart) QCOMPARE(ChartTitle(chart), titles[chart]);
}

void PrintTest::printerMetricsGiveTheMarginInDevicePixels() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setResolution(600);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    const PrinterMetrics metrics = MetricsOf(printer);
    QCOMPARE(metrics.dpiX, 600);
    QCOMPARE(PrintContentRect(metrics).topLeft(), QPoint(472, 472));
}

QList<Word> PrintTest::PrintToPdf(const ReportData& report, double marginMm,
                                  const std::vector<std::pair<int, Point>>& symbols, int chart) {
    UidGenerator uids;
    NUVOAddrGenerator slotTable;
    SilentNotifier notifier;
    CFlowObjectManager store(uids, slotTable, notifier);
    for (const auto& [kind, at] : symbols) store.CreateSymbol(chart, kind, at.x, at.y);
    store.CreateSymbol(0, Kind::Timer, 0, 0);  // on another chart: not printed
    const DrawingResources resources;

    const QString path = PdfPath();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(marginMm, marginMm, marginMm, marginMm),
                           QPageLayout::Millimeter);
    if (!PrintChart(printer, store, resources, {report, QStringLiteral("2024年03月05日"), chart}))
        return {};
    return PdfWords(path);
}

void PrintTest::pdfPageHoldsDateHeaderChartAndComment_data() {
    QTest::addColumn<double>("printerMargin");
    QTest::addColumn<double>("edge");
    QTest::newRow("margins inside the printable area") << 5.0 << 20.0;
    QTest::newRow("printable area narrower than the margins") << 30.0 << 30.0;
}

void PrintTest::pdfPageHoldsDateHeaderChartAndComment() {
    QFETCH(double, printerMargin);
    QFETCH(double, edge);
    const double edgePt = edge * kPtPerMm;
    // A start symbol whose label centre is sheet (528, 744); the chart is
    // smaller than 600 x 840, so it is scaled as if it were that size.
    const QList<Word> words =
        PrintToPdf(SampleReport(), printerMargin, {{Kind::Start, {480, 720}}}, 2);
    QVERIFY(!words.isEmpty());

    const auto date = Find(words, QStringLiteral("2024年03月05日"));
    QVERIFY(date);
    QVERIFY2(qAbs(date->right() - (kA4WidthPt - edgePt)) < 2.0,
             qPrintable(QString::number(date->right())));
    const auto school = Find(words, QStringLiteral("テルノ小学校"));
    QVERIFY(school);
    QVERIFY(qAbs(school->left() - edgePt) < 2.0);
    QVERIFY(qAbs(school->top() - date->top()) < 2.0);
    QVERIFY(Find(words, QStringLiteral("山田花子")));
    QVERIFY(Find(words, QStringLiteral("信号機")));
    const auto title = Find(words, QStringLiteral("サブ２フローチャート"));
    QVERIFY(title);
    QVERIFY(!Find(words, QStringLiteral("メインフローチャート")));

    const auto lastLine = Find(words, QStringLiteral("たのしかった"));
    QVERIFY(lastLine);
    QVERIFY2(qAbs(lastLine->bottom() - (kA4HeightPt - edgePt)) < 4.0,
             qPrintable(QString::number(lastLine->bottom())));
    QVERIFY(Find(words, QStringLiteral("コメント")));

    // The chart: one sheet pixel is min(printW / 900, printH / 1260), here the width's share.
    const double printableWidth = kA4WidthPt - 2 * printerMargin * kPtPerMm;
    const double printableHeight = kA4HeightPt - 2 * printerMargin * kPtPerMm;
    const double scale = std::min(printableWidth / 900.0, printableHeight / 1260.0);
    const auto start = Find(words, QStringLiteral("開始"));
    QVERIFY(start);
    QVERIFY2(qAbs(start->center().x() - (edgePt + 528 * scale)) < 2.0,
             qPrintable(QString::number(start->center().x())));
    QVERIFY(qAbs(start->center().y() - (title->bottom() + 744 * scale)) < 4.0);
    QVERIFY(!Find(words, QStringLiteral("??")));  // the timer of the main chart is not printed
}

void PrintTest::longCommentIsNotPrintedOverTheChart() {
    ReportData report = SampleReport();
    report.comment.clear();
    for (int line = 1; line <= 40; ++line) report.comment += "行" + std::to_string(line) + "\n";
    report.comment += "最後";
    const QList<Word> words =
        PrintToPdf(report, 5.0, {{Kind::Start, {0, 0}}, {Kind::End, {0, 2640}}}, 2);
    const auto heading = Find(words, QStringLiteral("コメント"));
    const auto end = Find(words, QStringLiteral("終了"));
    QVERIFY(heading && end);
    QVERIFY2(end->bottom() < heading->top(), qPrintable(QString::number(end->bottom())));
    QVERIFY(Find(words, QStringLiteral("最後")));
}

void PrintTest::jobIsNamedAndTextsAreNinePoints() {
    const QList<Word> words = PrintToPdf(SampleReport(), 5.0, {}, 0);
    for (const QString& text : {QStringLiteral("2024年03月05日"), QStringLiteral("テルノ小学校"),
                                QStringLiteral("コメント")}) {
        const auto box = Find(words, text);
        QVERIFY2(box, qPrintable(text));
        QVERIFY2(qAbs(box->height() - 9.0) < 0.5, qPrintable(QString::number(box->height())));
    }

    // The job's name is the document title the PDF carries.
    QProcess pdfinfo;
    pdfinfo.start(QStringLiteral("pdfinfo"), {PdfPath()});
    QVERIFY(pdfinfo.waitForFinished(30000));
    const QString info = QString::fromUtf8(pdfinfo.readAllStandardOutput());
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Title:\\s+テルノレポート\\n"))),
             qPrintable(info));
}

QTEST_MAIN(PrintTest)
#include "print_test.moc"
