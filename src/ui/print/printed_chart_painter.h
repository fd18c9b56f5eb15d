// A chart as it goes on paper: no highlight, no connectors, and neither the
// rubber band nor a line still being drawn.
#pragma once

#include "chart_painter.h"

class PrintedChartPainter final : public IChartPainter {
public:
    explicit PrintedChartPainter(IChartPainter& inner) : inner_(inner) {}
    void DrawObject(const IFLOWOBJECT& object, bool, bool, bool) override {
        inner_.DrawObject(object, false, false, false);
    }
    void DrawRubberBand(const Rect&) override {}
    void DrawLineInProgress(const std::vector<Point>&, Point) override {}

private:
    IChartPainter& inner_;
};
