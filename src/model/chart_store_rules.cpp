// The chart store's invariants, its placement limits and its drawing order.
#include <cstdint>
#include <unordered_map>
#include <unordered_set>

#include "chart_store.h"
#include "nuvo_addr_generator.h"

namespace {
std::uint64_t PointKey(int chart, Point p) {
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(chart)) << 48) ^
           (static_cast<std::uint64_t>(static_cast<std::uint32_t>(p.x) & 0xFFFFFFu) << 24) ^
           (static_cast<std::uint64_t>(static_cast<std::uint32_t>(p.y) & 0xFFFFFFu));
}
}  // namespace

void CFlowObjectManager::ValidateLines(std::vector<int>& deleted) {
    auto lock = Lock();
    for (const auto& object : objects_) {
        IFLOWOBJECT& line = *object;
        if (line.Deleted() || !line.IsLine()) continue;
        IFLOWOBJECT* from = Find(line.From().uid);
        IFLOWOBJECT* to = Find(line.To().uid);
        const bool valid = IsLive(from) && IsLive(to) &&
                           from->Connectors().IsAt(line.From().connector, line.From().x,
                                                   line.From().y) &&
                           to->Connectors().IsAt(line.To().connector, line.To().x, line.To().y);
        if (valid) {
            from->Connectors().AddLink(line.From().connector, to->Uid());
            to->Connectors().AddLink(line.To().connector, from->Uid());
            continue;
        }
        UnlinkLine(line);
        line.SetDeleted(true);
        deleted.push_back(line.Uid());
    }
}

void CFlowObjectManager::UpdateCoverage() {
    auto lock = Lock();
    // A connector is covered when a connector of another live symbol of the
    // chart sits on its point; a symbol's own connectors never share a point.
    std::unordered_map<std::uint64_t, int> connectorsAt;
    for (const auto& o : objects_) {
        if (o->Deleted() || o->IsLine()) continue;
        for (const auto& [id, c] : o->Connectors().All())
            ++connectorsAt[PointKey(o->Chart(), c->ConnectionPoint())];
    }
    for (const auto& o : objects_) {
        if (o->Deleted() || o->IsLine()) continue;
        for (const auto& [id, c] : o->Connectors().All())
            c->SetCovered(connectorsAt[PointKey(o->Chart(), c->ConnectionPoint())] > 1);
    }
}

int CFlowObjectManager::CheckPlacement(int chart, int kind) {
    auto lock = Lock();
    if (slots_.CountUsed() >= NUVOAddrGenerator::kSlotCount) {
        notifier_.ShowMessage("使用可能な図記号は250個です");
        return Placement::SlotsFull;
    }
    if (kind == Kind::Start && HasStart(chart)) {
        notifier_.ShowMessage("開始は1つのフローチャートに1個です");
        return Placement::SecondStart;
    }
    if (kind == Kind::LoopBegin && CountLoopBegins() >= kMaxLoops) {
        notifier_.ShowMessage("くり返しはすべてのフローチャートで8個までです");
        return Placement::TooManyLoops;
    }
    if (kind == Kind::Parallel && chart != 0) {
        notifier_.ShowMessage("並列実行はメインルーチンでのみ使用可能です");
        return Placement::ParallelOutsideMain;
    }
    if (kind == Kind::Parallel && HasParallel(0)) {
        notifier_.ShowMessage("並列実行は1つまでです");
        return Placement::SecondParallel;
    }
    return Placement::Allowed;
}

void CFlowObjectManager::DrawChart(IChartPainter& painter, int chart, bool onScreen, bool lineMode,
                                   bool rubberBand) const {
    auto lock = Lock();
    // Looked up three times per object on every repaint, also while dragging.
    const std::unordered_set<int> selected(selection_.begin(), selection_.end());
    const auto live = [&](const IFLOWOBJECT& o) { return !o.Deleted() && o.Chart() == chart; };
    const auto isSelected = [&](const IFLOWOBJECT& o) { return selected.count(o.Uid()) != 0; };
    for (const auto& o : objects_)
        if (live(*o) && !o->IsLine() && !isSelected(*o))
            painter.DrawObject(*o, false, onScreen, lineMode);
    for (const auto& o : objects_)
        if (live(*o) && o->IsLine() && !isSelected(*o))
            painter.DrawObject(*o, false, onScreen, lineMode);
    for (const auto& o : objects_)
        if (live(*o) && isSelected(*o)) painter.DrawObject(*o, onScreen, onScreen, lineMode);
    if (onScreen && rubberBand) painter.DrawRubberBand(rubberBand_);
    if (line_.active && line_.from.connected) {
        std::vector<Point> points{{line_.from.x, line_.from.y}};
        points.insert(points.end(), line_.waypoints.begin(), line_.waypoints.end());
        painter.DrawLineInProgress(points, {line_.mouseX, line_.mouseY});
    }
}
