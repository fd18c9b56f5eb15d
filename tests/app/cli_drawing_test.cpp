// qen-cli's drawing commands without a window: export read back as PNG and
// SVG, print read back page by page from the PDF with pdftotext.
#include <gtest/gtest.h>

#include <QDate>
#include <QFile>
#include <QImage>
#include <QXmlStreamReader>
#include <sstream>
#include <string>
#include <vector>

#include "cli_run.h"
#include "dialogs/report_page.h"
#include "pdf_text.h"
#include "print/chart_picture.h"
#include "qen_cli.h"
#include "temp_folder.h"

namespace {

const std::string kStartLedEnd = std::string(QEN_FILE_TEST_DATA) + "/start_led_end/input.xml";

// The tool as qen-cli-draw runs it, with the drawing commands.
CliResult RunDrawing(const std::vector<std::string>& arguments) {
    return RunTool(arguments, {}, DrawingCommands());
}

// A file with one start symbol at cell (2, 2) of a chart, a pupil's name and a comment.
std::string PupilFile(const std::string& name, int chart, const std::string& comment = "") {
    std::string charts;
    for (int c = 0; c < 4; ++c) {
        charts += "<chart chartId=\"" + std::to_string(c) + "\">";
        if (c == chart)
            charts +=
                "<fobj id=\"1\" symbol=\"端子\"><name>start_flow</name>"
                "<nuvoobj name=\"start_f\" argo=\"6\">0x00,0x00,0x00,0x00,0x00</nuvoobj>"
                "<position>2,2</position></fobj>";
        charts += "</chart>";
    }
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?><qex><report title=\"題\"><user name=\"" +
           name + "\"/><comment>" + comment + "</comment></report>" + charts + "</qex>";
}

class CliDrawing : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const std::string& text) {
        const std::string path = folder.File(name);
        TempFolder::Write(path, text);
        return path;
    }
    TempFolder folder;
};

TEST_F(CliDrawing, ExportWritesAPngOfTheMainChartCroppedWithAMargin) {
    const std::string out = folder.File("main.png");
    const CliResult run = RunDrawing({"export", kStartLedEnd, out});
    ASSERT_EQ(run.exit, 0) << run.err;
    const QImage image(QString::fromStdString(out), "PNG");
    // Three symbols at cells (1, 1), (1, 4), (1, 7): sheet (24, 24) to (120, 216), and
    // 24 around, which starts at the sheet's corner.
    EXPECT_EQ(image.width(), 96 + 2 * kPictureMargin);
    EXPECT_EQ(image.height(), 7 * 24 + 48 - 24 + 2 * kPictureMargin);
    EXPECT_EQ(image.pixel(0, 0) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(image.pixel(72, 25) & 0xFFFFFF, 0x000000u);  // the start symbol's top edge
}

TEST_F(CliDrawing, ExportWritesTheChartChosenAsSvgText) {
    const std::string in = Write("sub.xml", PupilFile("花子", 2));
    const std::string out = folder.File("sub.svg");
    ASSERT_EQ(RunDrawing({"export", in, out, "--chart", "2"}).exit, 0);
    QFile file(QString::fromStdString(out));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader svg(&file);
    QString texts;
    while (!svg.atEnd())
        if (svg.readNext() == QXmlStreamReader::StartElement && svg.name() == QLatin1String("text"))
            texts += svg.readElementText();
    EXPECT_FALSE(svg.hasError());
    EXPECT_EQ(texts, QStringLiteral("開始"));
}

TEST_F(CliDrawing, ExportRefusesAnEmptyChartAndOtherPictureTypes) {
    const std::string in = Write("sub.xml", PupilFile("花子", 2));
    const CliResult empty = RunDrawing({"export", in, folder.File("main.png")});
    EXPECT_EQ(empty.exit, 1);
    EXPECT_NE(empty.err.find(PictureText::EmptyChart), std::string::npos) << empty.err;
    EXPECT_TRUE(folder.Names().size() == 1);  // only the input

    const CliResult jpeg = RunDrawing({"export", in, folder.File("sub.jpg"), "--chart", "2"});
    EXPECT_EQ(jpeg.exit, 2);
    EXPECT_EQ(jpeg.err, std::string(PictureText::UnknownType) + "\n");
    EXPECT_EQ(RunDrawing({"export", in, folder.File("x.png"), "--chart", "4"}).exit, 2);
}

TEST_F(CliDrawing, PrintPutsEveryFileIntoOnePdfInTheOrderGiven) {
    std::string longComment;
    for (int line = 1; line <= 90; ++line) longComment += "行" + std::to_string(line) + "\n";
    const std::string first = Write("first.xml", PupilFile("一郎", 0));
    const std::string second = Write("second.xml", PupilFile("二郎", 0, longComment));
    const std::string third = Write("third.xml", PupilFile("三郎", 0));
    const QString pdf = QString::fromStdString(folder.File("class.pdf"));

    const CliResult run = RunDrawing({"print", third, first, second, "--pdf", pdf.toStdString()});
    ASSERT_EQ(run.exit, 0) << run.err;

    // One page each, and the long comment going on over further pages.
    const int pages = PdfPageCount(pdf);
    ASSERT_GE(pages, 4);
    const QString today = FormatReportDate(QDate::currentDate());
    const QStringList names{QStringLiteral("三郎"), QStringLiteral("一郎")};
    for (int page = 1; page <= pages; ++page) {
        const QString text = PdfText(pdf, page);
        EXPECT_TRUE(text.contains(today)) << page;
        EXPECT_TRUE(text.contains(page <= 2 ? names[page - 1] : QStringLiteral("二郎")))
            << page << text.toStdString();
        EXPECT_EQ(text.contains(QStringLiteral("開始")), page <= 3) << page;
    }
    EXPECT_TRUE(PdfText(pdf, pages).contains(QStringLiteral("行90")));
}

TEST_F(CliDrawing, PrintSkipsAFileThatCannotBeLoadedAndSaysSo) {
    const std::string good = Write("good.xml", PupilFile("一郎", 0));
    const std::string broken = Write("broken.xml", "<qex><chart>");
    const QString pdf = QString::fromStdString(folder.File("class.pdf"));

    const CliResult run = RunDrawing({"print", broken, good, "--pdf", pdf.toStdString()});

    EXPECT_EQ(run.exit, 1);
    EXPECT_NE(run.err.find("ファイル(" + broken + ")の読み込みを中止しました"), std::string::npos)
        << run.err;
    EXPECT_EQ(PdfPageCount(pdf), 1);
    EXPECT_TRUE(PdfText(pdf).contains(QStringLiteral("一郎")));

    // Nothing to print: no PDF at all.
    const QString none = QString::fromStdString(folder.File("none.pdf"));
    EXPECT_EQ(RunDrawing({"print", broken, "--pdf", none.toStdString()}).exit, 1);
    EXPECT_FALSE(QFile::exists(none));
}

TEST_F(CliDrawing, PrintNeedsTheFilesAndThePdf) {
    EXPECT_EQ(RunDrawing({"print", kStartLedEnd}).exit, 2);
    EXPECT_EQ(RunDrawing({"print", "--pdf", folder.File("a.pdf")}).exit, 2);
    const CliResult help = RunDrawing({"--help"});
    EXPECT_NE(help.out.find("print FILE.xml... --pdf OUT.pdf [--chart 0|1|2|3]"),
              std::string::npos);
    EXPECT_NE(help.out.find("export FILE.xml OUT.png|OUT.svg [--chart 0|1|2|3]"),
              std::string::npos);
}

}  // namespace
