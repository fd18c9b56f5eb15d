// The printed page and the print command.
#include "print/print_chart.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <algorithm>
#include <array>

#include "canvas/drawing_resources.h"
#include "canvas/qt_chart_painter.h"
#include "chart_store.h"
#include "dialogs/report_page.h"

namespace {

constexpr double kMarginMm = 20.0;
constexpr double kMmPerInch = 25.4;
constexpr int kTextPoints = 9;
constexpr int kSmallestWidth = 600;  // sheet pixels a small chart counts as
constexpr int kSmallestHeight = 840;
constexpr double kChartShare = 1.5;  // the chart takes at most 1 / 1.5 of the printable size

constexpr std::array<const char*, kChartCount> kChartTitles = {
    "メインフローチャート", "サブ１フローチャート", "サブ２フローチャート", "サブ３フローチャート"};

// The sheet extent the scale is taken from, truncated as the window extent.
QSize ScaledExtent(const Rect& extent) {
    return {static_cast<int>(std::max(kSmallestWidth, extent.right) * kChartShare),
            static_cast<int>(std::max(kSmallestHeight, extent.bottom) * kChartShare)};
}

// The chart exactly as stored: no highlight, no connectors, and neither the
// rubber band nor a line still being drawn.
class PrintedChartPainter final : public IChartPainter {
public:
    explicit PrintedChartPainter(IChartPainter& inner) : inner_(inner) {}
    void DrawObject(const IFLOWOBJECT& object, bool, bool, bool) override {
        inner_.DrawObject(object, false, false, false);
    }
    void DrawRubberBand(const Rect&) override {}
    void DrawLineInProgress(const std::vector<Point>&, Point) override {}

private:
    IChartPainter& inner_;
};

QString Utf8(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

PrinterMetrics MetricsOf(const QPrinter& printer) {
    return {printer.logicalDpiX(), printer.logicalDpiY(),
            printer.paperRect(QPrinter::DevicePixel).size().toSize(),
            printer.pageRect(QPrinter::DevicePixel).toRect()};
}

QRect PrintContentRect(const PrinterMetrics& metrics) {
    const int marginX = static_cast<int>(metrics.dpiX * kMarginMm / kMmPerInch);
    const int marginY = static_cast<int>(metrics.dpiY * kMarginMm / kMmPerInch);
    const QRect& area = metrics.printable;
    const int offX = area.left();
    const int offY = area.top();
    const int rightEdge = metrics.paper.width() - area.width() - offX;
    const int bottomEdge = metrics.paper.height() - area.height() - offY;
    const int left = marginX - std::min(marginX, offX);
    const int top = marginY - std::min(marginY, offY);
    const int right = area.width() - marginX + std::min(marginX, rightEdge);
    const int bottom = area.height() - marginY + std::min(marginY, bottomEdge);
    return {left, top, right - left, bottom - top};
}

double PrintChartScale(const PrinterMetrics& metrics, const Rect& extent) {
    const QSize window = ScaledExtent(extent);
    return std::min(static_cast<double>(metrics.printable.width()) / window.width(),
                    static_cast<double>(metrics.printable.height()) / window.height());
}

QString ChartTitle(int chart) {
    return chart >= 0 && chart < kChartCount ? QString::fromUtf8(kChartTitles[chart]) : QString();
}

QString PrintHeaderText(const ReportData& report, int chart) {
    return QStringLiteral("%1\n%2年　%3組　%4番\n%5\n%6\n\n%7")
        .arg(Utf8(report.school), Utf8(report.grade), Utf8(report.klass), Utf8(report.number),
             Utf8(report.name), Utf8(report.title), ChartTitle(chart));
}

QString PrintCommentText(const ReportData& report) {
    return QStringLiteral("コメント\n") + Utf8(report.comment);
}

bool PrintChart(QPrinter& printer, const CFlowObjectManager& store,
                const DrawingResources& resources, const PrintPage& page) {
    printer.setDocName(QStringLiteral("テルノレポート"));
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    const PrinterMetrics metrics = MetricsOf(printer);
    const QRect content = PrintContentRect(metrics);

    QFont font(QString::fromUtf8(kLabelFace));
    font.setPointSize(kTextPoints);
    painter.setFont(QFont(font, &printer));
    painter.setPen(Qt::black);
    painter.setBackgroundMode(Qt::TransparentMode);

    painter.drawText(content, Qt::AlignRight | Qt::AlignTop, page.date);

    constexpr int headerFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextExpandTabs;
    const QString header = PrintHeaderText(page.report, page.chart);
    const QRect headerRect = painter.boundingRect(content, headerFlags, header);
    painter.drawText(headerRect, headerFlags, header);
    const int headerBottom = headerRect.bottom() + 1;

    constexpr int commentFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
    const QString comment = PrintCommentText(page.report);
    QRect commentRect = painter.boundingRect(content, commentFlags, comment);
    commentRect.setWidth(content.width());
    commentRect.moveBottom(content.bottom());
    painter.drawText(commentRect, commentFlags, comment);

    // The chart starts below the header; a long comment shrinks it rather
    // than being printed over.
    const Rect extent = store.ChartExtent(page.chart);
    double scale = PrintChartScale(metrics, extent);
    if (extent.bottom > 0) {
        const int room = commentRect.top() - headerBottom;
        scale = std::min(scale, static_cast<double>(room) / extent.bottom);
    }
    if (scale > 0.0) {
        painter.save();
        painter.translate(content.left(), headerBottom);
        painter.scale(scale, scale);
        QtChartPainter chartPainter(painter, resources);
        PrintedChartPainter printed(chartPainter);
        store.DrawChart(printed, page.chart, false, false, false);
        painter.restore();
    }
    return painter.end();
}

PrintOutcome RunPrintCommand(QWidget* parent, const CFlowObjectManager& store,
                             const DrawingResources& resources, CDlgReport& reportPage,
                             int chart) {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, parent);
    // One page is printed whole; printing to a file stays, as the way to a PDF.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (dialog.exec() != QDialog::Accepted) return PrintOutcome::Cancelled;
    const bool printed = PrintChart(printer, store, resources,
                                    {reportPage.GetReport(), reportPage.ShowToday(), chart});
    return printed ? PrintOutcome::Printed : PrintOutcome::Failed;
}
