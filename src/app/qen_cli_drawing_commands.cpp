// qen-cli's commands that draw charts with the editor's own drawing code:
// export writes a chart as a picture, print prints files into one PDF. They
// run without a window, on the offscreen platform unless another is chosen.
#include <QDate>
#include <QGuiApplication>
#include <QPrinter>
#include <array>
#include <memory>
#include <string>

#include "canvas/drawing_resources.h"
#include "dialogs/report_page.h"
#include "print/chart_picture.h"
#include "print/print_chart.h"
#include "qen_cli.h"
#include "qen_cli_document.h"
#include "qen_cli_drawing_rows.h"

namespace {

// The Qt application the drawing needs, made when the process has none yet.
class GuiSession {
public:
    GuiSession() {
        if (QCoreApplication::instance()) return;
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app_ = std::make_unique<QGuiApplication>(argc_, argv_.data());
    }

private:
    std::string name_ = "qen-cli";
    int argc_ = 1;
    std::array<char*, 2> argv_ = {name_.data(), nullptr};
    std::unique_ptr<QGuiApplication> app_;
};

int ChartOption(const CliArguments& arguments) {
    const std::string_view chart = arguments.Value("--chart");
    return chart.empty() ? 0 : chart.front() - '0';
}

int CliExport(const CliArguments& arguments, const CliContext& context) {
    const CliIo io = context.io;
    const QString out = QString::fromStdString(arguments.positional[1]);
    const std::optional<PictureFormat> format = PictureFormatOf(out);
    if (!format) {
        io.err << PictureText::UnknownType << '\n';
        return CliExit::Usage;
    }
    CliDocument document;
    if (!document.Open(arguments.positional[0])) return document.Fail(io);
    const GuiSession gui;
    const DrawingResources resources;
    switch (WriteChartPicture(out, *format, document.store, resources, ChartOption(arguments))) {
        case PictureResult::Written:
            return CliExit::Ok;
        case PictureResult::EmptyChart:
            io.err << PictureText::EmptyChart << '\n';
            return CliExit::Failed;
        case PictureResult::WriteFailed:
            break;
    }
    io.err << PictureText::NotWritten << '\n';
    return CliExit::Failed;
}

// The PDF is started with the first file that loads, so that nothing is
// written when none does.
int CliPrint(const CliArguments& arguments, const CliContext& context) {
    const CliIo io = context.io;
    const GuiSession gui;
    const DrawingResources resources;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(std::string(arguments.Value("--pdf"))));
    printer.setPageSize(QPageSize(QPageSize::A4));
    PrintJob job(printer);
    const QString today = FormatReportDate(QDate::currentDate());
    bool started = false;
    bool skipped = false;
    for (const std::string& path : arguments.positional) {
        CliDocument document;
        if (!document.Open(path)) {
            document.Fail(io);
            skipped = true;
            continue;
        }
        if (!started && !job.Begin()) {
            io.err << "PDF(" << arguments.Value("--pdf") << ")に書き込めません\n";
            return CliExit::Failed;
        }
        started = true;
        job.Print(document.store, resources, {document.report, today, ChartOption(arguments)});
    }
    if (started && !job.End()) {
        io.err << "PDF(" << arguments.Value("--pdf") << ")に書き込めません\n";
        return CliExit::Failed;
    }
    return skipped ? CliExit::Failed : CliExit::Ok;
}

constexpr auto kDrawingCommands = DrawingCommandRows(&CliExport, &CliPrint);

}  // namespace

std::span<const CliCommand> DrawingCommands() { return kDrawingCommands; }
