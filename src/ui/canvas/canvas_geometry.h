// Geometry of the work area: its layout, the client-to-sheet conversion with
// its three snapping forms, scroll-bar positions, autoscroll and whole view.
#pragma once

#include <QPoint>
#include <QRect>

#include "geometry.h"

namespace Canvas {
inline constexpr int kTabHeight = 24;
inline constexpr int kScrollBarSize = 16;
inline constexpr int kBottomTabsWidth = 512;
inline constexpr int kAutoscrollBand = 48;
inline constexpr int kHorizontalCells = kSheetWidth / kGrid;  // 80
inline constexpr int kVerticalCells = kSheetHeight / kGrid;   // 112
inline constexpr int kAutoscrollMs = 100;
}  // namespace Canvas

// Where the parts of the work area sit in a client area of width x height.
struct WorkAreaLayout {
    QRect topTabs;
    QRect drawingArea;
    QRect verticalBar;
    QRect horizontalBar;
    QRect bottomTabs;
};
WorkAreaLayout LayoutWorkArea(int width, int height);

// A client point in sheet pixels, in the three forms the canvas uses.
struct SheetPoint {
    Point raw;      // hit tests
    Point down;     // placing, moving, grabbing
    Point nearest;  // line starts, waypoints and ends
};
int SnapDown(int v);
int SnapNearest(int v);
SheetPoint ToSheet(QPoint client, QPoint areaOrigin, int scrollX, int scrollY);

// Scroll positions in cells. The largest position lets the last page fit.
int LargestScrollPosition(int rangeMax, int page);
enum class ScrollRequest { LineBack, LineForward, PageBack, PageForward, Track, First, Last, End };
// The position after a request; position is the tracked one for Track.
int ApplyScrollRequest(ScrollRequest request, int current, int tracked, int largest);
// Lowers position until the page fits.
int ReduceToFit(int position, int largest);

struct Autoscroll {
    bool active = false;
    int dx = 0;
    int dy = 0;

    bool operator==(const Autoscroll&) const = default;
};
// Steps for a pointer within the 48-pixel band along the edges of area.
Autoscroll AutoscrollFor(QPoint client, const QRect& area);

// Scale of whole view for a chart extending to (w, h): never below 1.
double WholeViewScale(int w, int h, const QRect& area);
