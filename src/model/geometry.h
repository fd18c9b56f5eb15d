// Points and rectangles in sheet pixels. A rectangle contains its left and
// top edges and excludes its right and bottom edges.
#pragma once

#include <algorithm>

struct Point {
    int x = 0;
    int y = 0;

    bool operator==(const Point&) const = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool operator==(const Rect&) const = default;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }

    Rect Normalized() const {
        return {std::min(left, right), std::min(top, bottom), std::max(left, right),
                std::max(top, bottom)};
    }
    Rect Inflated(int d) const { return {left - d, top - d, right + d, bottom + d}; }
    Rect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }

    // True when the two rectangles share at least one pixel.
    bool Intersects(const Rect& o) const {
        return std::max(left, o.left) < std::min(right, o.right) &&
               std::max(top, o.top) < std::min(bottom, o.bottom);
    }
    // Smallest rectangle holding both (degenerate rectangles count too).
    Rect United(const Rect& o) const {
        return {std::min(left, o.left), std::min(top, o.top), std::max(right, o.right),
                std::max(bottom, o.bottom)};
    }
};

// The chart sheet: 80 x 112 cells of 24 pixels.
inline constexpr int kSheetWidth = 1920;
inline constexpr int kSheetHeight = 2688;
inline constexpr int kGrid = 24;
inline constexpr int kSymbolWidth = 96;
inline constexpr int kSymbolHeight = 48;
inline constexpr int kChartCount = 4;
