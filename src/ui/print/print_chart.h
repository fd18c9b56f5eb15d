// Printing a chart with its report: the date, the report header, the chart
// scaled to fit and the comment at the bottom, the comment going on over
// further pages when it does not fit below the chart.
#pragma once

#include <QPainter>
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

// One print job "テルノレポート" of one or more printouts, each beginning on a
// new page.
class PrintJob {
public:
    explicit PrintJob(QPrinter& printer);
    // False when the printer could not be started.
    bool Begin();
    // The page with the date, header, chart and as much of the comment as
    // fits below the chart, then pages with the rest of the comment under a
    // line with the pupil's name and the date.
    void Print(const CFlowObjectManager& store, const DrawingResources& resources,
               const PrintPage& page);
    bool End();

private:
    QPrinter& printer_;
    QPainter painter_;
    bool first_ = true;
};

// One printout as its own job; false when the printer could not be started.
bool PrintChart(QPrinter& printer, const CFlowObjectManager& store,
                const DrawingResources& resources, const PrintPage& page);

// The system print dialog, behind an interface so tests can print to a file.
class IPrintDialog {
public:
    virtual ~IPrintDialog() = default;
    // Lets the user set the printer up; false when cancelled.
    virtual bool Choose(QPrinter& printer, QWidget* parent) = 0;
};

class QtPrintDialog : public IPrintDialog {
public:
    bool Choose(QPrinter& printer, QWidget* parent) override;
};

enum class PrintOutcome { Printed, Cancelled, Failed };

// The print command: the print dialog, then PrintChart with the report
// page's texts and today's date.
PrintOutcome RunPrintCommand(IPrintDialog& dialog, QWidget* parent, const CFlowObjectManager& store,
                             const DrawingResources& resources, CDlgReport& reportPage, int chart);
