#include <algorithm>

#include "engine_record_factory.h"
#include "flow_object.h"
#include "line_path.h"

namespace {
constexpr int kHitBand = 3;

EngineRecord LineEngineRecord() { return MakeEngineRecord(Kind::Line); }
}  // namespace

FLOW_LINE::FLOW_LINE(int uid, int chart, const LineEnd& from, const LineEnd& to,
                     const std::vector<Point>& waypoints)
    : IFLOWOBJECT(uid, chart, Kind::Line, SymbolClass::Line, LineEngineRecord()) {
    from_ = from;
    to_ = to;
    waypoints_ = waypoints;
    Build();
}

void FLOW_LINE::Build() {
    std::vector<Point> points{{from_.x, from_.y}};
    points.insert(points.end(), waypoints_.begin(), waypoints_.end());
    points.push_back({to_.x, to_.y});

    region_ = Region();
    bounds_ = {points.front().x, points.front().y, points.front().x, points.front().y};
    for (const Leg& leg : LineLegs(points)) {
        region_.Add(Rect{leg.from.x, leg.from.y, leg.to.x, leg.to.y}.Normalized().Inflated(kHitBand));
        bounds_ = bounds_.United({leg.to.x, leg.to.y, leg.to.x, leg.to.y});
    }
}

void FLOW_LINE::MoveBy(int dx, int dy) {
    from_.x += dx;
    from_.y += dy;
    to_.x += dx;
    to_.y += dy;
    for (Point& p : waypoints_) {
        p.x += dx;
        p.y += dy;
    }
    region_.Offset(dx, dy);
    bounds_ = bounds_.Offset(dx, dy);
}

HitResult FLOW_LINE::HitTestBody(int x, int y) const {
    if (!region_.Contains(x, y)) return {};
    return {uid_, HitBits::Body | HitBits::Line};
}

bool FLOW_LINE::IntersectsRect(const Rect& r) const { return region_.Intersects(r); }
