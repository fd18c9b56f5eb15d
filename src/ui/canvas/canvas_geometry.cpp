#include "canvas/canvas_geometry.h"

#include <algorithm>

WorkAreaLayout LayoutWorkArea(int width, int height) {
    using namespace Canvas;
    const int bar = kScrollBarSize;
    WorkAreaLayout layout;
    layout.topTabs = QRect(0, 0, width, kTabHeight);
    layout.drawingArea =
        QRect(QPoint(0, kTabHeight), QPoint(width - bar - 1, height - kTabHeight - 1));
    layout.verticalBar =
        QRect(QPoint(width - bar, kTabHeight), QPoint(width - 1, height - bar - 1));
    layout.horizontalBar =
        QRect(QPoint(kBottomTabsWidth, height - bar), QPoint(width - bar - 1, height - 1));
    layout.bottomTabs = QRect(0, height - kTabHeight, kBottomTabsWidth, kTabHeight);
    return layout;
}

int SnapDown(int v) { return v / kGrid * kGrid; }

int SnapNearest(int v) { return SnapDown(v) + (v % kGrid > 11 ? kGrid : 0); }

SheetPoint ToSheet(QPoint client, QPoint areaOrigin, int scrollX, int scrollY) {
    const Point raw{client.x() - areaOrigin.x() + scrollX * kGrid,
                    client.y() - areaOrigin.y() + scrollY * kGrid};
    return {raw, {SnapDown(raw.x), SnapDown(raw.y)}, {SnapNearest(raw.x), SnapNearest(raw.y)}};
}

int LargestScrollPosition(int rangeMax, int page) { return rangeMax + 1 - page; }

int ApplyScrollRequest(ScrollRequest request, int current, int tracked, int largest) {
    switch (request) {
        case ScrollRequest::LineBack:
        case ScrollRequest::PageBack:
            return std::max(current - 1, 0);
        case ScrollRequest::LineForward:
        case ScrollRequest::PageForward:
            return std::min(current + 1, std::max(largest, current));
        case ScrollRequest::Track:
            return tracked;
        case ScrollRequest::First:
            return 0;
        case ScrollRequest::Last:
            return largest;
        case ScrollRequest::End:
            break;
    }
    return current;
}

int ReduceToFit(int position, int largest) { return std::max(0, std::min(position, largest)); }

Autoscroll AutoscrollFor(QPoint client, const QRect& area) {
    if (!area.contains(client)) return {};
    using Canvas::kAutoscrollBand;
    Autoscroll a;
    if (client.x() < area.left() + kAutoscrollBand)
        a.dx = -1;
    else if (client.x() > area.right() - kAutoscrollBand)
        a.dx = 1;
    if (client.y() < area.top() + kAutoscrollBand)
        a.dy = -1;
    else if (client.y() > area.bottom() - kAutoscrollBand)
        a.dy = 1;
    a.active = a.dx != 0 || a.dy != 0;
    return a;
}

double WholeViewScale(int w, int h, const QRect& area) {
    // An area narrower than the margin still yields a finite scale.
    const double width = std::max(1, area.width() - kGrid);
    const double height = std::max(1, area.height() - kGrid);
    return std::max({w / width, h / height, 1.0});
}
