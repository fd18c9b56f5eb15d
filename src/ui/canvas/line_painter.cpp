#include "canvas/line_painter.h"

#include <QPainter>
#include <QPolygon>

#include "canvas/drawing_resources.h"
#include "flow_object.h"

namespace {

// Appends the two legs of one step: vertical first, then horizontal.
void AddStep(QPolygon& path, QPoint to) {
    const QPoint current = path.last();
    path << QPoint(current.x(), to.y()) << to;
}

// Finishes the path at the end point and returns the arrowhead that points at it.
QPolygon AddArrow(QPolygon& path, QPoint end) {
    const QPoint c = path.last();
    const int xe = end.x();
    const int ye = end.y();
    if (c.x() < xe) {
        path << QPoint(c.x(), ye) << QPoint(xe - 10, ye);
        return QPolygon({QPoint(xe - 11, ye + 4), QPoint(xe, ye), QPoint(xe - 11, ye - 4)});
    }
    if (c.x() > xe) {
        path << QPoint(c.x(), ye) << QPoint(xe + 10, ye);
        return QPolygon({QPoint(xe + 11, ye - 4), QPoint(xe, ye), QPoint(xe + 11, ye + 4)});
    }
    if (ye < c.y()) {
        path << QPoint(xe, ye + 10);
        return QPolygon({QPoint(xe - 4, ye + 12), QPoint(xe, ye + 1), QPoint(xe + 4, ye + 12)});
    }
    path << QPoint(xe, ye - 10);
    return QPolygon({QPoint(xe - 4, ye - 11), QPoint(xe, ye), QPoint(xe + 4, ye - 11)});
}

// The legs of a path in the 3-pixel pen with square ends: each leg covers
// one pixel beyond its ends and one on either side. Filled as bars, which
// is what the pen draws, only quicker.
void DrawLegs(QPainter& painter, const QPolygon& path, QRgb colour) {
    for (int i = 1; i < path.size(); ++i) {
        const QRect leg = QRect(path[i - 1], path[i]).normalized();
        painter.fillRect(leg.adjusted(-1, -1, 1, 1), QColor(colour));
    }
}

}  // namespace

void PaintLine(QPainter& painter, const IFLOWOBJECT& line, bool highlighted) {
    if (line.Deleted()) return;
    const QRgb colour = highlighted ? Colours::Selected : Colours::Ink;
    QPolygon path({QPoint(line.From().x, line.From().y)});
    for (const Point& w : line.Waypoints()) AddStep(path, QPoint(w.x, w.y));
    const QPolygon arrow = AddArrow(path, QPoint(line.To().x, line.To().y));
    DrawLegs(painter, path, colour);
    painter.setPen(QPen(QColor(colour), 1));
    painter.setBrush(QColor(colour));
    painter.drawPolygon(arrow);
}

void PaintLineInProgress(QPainter& painter, const std::vector<Point>& points, Point mouse) {
    if (points.empty()) return;
    QPolygon fixed({QPoint(points.front().x, points.front().y)});
    for (std::size_t i = 1; i < points.size(); ++i)
        AddStep(fixed, QPoint(points[i].x, points[i].y));
    QPolygon loose({fixed.last()});
    AddStep(loose, QPoint(mouse.x, mouse.y));
    DrawLegs(painter, fixed, Colours::Ink);
    DrawLegs(painter, loose, Colours::Selected);
}

void PaintRubberBand(QPainter& painter, const Rect& rect) {
    const Rect r = rect.Normalized();
    QPen pen(QColor(Colours::Ink), 1);
    pen.setDashPattern({1.0, 1.0});
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawPolygon(
        QPolygon({QPoint(r.left, r.top), QPoint(r.right - 1, r.top),
                  QPoint(r.right - 1, r.bottom - 1), QPoint(r.left, r.bottom - 1)}));
}
