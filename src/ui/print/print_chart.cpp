// The printout's pages and the print command.
#include "print/print_chart.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <algorithm>
#include <array>
#include <cmath>

#include "canvas/drawing_resources.h"
#include "canvas/qt_chart_painter.h"
#include "chart_store.h"
#include "dialogs/report_page.h"
#include "print/comment_lines.h"
#include "print/printed_chart_painter.h"

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

namespace {

// Draws the chart below the header at the printout's scale; answers where it ends.
int PaintChart(QPainter& painter, const PrinterMetrics& metrics, const QRect& content,
               int headerBottom, const CFlowObjectManager& store, const DrawingResources& resources,
               int chart) {
    const Rect extent = store.ChartExtent(chart);
    double scale = PrintChartScale(metrics, extent);
    // Only a page too short for the chart below the header makes it smaller;
    // a long comment goes on over further pages instead.
    if (extent.bottom > 0)
        scale = std::min(scale,
                         static_cast<double>(content.bottom() + 1 - headerBottom) / extent.bottom);
    if (scale <= 0.0) return headerBottom;
    painter.save();
    painter.translate(content.left(), headerBottom);
    painter.scale(scale, scale);
    QtChartPainter chartPainter(painter, resources);
    PrintedChartPainter printed(chartPainter);
    store.DrawChart(printed, chart, false, false, false);
    painter.restore();
    return headerBottom + static_cast<int>(std::ceil(extent.bottom * scale));
}

// The top line of a page that goes on with the comment; answers where the comment goes on.
qreal PaintContinuationHeader(QPainter& painter, const QRect& content, const PrintPage& page) {
    painter.drawText(content, Qt::AlignRight | Qt::AlignTop, page.date);
    painter.drawText(content, Qt::AlignLeft | Qt::AlignTop, Utf8(page.report.name));
    return content.top() + 2 * QFontMetricsF(painter.font(), painter.device()).height();
}

// The comment at the foot of the page when it fits below the chart; else
// from just below the chart on, page after page.
void PaintComment(QPainter& painter, QPagedPaintDevice& device, const QRect& content,
                  int chartBottom, const PrintPage& page) {
    const CommentLines lines(PrintCommentText(page.report), painter.font(), painter.device(),
                             content.width());
    const int bottom = content.bottom() + 1;
    const qreal gap = lines.Height(0, 1) / 2;
    const qreal total = lines.Height(0, lines.Count());
    if (total <= bottom - chartBottom - gap) {
        lines.Draw(painter, 0, lines.Count(), QPointF(content.left(), bottom - total));
        return;
    }
    qreal top = chartBottom + gap;
    int first = 0;
    int count = lines.Fitting(first, bottom - top);
    if (count < 2) count = 0;  // the heading does not stay behind alone
    while (true) {
        lines.Draw(painter, first, first + count, QPointF(content.left(), top));
        first += count;
        if (first >= lines.Count()) return;
        device.newPage();
        top = PaintContinuationHeader(painter, content, page);
        count = std::max(1, lines.Fitting(first, bottom - top));
    }
}

}  // namespace

PrintJob::PrintJob(QPrinter& printer) : printer_(printer) {
    printer_.setDocName(QStringLiteral("テルノレポート"));
}

bool PrintJob::Begin() { return painter_.begin(&printer_); }

void PrintJob::Print(const CFlowObjectManager& store, const DrawingResources& resources,
                     const PrintPage& page) {
    if (!first_) printer_.newPage();
    first_ = false;
    const PrinterMetrics metrics = MetricsOf(printer_);
    const QRect content = PrintContentRect(metrics);

    QFont font(QString::fromUtf8(kLabelFace));
    font.setPointSize(kTextPoints);
    painter_.setFont(QFont(font, &printer_));
    painter_.setPen(Qt::black);
    painter_.setBackgroundMode(Qt::TransparentMode);

    painter_.drawText(content, Qt::AlignRight | Qt::AlignTop, page.date);

    constexpr int headerFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextExpandTabs;
    const QString header = PrintHeaderText(page.report, page.chart);
    const QRect headerRect = painter_.boundingRect(content, headerFlags, header);
    painter_.drawText(headerRect, headerFlags, header);

    const int chartBottom = PaintChart(painter_, metrics, content, headerRect.bottom() + 1, store,
                                       resources, page.chart);
    PaintComment(painter_, printer_, content, chartBottom, page);
}

bool PrintJob::End() { return painter_.end(); }

bool PrintChart(QPrinter& printer, const CFlowObjectManager& store,
                const DrawingResources& resources, const PrintPage& page) {
    PrintJob job(printer);
    if (!job.Begin()) return false;
    job.Print(store, resources, page);
    return job.End();
}

bool QtPrintDialog::Choose(QPrinter& printer, QWidget* parent) {
    QPrintDialog dialog(&printer, parent);
    // A printout is printed whole; printing to a file stays, as the way to a PDF.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    return dialog.exec() == QDialog::Accepted;
}

PrintOutcome RunPrintCommand(IPrintDialog& dialog, QWidget* parent, const CFlowObjectManager& store,
                             const DrawingResources& resources, CDlgReport& reportPage, int chart) {
    QPrinter printer(QPrinter::HighResolution);
    if (!dialog.Choose(printer, parent)) return PrintOutcome::Cancelled;
    const bool printed = PrintChart(printer, store, resources,
                                    {reportPage.GetReport(), reportPage.ShowToday(), chart});
    return printed ? PrintOutcome::Printed : PrintOutcome::Failed;
}
