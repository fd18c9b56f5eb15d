// Symbol labels, the pixels the chart painter puts down, the sheet, both
// views, and the canvas geometry.
#include <QFontDatabase>
#include <QFontInfo>
#include <QPainter>
#include <QtTest>

#include "canvas/canvas_geometry.h"
#include "canvas/canvas_renderer.h"
#include "canvas/drawing_resources.h"
#include "canvas/drawn_tabs.h"
#include "canvas/line_painter.h"
#include "canvas/qt_chart_painter.h"
#include "canvas/symbol_label.h"
#include "canvas_test_support.h"
#include "engine_record_factory.h"

Q_DECLARE_METATYPE(SymbolShape)
Q_DECLARE_METATYPE(SymbolClass)

namespace {

EngineRecord RecordOf(const QByteArray& hex, bool invalid) {
    EngineRecord record;
    record.invalid = invalid ? 1 : 0;
    record.instruction.valid = 1;
    const QByteArray bytes = QByteArray::fromHex(hex);
    for (int i = 0; i < 8; ++i) record.instruction.code[i] = static_cast<std::uint8_t>(bytes.at(i));
    return record;
}

QImage WhiteImage(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

std::shared_ptr<FLOW_LINE> LineOf(Point from, std::vector<Point> waypoints, Point to) {
    return std::make_shared<FLOW_LINE>(1, 0, LineEnd{1, 2, Connector::Next, from.x, from.y},
                                       LineEnd{1, 3, Connector::In, to.x, to.y}, waypoints);
}

int CountColour(const QImage& image, const QColor& colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += PixelAt(image, x, y) == colour ? 1 : 0;
    return n;
}

}  // namespace

class CanvasDrawingTest : public QObject {
    Q_OBJECT

private:
    DrawingResources resources;

    // The chart as DrawChart paints it onto a white image.
    QImage Paint(const ChartFixture& chart, bool onScreen = true, bool lineMode = false) {
        QImage image = WhiteImage(480, 320);
        QPainter painter(&image);
        QtChartPainter chartPainter(painter, resources);
        chart.store.DrawChart(chartPainter, 0, onScreen, lineMode, false);
        return image;
    }

private slots:
    void labels_data() {
        QTest::addColumn<SymbolClass>("cls");
        QTest::addColumn<QByteArray>("code");
        QTest::addColumn<bool>("invalid");
        QTest::addColumn<SymbolShape>("shape");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        const auto row = [](const char* name, SymbolClass cls, const char* code, bool invalid,
                            SymbolShape shape, const char* first, const char* second = "") {
            QTest::newRow(name) << cls << QByteArray(code) << invalid << shape
                                << QString::fromUtf8(first) << QString::fromUtf8(second);
        };
        using C = SymbolClass;
        using S = SymbolShape;
        row("start", C::Start, "7F01000000000000", false, S::Terminal, "開始");
        row("end", C::End, "7F80000000000000", false, S::Terminal, "終了");
        row("return", C::End, "7F90000000000000", false, S::Terminal, "戻る");
        row("end other", C::End, "7F81000000000000", false, S::Terminal, "??");
        row("led off", C::Led, "3F21000000000000", false, S::LedBox, "LED消灯");
        row("led red", C::Led, "3F218000F0000000", false, S::LedBox, "LED点灯", "赤");
        row("led purple", C::Led, "3F21800880000000", false, S::LedBox, "LED点灯", "紫");
        row("led lit unknown colour", C::Led, "3F21900000000000", false, S::LedBox, "LED点灯",
            "??");
        row("led no match", C::Led, "3F21800102000000", false, S::LedBox, "??");
        row("relay white on", C::Relay, "2F23800000000000", false, S::TwoLineBox, "白色LED(出力1)",
            "オン");
        row("relay usb off", C::Relay, "2F24000000000000", false, S::TwoLineBox, "USB(出力2)",
            "オフ");
        row("relay third", C::Relay, "2F25800000000000", false, S::TwoLineBox, "??", "オン");
        row("relay odd action", C::Relay, "2F23400000000000", false, S::TwoLineBox,
            "白色LED(出力1)", "");
        row("buzzer small", C::Sound, "3727810100000000", false, S::TwoLineBox, "ブザー再生", "小");
        row("own melody large", C::Sound, "3727840800000000", false, S::TwoLineBox, "自作ﾒﾛﾃﾞｨ再生",
            "大");
        row("volume nibble 3", C::Sound, "3727830400000000", false, S::TwoLineBox, "メロディ再生",
            "??");
        row("sound kind 8003", C::Sound, "3727810300000000", false, S::TwoLineBox, "??", "小");
        row("stop", C::Sound, "3727000000000000", false, S::TwoLineBox, "サウンド停止", "??");
        row("wait 65535 tenths", C::Wait, "3728FFFF00000000", false, S::TwoLineBox, "ウエイト",
            "6000.0 秒");
        row("wait 5 tenths", C::Wait, "3728000500000000", false, S::TwoLineBox, "ウエイト",
            "  0.5 秒");
        row("clock alarm", C::ClockAlarm, "3F2B400007050000", false, S::TwoLineBox, "時計ｱﾗｰﾑ",
            "07:05");
        row("light one value", C::Sensor, "BF31810C32000000", false, S::Decision, "光＞50");
        row("temperature two values", C::Sensor, "BF3283AA1E140000", false, S::Decision,
            "20＜温＜30");
        row("second operator unknown", C::Sensor, "BF32833A1E140000", false, S::Decision,
            "20??温＜30");
        row("first operator unknown", C::Sensor, "BF33810832000000", false, S::Decision, "音XX50");
        row("unknown sensor", C::Sensor, "BF34810932000000", false, S::Decision, "??＝50");
        row("sensor mode unknown", C::Sensor, "BF31820932000000", false, S::Decision, "??");
        row("switch 1", C::SensorSwitch, "AF35000000000000", false, S::Decision, "スイッチ");
        row("switch 2", C::SensorSwitch, "AF36000000000000", false, S::Decision, "??");
        row("time", C::TimeDecision, "BF2B812C071E0000", false, S::Decision, "時＞07:30");
        row("time operator out of range", C::TimeDecision, "BF2B8128071E0000", false, S::Decision,
            "時XX07:30");
        row("time other opcode", C::TimeDecision, "BF2A812C071E0000", false, S::Decision,
            "??＞07:30");
        row("time mode unknown", C::TimeDecision, "BF2B802C071E0000", false, S::Decision, "??");
        row("timer", C::Timer, "BF2A8129005A0000", false, S::Decision, "??");
        row("timer reset", C::TimerReset, "3F2A200000000000", false, S::Box, "??");
        row("loop begin", C::LoopBegin, "7F08001A0003FE00", false, S::LoopBegin, "くり返し",
            "3 回");
        row("loop end", C::LoopEnd, "7F0C001A0000FE00", false, S::LoopEnd, "もどる");
        row("call sub 2", C::CallSub, "7F10020000FE0000", false, S::Subroutine, "ｻﾌﾞﾙｰﾁﾝ 2");
        row("call sub 4", C::CallSub, "7F10040000FE0000", false, S::Subroutine, "??");
        row("parallel", C::Parallel, "7F20000000000000", false, S::Parallel, "全ｻﾌﾞﾙｰﾁﾝ並列実行");
        row("invalid led", C::Led, "3F218000F0000000", true, S::Box, "??");
        row("invalid wait", C::Wait, "3728000500000000", true, S::Box, "??");
        row("invalid loop begin", C::LoopBegin, "7F08001A0003FE00", true, S::LoopBegin, "??");
        row("invalid loop end", C::LoopEnd, "7F0C001A0000FE00", true, S::LoopBegin, "??");
        row("invalid sensor", C::Sensor, "BF31810C32000000", true, S::Decision, "??");
    }

    void labels() {
        QFETCH(SymbolClass, cls);
        QFETCH(QByteArray, code);
        QFETCH(bool, invalid);
        const SymbolFace face = FaceOf(cls, RecordOf(code, invalid));
        QTEST(face.shape, "shape");
        QTEST(QString::fromStdString(face.first), "first");
        QTEST(QString::fromStdString(face.second), "second");
    }

    void ledFadesShowWhereTheirBitsAreSet() {
        const SymbolFace both = FaceOf(SymbolClass::Led, RecordOf("3F218600F0000000", false));
        QVERIFY(both.fadeIn && both.fadeOut);
        QCOMPARE(QString::fromStdString(both.second), QStringLiteral("赤"));
        const SymbolFace in = FaceOf(SymbolClass::Led, RecordOf("3F218200F0000000", false));
        QVERIFY(in.fadeIn && !in.fadeOut);
    }

    void labelFontsHaveJapaneseGlyphs() {
        for (const QFont& font : {resources.LabelFont(), resources.SmallFont()}) {
            const QString family = QFontInfo(font).family();
            QVERIFY2(QFontDatabase::writingSystems(family).contains(QFontDatabase::Japanese),
                     qPrintable(family));
        }
        QCOMPARE(QFontInfo(resources.LabelFont()).pixelSize(), 14);
        QCOMPARE(QFontInfo(resources.SmallFont()).pixelSize(), 11);
    }

    void selectedSymbolIsBlueAndOthersBlack() {
        ChartFixture chart;
        const int plain = chart.Place(Kind::Wait, 48, 48);
        const int picked = chart.Place(Kind::Wait, 240, 48);
        chart.store.SetSelection({picked});
        const QImage image = Paint(chart);
        QCOMPARE(PixelAt(image, 48, 72), kInk);    // left edge of the plain box
        QCOMPARE(PixelAt(image, 240, 72), kBlue);  // left edge of the selected one
        QCOMPARE(PixelAt(image, 143, 60), kInk);   // the box ends on R - 1 and R
        QCOMPARE(PixelAt(image, 145, 60), kWhite);
        Q_UNUSED(plain);
    }

    void coveredConnectorIsAnOutline() {
        ChartFixture chart;
        chart.Place(Kind::Wait, 48, 48);  // next exit at (96, 96)
        chart.Place(Kind::Wait, 48, 96);  // entry at (96, 96): both covered
        chart.Place(Kind::Wait, 240, 48);
        const QImage image = Paint(chart);
        QCOMPARE(PixelAt(image, 96, 94), kWhite);  // inside the outline
        QCOMPARE(PixelAt(image, 96, 92), kBlue);   // its top edge
        QCOMPARE(PixelAt(image, 288, 94), kBlue);  // a free exit is filled
        QCOMPARE(PixelAt(image, 288, 46), kBlue);  // and so is a free entry
    }

    void connectorsFollowLinksAndLineMode() {
        ChartFixture chart;
        const int a = chart.Place(Kind::Wait, 48, 48);
        const int b = chart.Place(Kind::SensorLight, 48, 192);
        chart.Connect(a, Connector::Next, b);
        QImage image = Paint(chart);
        QCOMPARE(PixelAt(image, 96, 190), kInk);    // the arrowhead at b's entry
        QCOMPARE(PixelAt(image, 99, 189), kWhite);  // a linked entry shows no mark
        QCOMPARE(PixelAt(image, 146, 216), kBlue);  // b's free branch exit points right
        QCOMPARE(PixelAt(image, 96, 238), kBlue);   // b's free next exit
        image = Paint(chart, true, true);
        QCOMPARE(PixelAt(image, 99, 189), kBlue);    // in line mode every entry is a target
        QCOMPARE(PixelAt(image, 146, 216), kWhite);  // and the exits are hidden
        QCOMPARE(PixelAt(image, 96, 238), kWhite);
    }

    void wholeViewShowsNoBlue() {
        ChartFixture chart;
        const int a = chart.Place(Kind::SensorLight, 48, 48);
        chart.store.SetSelection({a});
        const QImage image = Paint(chart, false);
        QCOMPARE(CountColour(image, kBlue), 0);
        QVERIFY(CountColour(image, kInk) > 0);
    }

    void arrowheads_data() {
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("waypoint");  // (0, 0) for none
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<QPoint>("direction");  // unit vector the arrow points along
        QTest::newRow("right") << QPoint(40, 40) << QPoint() << QPoint(120, 100) << QPoint(1, 0);
        QTest::newRow("left") << QPoint(200, 40) << QPoint() << QPoint(120, 100) << QPoint(-1, 0);
        QTest::newRow("down") << QPoint(40, 40) << QPoint() << QPoint(40, 120) << QPoint(0, 1);
        QTest::newRow("up") << QPoint(40, 200) << QPoint() << QPoint(40, 120) << QPoint(0, -1);
        QTest::newRow("waypoint above the end")
            << QPoint(200, 40) << QPoint(120, 60) << QPoint(120, 140) << QPoint(0, 1);
    }

    void arrowheads() {
        QFETCH(QPoint, from);
        QFETCH(QPoint, waypoint);
        QFETCH(QPoint, to);
        QFETCH(QPoint, direction);
        std::vector<Point> waypoints;
        if (!waypoint.isNull()) waypoints.push_back({waypoint.x(), waypoint.y()});
        QImage image = WhiteImage(240, 240);
        {
            QPainter painter(&image);
            PaintLine(painter, *LineOf({from.x(), from.y()}, waypoints, {to.x(), to.y()}), false);
        }
        // The upward arrowhead's tip sits one pixel below the end point.
        const QPoint tip = direction.y() < 0 ? to + QPoint(0, 1) : to;
        const QPoint side(direction.y(), direction.x());
        // Six pixels behind the tip the head is 2 pixels wider either side
        // than the 3-pixel line; beyond the tip nothing is drawn.
        QCOMPARE(PixelAt(image, (tip - 6 * direction + 2 * side).x(),
                         (tip - 6 * direction + 2 * side).y()),
                 kInk);
        QCOMPARE(PixelAt(image, (tip - 6 * direction - 2 * side).x(),
                         (tip - 6 * direction - 2 * side).y()),
                 kInk);
        QCOMPARE(PixelAt(image, (tip + 3 * direction).x(), (tip + 3 * direction).y()), kWhite);
        if (direction.x() == 0) {
            // Arriving vertically: no horizontal leg along the end's row.
            QCOMPARE(PixelAt(image, to.x() - 10, to.y()), kWhite);
            QCOMPARE(PixelAt(image, to.x() + 10, to.y()), kWhite);
        }
    }

    void selectedLineIsBlue() {
        QImage image = WhiteImage(240, 240);
        {
            QPainter painter(&image);
            PaintLine(painter, *LineOf({40, 40}, {}, {40, 120}), true);
        }
        QCOMPARE(PixelAt(image, 40, 80), kBlue);
        QCOMPARE(PixelAt(image, 41, 80), kBlue);  // 3 pixels wide
        QCOMPARE(PixelAt(image, 43, 80), kWhite);
        QCOMPARE(PixelAt(image, 40, 117), kBlue);  // arrowhead
    }

    void lineInProgressHasBlackLegsAndABlueLooseLeg() {
        QImage image = WhiteImage(240, 240);
        {
            QPainter painter(&image);
            PaintLineInProgress(painter, {{40, 40}, {100, 80}}, {160, 140});
        }
        QCOMPARE(PixelAt(image, 40, 60), kInk);
        QCOMPARE(PixelAt(image, 70, 80), kInk);
        QCOMPARE(PixelAt(image, 100, 110), kBlue);
        QCOMPARE(PixelAt(image, 130, 140), kBlue);
    }

    void rubberBandIsDotted() {
        QImage image = WhiteImage(100, 100);
        {
            QPainter painter(&image);
            PaintRubberBand(painter, {60, 50, 20, 20});  // corners in either order
        }
        int inkOnTop = 0;
        for (int x = 20; x < 60; ++x) inkOnTop += PixelAt(image, x, 20) == kInk ? 1 : 0;
        QCOMPARE(inkOnTop, 20);
        QVERIFY(PixelAt(image, 20, 20) != PixelAt(image, 21, 20));
        QCOMPARE(PixelAt(image, 40, 35), kWhite);
    }

    void sheetGridAndBorder() {
        QImage image = WhiteImage(100, 100);
        {
            QPainter painter(&image);
            PaintSheet(painter, resources, QRect(0, 0, 100, 100));
        }
        QCOMPARE(PixelAt(image, 24, 30), kGridColour);  // dotted: even rows on
        QCOMPARE(PixelAt(image, 24, 31), kWhite);
        QCOMPARE(PixelAt(image, 30, 48), kGridColour);
        QCOMPARE(PixelAt(image, 31, 48), kWhite);
        QCOMPARE(PixelAt(image, 1, 51), kGridColour);  // solid 2-pixel border
        QCOMPARE(PixelAt(image, 51, 1), kGridColour);
        QCOMPARE(PixelAt(image, 30, 30), kWhite);
    }

    void sheetEndsWithItsBorder() {
        QImage image = WhiteImage(40, 40);
        {
            QPainter painter(&image);
            painter.translate(-1900, -2670);
            PaintSheet(painter, resources, QRect(1900, 2670, 40, 40));
        }
        const auto at = [&](int x, int y) { return PixelAt(image, x - 1900, y - 2670); };
        QCOMPARE(at(1919, 2679), kGridColour);
        QCOMPARE(at(1920, 2679), kGridColour);
        QCOMPARE(at(1921, 2679), kWindowColour);
        QCOMPARE(at(1910, 2688), kGridColour);
        QCOMPARE(at(1910, 2689), kWindowColour);
    }

    void normalViewShowsTheScrolledPartOnly() {
        ChartFixture chart;
        chart.Place(Kind::Wait, 48, 72);
        chart.store.SetSelection({});  // a new symbol starts selected
        QImage image(240, 240, QImage::Format_RGB32);
        image.fill(Qt::red);
        {
            QPainter painter(&image);
            NormalView view;
            view.scrollX = 1;
            view.scrollY = 2;
            RenderNormalView(painter, resources, chart.store, QRect(0, 24, 200, 200), view);
        }
        // Sheet (x, y) shows at (x - 24, y - 48 + 24).
        QCOMPARE(PixelAt(image, 24, 72), kInk);             // the box's left edge at sheet (48, 96)
        QCOMPARE(PixelAt(image, 144, 76), kGridColour);     // grid at sheet (168, 100)
        QCOMPARE(PixelAt(image, 144, 75), kWhite);          // ... dotted
        QCOMPARE(PixelAt(image, 10, 10), QColor(Qt::red));  // outside the area: untouched
        QCOMPARE(PixelAt(image, 210, 100), QColor(Qt::red));
    }

    void wholeViewOfAnEmptyChartIsWhite() {
        ChartFixture chart;
        QImage image(520, 420, QImage::Format_RGB32);
        image.fill(Qt::red);
        {
            QPainter painter(&image);
            RenderWholeView(painter, resources, chart.store, QRect(0, 24, 504, 376), 0);
        }
        QCOMPARE(CountColour(image.copy(0, 24, 504, 376), kWhite), 504 * 376);
    }

    void wholeViewDoesNotEnlargeASmallChart() {
        ChartFixture chart;
        chart.Place(Kind::Wait, 383, 48);  // ends at x = 479 in an area 504 wide
        QImage image(520, 420, QImage::Format_RGB32);
        {
            QPainter painter(&image);
            RenderWholeView(painter, resources, chart.store, QRect(0, 24, 504, 376), 0);
        }
        QCOMPARE(PixelAt(image, 383, 24 + 72), kInk);  // at 1:1
        QCOMPARE(PixelAt(image, 381, 24 + 72), kWhite);
        QCOMPARE(PixelAt(image, 479, 24 + 72), kInk);
    }

    void wholeViewShrinksALargeChartToFit() {
        ChartFixture chart;
        chart.Place(Kind::Wait, 0, 0);
        chart.Place(Kind::Wait, 1824, 2640);  // the sheet's far corner
        const QRect area(0, 24, 504, 400);
        QImage image(520, 440, QImage::Format_RGB32);
        image.fill(Qt::red);
        {
            QPainter painter(&image);
            RenderWholeView(painter, resources, chart.store, area, 0);
        }
        // Scale 2689 / (400 - 24): the chart takes 268 x 376 pixels.
        const double scale = 2689.0 / 376.0;
        QCOMPARE(WholeViewScale(1921, 2689, area), scale);
        const int w = static_cast<int>(1921 / scale);
        const int h = static_cast<int>(2689 / scale);
        int darkest = 255;  // the far symbol, shrunk into the corner
        for (int x = w - 14; x < w; ++x)
            for (int y = 24 + h - 8; y < 24 + h; ++y)
                darkest = std::min(darkest, PixelAt(image, x, y).lightness());
        QVERIFY(darkest < 200);
        for (int x = w + 1; x < area.width(); x += 7)
            for (int y = 24; y < 24 + area.height(); y += 7) QCOMPARE(PixelAt(image, x, y), kWhite);
    }

    void drawnTabsStandInForMissingImages() {
        const DrawnTabStrip tabs = DrawnTabStrip::ChartTabs();
        QCOMPARE(tabs.Width(), 512);
        QCOMPARE(tabs.HitTest(0, 0), 0);
        QCOMPARE(tabs.HitTest(130, 5), 1);
        QCOMPARE(tabs.HitTest(511, 23), 3);
        QCOMPARE(tabs.HitTest(512, 5), -1);
        QCOMPARE(tabs.HitTest(5, 24), -1);
        QImage image = WhiteImage(512, 24);
        {
            QPainter painter(&image);
            tabs.Paint(painter, QPoint(0, 0), 2);
        }
        // The selected tab is light, the others shaded.
        QVERIFY(PixelAt(image, 256 + 4, 3).lightness() > PixelAt(image, 4, 3).lightness());
    }

    void snapping_data() {
        QTest::addColumn<int>("v");
        QTest::addColumn<int>("down");
        QTest::addColumn<int>("nearest");
        QTest::newRow("on a boundary") << 48 << 48 << 48;
        QTest::newRow("one short of it") << 47 << 24 << 48;
        QTest::newRow("11 past") << 59 << 48 << 48;
        QTest::newRow("12 past") << 60 << 48 << 72;
        QTest::newRow("zero") << 0 << 0 << 0;
    }

    void snapping() {
        QFETCH(int, v);
        QTEST(SnapDown(v), "down");
        QTEST(SnapNearest(v), "nearest");
    }

    void clientToSheetAddsTheScroll() {
        const SheetPoint p = ToSheet(QPoint(30, 60), QPoint(0, 24), 2, 3);
        QCOMPARE(p.raw, (Point{30 + 48, 36 + 72}));
        QCOMPARE(p.down, (Point{72, 96}));
        QCOMPARE(p.nearest, (Point{72, 120}));
    }

    void layoutOfTheWorkArea() {
        const WorkAreaLayout layout = LayoutWorkArea(800, 600);
        QCOMPARE(layout.drawingArea, QRect(0, 24, 784, 552));
        QCOMPARE(layout.verticalBar, QRect(784, 24, 16, 560));
        QCOMPARE(layout.horizontalBar, QRect(512, 584, 272, 16));
        QCOMPARE(layout.bottomTabs, QRect(0, 576, 512, 24));
    }

    void scrollPositions() {
        QCOMPARE(LargestScrollPosition(112, 30), 83);
        QCOMPARE(ReduceToFit(100, 83), 83);
        QCOMPARE(ReduceToFit(50, 83), 50);
        QCOMPARE(ReduceToFit(5, -7), 0);  // a page taller than the sheet
        QCOMPARE(ApplyScrollRequest(ScrollRequest::PageForward, 10, 0, 83), 11);
        QCOMPARE(ApplyScrollRequest(ScrollRequest::LineForward, 83, 0, 83), 83);
        QCOMPARE(ApplyScrollRequest(ScrollRequest::PageBack, 0, 0, 83), 0);
        QCOMPARE(ApplyScrollRequest(ScrollRequest::Track, 10, 40, 83), 40);
        QCOMPARE(ApplyScrollRequest(ScrollRequest::Last, 10, 0, 83), 83);
        QCOMPARE(ApplyScrollRequest(ScrollRequest::First, 10, 0, 83), 0);
        QCOMPARE(ApplyScrollRequest(ScrollRequest::End, 10, 0, 83), 10);
    }

    void autoscrollBand() {
        const QRect area(0, 24, 400, 300);
        QCOMPARE(AutoscrollFor(QPoint(200, 150), area), Autoscroll{});
        QCOMPARE(AutoscrollFor(QPoint(47, 150), area), (Autoscroll{true, -1, 0}));
        QCOMPARE(AutoscrollFor(QPoint(48, 150), area), Autoscroll{});
        QCOMPARE(AutoscrollFor(QPoint(399, 323), area), (Autoscroll{true, 1, 1}));
        QCOMPARE(AutoscrollFor(QPoint(200, 30), area), (Autoscroll{true, 0, -1}));
        QCOMPARE(AutoscrollFor(QPoint(450, 150), area), Autoscroll{});  // outside
    }
};

QTEST_MAIN(CanvasDrawingTest)
#include "canvas_drawing_test.moc"
