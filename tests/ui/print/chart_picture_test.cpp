// A chart written as a picture: cropped to its objects with a margin, drawn
// as printed, read back as a PNG image and as SVG text.
#include "print/chart_picture.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

#include "canvas/drawing_resources.h"
#include "quiet_store.h"

namespace {

// Sheet (24, 24) to (168, 216): a start above a LED joined by a line, and the margin.
const QRect kArea(24, 24, 144, 192);

// A picture of chart 1; the LED is selected, and a timer waits on the main chart.
struct PictureChart : QuietStore {
    PictureChart() {
        store.CreateSymbol(0, Kind::Timer, 0, 0);
        const int start = store.CreateSymbol(1, Kind::Start, 48, 48);
        led = store.CreateSymbol(1, Kind::Led, 48, 144);
        store.BeginLine(start, Connector::Next, 96, 96);
        store.FinishLine(1, led, 96, 144);
        store.Select(led, true, 48, 144);
    }
    int led = 0;
};

}  // namespace

class ChartPictureTest : public QObject {
    Q_OBJECT

private slots:
    void formatFollowsTheExtension() {
        QCOMPARE(PictureFormatOf(QStringLiteral("a/chart.png")), PictureFormat::Png);
        QCOMPARE(PictureFormatOf(QStringLiteral("chart.SVG")), PictureFormat::Svg);
        QVERIFY(!PictureFormatOf(QStringLiteral("chart.jpg")));
        QVERIFY(!PictureFormatOf(QStringLiteral("png")));
    }

    void areaIsTheChartsObjectsWithAMarginOnTheSheet() {
        PictureChart chart;
        QCOMPARE(PictureArea(chart.store, 1), kArea);
        // The timer at the sheet's corner: the margin stops at the sheet's edge.
        QCOMPARE(PictureArea(chart.store, 0), QRect(0, 0, 96 + 24, 48 + 24));
        QVERIFY(PictureArea(chart.store, 2).isEmpty());
    }

    void pngIsDrawnAsPrintedAndCropped() {
        PictureChart chart;
        const QString path = dir_.filePath(QStringLiteral("chart.png"));
        QCOMPARE(WriteChartPicture(path, PictureFormat::Png, chart.store, resources_, 1),
                 PictureResult::Written);

        const QImage image(path, "PNG");
        QCOMPARE(image.size(), kArea.size());
        const auto at = [&](int sheetX, int sheetY) {
            return image.pixel(sheetX - kArea.left(), sheetY - kArea.top()) & 0xFFFFFF;
        };
        QCOMPARE(at(24, 24), 0xFFFFFFu);  // white paper, no grid
        QCOMPARE(at(167, 215), 0xFFFFFFu);
        QCOMPARE(at(60, 145), 0x000000u);  // the LED's top edge, black though selected
        QCOMPARE(at(96, 120), 0x000000u);  // the line between the two
        int blue = 0;
        int grid = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb pixel = image.pixel(x, y) & 0xFFFFFF;
                blue += pixel == (Colours::Selected & 0xFFFFFF);
                grid += pixel == (Colours::Grid & 0xFFFFFF);
            }
        }
        QCOMPARE(blue, 0);  // neither selection nor connectors
        QCOMPARE(grid, 0);
    }

    void svgKeepsTheLabelsAsText() {
        PictureChart chart;
        const QString path = dir_.filePath(QStringLiteral("chart.svg"));
        QCOMPARE(WriteChartPicture(path, PictureFormat::Svg, chart.store, resources_, 1),
                 PictureResult::Written);

        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QXmlStreamReader svg(&file);
        QString viewBox;
        QString texts;
        while (!svg.atEnd()) {
            if (svg.readNext() != QXmlStreamReader::StartElement) continue;
            if (svg.name() == QLatin1String("svg"))
                viewBox = svg.attributes().value(QLatin1String("viewBox")).toString();
            if (svg.name() == QLatin1String("text")) texts += svg.readElementText();
        }
        QVERIFY2(!svg.hasError(), qPrintable(svg.errorString()));
        QCOMPARE(viewBox, QStringLiteral("0 0 144 192"));
        QVERIFY2(texts.contains(QStringLiteral("開始")), qPrintable(texts));
        QVERIFY2(texts.contains(QStringLiteral("点灯")), qPrintable(texts));
        QVERIFY(!texts.contains(QStringLiteral("??")));  // the main chart's timer
    }

    void emptyChartOrUnwritableFileWritesNothing() {
        PictureChart chart;
        const QString empty = dir_.filePath(QStringLiteral("empty.png"));
        QCOMPARE(WriteChartPicture(empty, PictureFormat::Png, chart.store, resources_, 3),
                 PictureResult::EmptyChart);
        QVERIFY(!QFile::exists(empty));
        const QString nowhere = dir_.filePath(QStringLiteral("missing/chart.svg"));
        QCOMPARE(WriteChartPicture(nowhere, PictureFormat::Svg, chart.store, resources_, 1),
                 PictureResult::WriteFailed);
        QVERIFY(!QFile::exists(nowhere));
    }

private:
    QTemporaryDir dir_;
    const DrawingResources resources_;
};

QTEST_MAIN(ChartPictureTest)
#include "chart_picture_test.moc"
