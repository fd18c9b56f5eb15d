// What the chart store asks of whoever paints a chart; the canvas and the
// printer implement it.
#pragma once

#include <vector>

#include "geometry.h"

class IFLOWOBJECT;

class IChartPainter {
public:
    virtual ~IChartPainter() = default;
    virtual void DrawObject(const IFLOWOBJECT& object, bool highlighted, bool showConnectors,
                            bool lineMode) = 0;
    // One-pixel dotted outline, no fill.
    virtual void DrawRubberBand(const Rect& rect) = 0;
    // The line being drawn: fixed legs through points, then the loose leg to the mouse.
    virtual void DrawLineInProgress(const std::vector<Point>& points, Point mouse) = 0;
};
