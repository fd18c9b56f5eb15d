// A region made of a union of rectangles, used for the hit band of a line.
#pragma once

#include <vector>

#include "geometry.h"

class Region {
public:
    void Add(const Rect& r) { rects_.push_back(r); }
    bool Contains(int x, int y) const;
    bool Intersects(const Rect& r) const;
    void Offset(int dx, int dy);
    const std::vector<Rect>& Rects() const { return rects_; }

private:
    std::vector<Rect> rects_;
};
