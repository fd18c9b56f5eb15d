#include "canvas/qt_chart_painter.h"

#include "canvas/line_painter.h"
#include "canvas/symbol_painter.h"
#include "flow_object.h"

namespace {
// How far marks reach beyond an object's bounds: connector triangles, wide
// pens, arrowheads and the decision's "いいえ" / "はい" texts.
constexpr int kMarkMargin = 16;
}  // namespace

QtChartPainter::QtChartPainter(QPainter& painter, const DrawingResources& resources, QRect visible)
    : painter_(painter), resources_(resources), visible_(visible) {}

void QtChartPainter::DrawObject(const IFLOWOBJECT& object, bool highlighted, bool showConnectors,
                                bool lineMode) {
    if (!visible_.isEmpty()) {
        const Rect b = object.Bounds().Inflated(kMarkMargin);
        if (!visible_.intersects(QRect(QPoint(b.left, b.top), QSize(b.Width(), b.Height()))))
            return;
    }
    if (object.IsLine())
        PaintLine(painter_, object, highlighted);
    else
        PaintSymbol(painter_, resources_, object, highlighted, showConnectors, lineMode);
}

void QtChartPainter::DrawRubberBand(const Rect& rect) { PaintRubberBand(painter_, rect); }

void QtChartPainter::DrawLineInProgress(const std::vector<Point>& points, Point mouse) {
    PaintLineInProgress(painter_, points, mouse);
}
