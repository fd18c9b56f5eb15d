// The outline of each kind of symbol, where the decision's answers and the
// LED's fade marks sit, and the colour of a selected symbol's label: pixels
// the chart painter puts down for one symbol on a white image.
#include <QPainter>
#include <QtTest>

#include "canvas/drawing_resources.h"
#include "canvas/qt_chart_painter.h"
#include "canvas_test_support.h"

namespace {

NuvoInstruction InstructionOf(const QByteArray& hex) {
    NuvoInstruction instruction;
    instruction.valid = 1;
    const QByteArray bytes = QByteArray::fromHex(hex);
    for (int i = 0; i < 8; ++i) instruction.code[i] = static_cast<std::uint8_t>(bytes.at(i));
    return instruction;
}

// Whether anything but white lies within one pixel of (x, y).
bool InkNear(const QImage& image, int x, int y) {
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (PixelAt(image, x + dx, y + dy) != kWhite) return true;
    return false;
}

// Counts of the text pixels in a rectangle: black ink (greys) and selection
// blue (blue blended with white), the antialiased edges included.
struct TextInk {
    int black = 0;
    int blue = 0;
};
TextInk InkIn(const QImage& image, const QRect& area) {
    TextInk ink;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = PixelAt(image, x, y);
            if (c == kWhite) continue;
            if (c.red() == c.green() && c.green() == c.blue()) ++ink.black;
            if (c.blue() == 255 && c.red() == c.green() && c.red() < 255) ++ink.blue;
        }
    }
    return ink;
}

}  // namespace

class SymbolDrawingTest : public QObject {
    Q_OBJECT

private:
    DrawingResources resources;

    // The chart as DrawChart paints it onto a white image; off screen there
    // are no connector marks and no highlight.
    QImage Paint(const ChartFixture& chart, bool onScreen = true) {
        QImage image(480, 320, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        QtChartPainter chartPainter(painter, resources);
        chart.store.DrawChart(chartPainter, 0, onScreen, false, false);
        return image;
    }

private slots:
    // Each kind is drawn in its own outline: probes where the shapes differ,
    // for a symbol at (48, 48) (L 48, T 48, R 144, B 96, midY 72).
    void eachKindHasItsOwnOutline_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QList<QPoint>>("ink");
        QTest::addColumn<QList<QPoint>>("blank");
        const QPoint topLeftCorner(50, 50);
        const QPoint bottomLeftCorner(50, 95);
        QTest::newRow("terminal") << Kind::Start << QList<QPoint>{{96, 49}, {49, 72}}
                                  << QList<QPoint>{topLeftCorner, bottomLeftCorner};
        QTest::newRow("box") << Kind::TimerReset << QList<QPoint>{topLeftCorner, bottomLeftCorner}
                             << QList<QPoint>{};
        QTest::newRow("decision") << Kind::SensorLight << QList<QPoint>{{48, 72}, {96, 48}}
                                  << QList<QPoint>{topLeftCorner, bottomLeftCorner};
        QTest::newRow("loop begin") << Kind::LoopBegin << QList<QPoint>{bottomLeftCorner, {96, 49}}
                                    << QList<QPoint>{topLeftCorner};
        QTest::newRow("loop end") << Kind::LoopEnd << QList<QPoint>{topLeftCorner, {96, 96}}
                                  << QList<QPoint>{bottomLeftCorner};
        QTest::newRow("subroutine") << Kind::CallSub << QList<QPoint>{topLeftCorner, {57, 60}, {136, 60}}
                                    << QList<QPoint>{{62, 53}};
        QTest::newRow("parallel") << Kind::Parallel << QList<QPoint>{{50, 49}, {140, 72}}
                                  << QList<QPoint>{{49, 60}, {143, 60}, bottomLeftCorner};
    }

    void eachKindHasItsOwnOutline() {
        QFETCH(int, kind);
        QFETCH(QList<QPoint>, ink);
        QFETCH(QList<QPoint>, blank);
        ChartFixture chart;
        chart.Place(kind, 48, 48);
        const QImage image = Paint(chart, false);  // no connectors
        const auto where = [](const QPoint& p) { return QString("%1,%2").arg(p.x()).arg(p.y()); };
        for (const QPoint& p : ink) QVERIFY2(InkNear(image, p.x(), p.y()), qPrintable(where(p)));
        for (const QPoint& p : blank) QVERIFY2(!InkNear(image, p.x(), p.y()), qPrintable(where(p)));
    }

    // "いいえ" right-aligned at the top right and "はい" left-aligned at the
    // bottom left of a decision, outside its diamond; the mirrored corners
    // stay empty.
    void decisionAnswersSitAtTheirCorners() {
        ChartFixture chart;
        chart.Place(Kind::SensorLight, 48, 48);
        const QImage image = Paint(chart, false);
        const QRect no(122, 49, 24, 9);     // above the diamond's upper right edge
        const QRect yes(61, 89, 12, 10);    // below its lower left edge
        QVERIFY(InkIn(image, no).black > 0);
        QVERIFY(InkIn(image, yes).black > 0);
        QCOMPARE(InkIn(image, no.translated(-72, 0)).black, 0);  // upper left
        QCOMPARE(InkIn(image, yes.translated(59, 0)).black, 0);  // lower right
    }

    // "in" in the left and "out" in the right third of the LED box's lower
    // half, each only when its fade bit is set; the colour in the middle.
    void ledFadeMarksSitInTheirColumns_data() {
        QTest::addColumn<QByteArray>("code");
        QTest::addColumn<bool>("in");
        QTest::addColumn<bool>("out");
        QTest::newRow("fade in") << QByteArray("3F218200F0000000") << true << false;
        QTest::newRow("fade out") << QByteArray("3F218400F0000000") << false << true;
        QTest::newRow("neither") << QByteArray("3F218000F0000000") << false << false;
    }

    void ledFadeMarksSitInTheirColumns() {
        QFETCH(QByteArray, code);
        ChartFixture chart;
        const int led = chart.Place(Kind::Led, 48, 48);
        chart.store.RestoreInstruction({led}, InstructionOf(code));
        chart.store.SetSelection({});
        const QImage image = Paint(chart, false);
        const QRect left(51, 74, 28, 19);     // (L, T + 24)-(L + 32, B) inside the outline
        const QRect middle(83, 74, 28, 19);
        const QRect right(115, 74, 26, 19);
        QTEST(InkIn(image, left).black > 0, "in");
        QTEST(InkIn(image, right).black > 0, "out");
        QVERIFY(InkIn(image, middle).black > 0);  // 赤
    }

    // A selected symbol's label is drawn in the selection blue, another's in black.
    void selectedLabelIsBlue() {
        ChartFixture chart;
        chart.Place(Kind::Wait, 48, 48);
        const int picked = chart.Place(Kind::Wait, 240, 48);
        chart.store.SetSelection({picked});
        const QImage image = Paint(chart);
        const QRect plainLabel(52, 56, 88, 34);  // clear of the outline and connector marks
        const TextInk plain = InkIn(image, plainLabel);
        const TextInk selected = InkIn(image, plainLabel.translated(192, 0));
        QVERIFY(plain.black > 20);
        QCOMPARE(plain.blue, 0);
        QVERIFY(selected.blue > 20);
        QCOMPARE(selected.black, 0);
    }

};

QTEST_MAIN(SymbolDrawingTest)
#include "symbol_drawing_test.moc"
