// The chart store's painter interface on a QPainter in sheet coordinates.
#pragma once

#include <QRect>

#include "chart_painter.h"

class DrawingResources;
class QPainter;

class QtChartPainter : public IChartPainter {
public:
    // Objects entirely outside visible (sheet pixels) are skipped; an empty
    // rectangle draws everything.
    QtChartPainter(QPainter& painter, const DrawingResources& resources, QRect visible = {});

    void DrawObject(const IFLOWOBJECT& object, bool highlighted, bool showConnectors,
                    bool lineMode) override;
    void DrawRubberBand(const Rect& rect) override;
    void DrawLineInProgress(const std::vector<Point>& points, Point mouse) override;

private:
    QPainter& painter_;
    const DrawingResources& resources_;
    QRect visible_;
};
