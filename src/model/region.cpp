#include "region.h"

#include <algorithm>

bool Region::Contains(int x, int y) const {
    return std::any_of(rects_.begin(), rects_.end(),
                       [&](const Rect& r) { return r.Contains(x, y); });
}

bool Region::Intersects(const Rect& r) const {
    return std::any_of(rects_.begin(), rects_.end(),
                       [&](const Rect& own) { return own.Intersects(r); });
}

void Region::Offset(int dx, int dy) {
    for (Rect& r : rects_) r = r.Offset(dx, dy);
}
