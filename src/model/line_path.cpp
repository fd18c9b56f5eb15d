#include "line_path.h"

std::vector<Leg> LineLegs(const std::vector<Point>& points) {
    std::vector<Leg> legs;
    for (std::size_t i = 1; i < points.size(); ++i) {
        const Point a = points[i - 1];
        const Point b = points[i];
        const Point corner{a.x, b.y};
        legs.push_back({a, corner});
        legs.push_back({corner, b});
    }
    return legs;
}
