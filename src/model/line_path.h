// The two-leg path of a line: each step runs first vertically, then horizontally.
#pragma once

#include <vector>

#include "geometry.h"

struct Leg {
    Point from;
    Point to;
};

// Legs through the points in order; two legs per step.
std::vector<Leg> LineLegs(const std::vector<Point>& points);
