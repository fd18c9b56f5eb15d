// Composes the drawing area: the squared sheet with the current chart at 1:1
// (normal view) or the chart alone, scaled down to fit (whole view).
#pragma once

#include <QRect>
#include <vector>

class CFlowObjectManager;
class DrawingResources;
class QPainter;

// The sheet's grid, border and white background for the part of the sheet
// in sheetRect (sheet pixels); outside the sheet, the window colour.
void PaintSheet(QPainter& painter, const DrawingResources& resources, const QRect& sheetRect);

struct NormalView {
    int chart = 0;
    int scrollX = 0;  // cells
    int scrollY = 0;
    bool lineMode = false;
    bool rubberBand = false;
};

// Only the visible part of the sheet is drawn, so a frame costs what the
// area shows rather than the whole sheet.
void RenderNormalView(QPainter& painter, const DrawingResources& resources,
                      const CFlowObjectManager& store, const QRect& area, const NormalView& view);

// Draws the chart without highlights or connectors and shrinks it into the
// area's top-left corner; a chart that fits is not enlarged.
void RenderWholeView(QPainter& painter, const DrawingResources& resources,
                     const CFlowObjectManager& store, const QRect& area, int chart);

// Frames the symbols among uids that lie on chart: the ones the virtual board
// executes. The view shows sheet point p at origin + p * scale.
void PaintExecutingFrames(QPainter& painter, const CFlowObjectManager& store,
                          const std::vector<int>& uids, int chart, QPoint origin, double scale);
