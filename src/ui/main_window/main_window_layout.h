// Where the main window's children sit in its client area: the tool bar along
// the top, the palette at the left, the information area at the right, the
// message area along the bottom and the work area in the rest.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <algorithm>

namespace MainWindowLayout {
inline constexpr int kToolBarHeight = 24;
inline constexpr int kPaletteWidth = 98;
inline constexpr int kInformationWidth = 200;
inline constexpr int kMessageAreaHeight = 80;
}  // namespace MainWindowLayout

// Where a window of the given outer size goes: centred on the screen's
// available area, but never above or left of it (its title bar stays reachable).
inline QPoint CentredPosition(const QRect& available, QSize outer) {
    return {std::max(available.left(), available.x() + (available.width() - outer.width()) / 2),
            std::max(available.top(), available.y() + (available.height() - outer.height()) / 2)};
}

// The work area's rectangle in a client area of clientWidth x clientHeight.
inline QRect WorkAreaPlacement(int clientWidth, int clientHeight) {
    using namespace MainWindowLayout;
    return QRect(
        QPoint(kPaletteWidth, kToolBarHeight),
        QPoint(clientWidth - kInformationWidth - 1, clientHeight - kMessageAreaHeight - 1));
}
