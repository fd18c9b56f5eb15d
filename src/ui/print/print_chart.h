// Printing one page: the date, the report header, the current chart scaled
// to fit and the comment at the bottom.
#pragma once

#include <QRect>
#include <QString>

#include "geometry.h"
#include "report_data.h"

class CDlgReport;
class CFlowObjectManager;
class DrawingResources;
class QPrinter;
class QWidget;

// What the layout needs of a printer, in device pixels.
struct PrinterMetrics {
    int dpiX = 0;
    int dpiY = 0;
    QSize paper;      // the whole sheet of paper
    QRect printable;  // the printable area, its offset from the paper's corner
};

PrinterMetrics MetricsOf(const QPrinter& printer);

// The content rectangle in printable-area coordinates: every edge 20 mm from
// the paper's edge, or on the printable area's edge where that lies farther in.
QRect PrintContentRect(const PrinterMetrics& metrics);

// Device pixels per sheet pixel for a chart whose objects end at extent's
// right and bottom: the chart takes at most two thirds of the printable
// width and height, and a small chart counts as 600 x 840.
double PrintChartScale(const PrinterMetrics& metrics, const Rect& extent);

// "メインフローチャート", "サブ１フローチャート", ... for charts 0..3.
QString ChartTitle(int chart);
// The header lines: school, grade / class / number, name, title, an empty
// line and the chart's title.
QString PrintHeaderText(const ReportData& report, int chart);
QString PrintCommentText(const ReportData& report);

struct PrintPage {
    ReportData report;
    QString date;  // as the report page shows it
    int chart = 0;
};

// Prints one page on the printer as the job "テルノレポート"; false when the
// printer could not be started.
bool PrintChart(QPrinter& printer, const CFlowObjectManager& store,
                const DrawingResources& resources, const PrintPage& page);

enum class PrintOutcome { Printed, Cancelled, Failed };

// The print command: the system print dialog, then PrintChart with the
// report page's texts and today's date.
PrintOutcome RunPrintCommand(QWidget* parent, const CFlowObjectManager& store,
                             const DrawingResources& resources, CDlgReport& reportPage,
                             int chart);
