// Drawing lines, selecting and moving, and the undo support of the chart store.
#include <algorithm>

#include "chart_store.h"

namespace {
constexpr const char* kTooManyWaypoints = "ラインの途中ポイントが最大数を超えました。";
}

void CFlowObjectManager::ClearSelection() {
    selection_.clear();
    selectionBounds_ = {};
    grabDx_ = grabDy_ = 0;
}

void CFlowObjectManager::ResetLineInProgress() { line_ = CVirtualLine{}; }

void CFlowObjectManager::BeginLine(int uid, int connector, int x, int y) {
    auto lock = Lock();
    ClearSelection();
    IFLOWOBJECT* symbol = Find(uid);
    if (!IsLive(symbol) || symbol->Connectors().Get(connector) == nullptr) return;
    symbol->Connectors().BeginDragging(connector);
    ResetLineInProgress();
    line_.active = 1;
    line_.mouseX = x;
    line_.mouseY = y;
    line_.from = {1, uid, connector, x, y};
}

void CFlowObjectManager::AddWaypoint(int x, int y) {
    auto lock = Lock();
    if (!line_.active) return;
    if (static_cast<int>(line_.waypoints.size()) >= kMaxWaypoints) {
        notifier_.ShowMessage(kTooManyWaypoints);
        return;
    }
    line_.waypoints.push_back({x, y});
    line_.mouseX = x;
    line_.mouseY = y;
}

void CFlowObjectManager::SetLineMouse(int x, int y) {
    auto lock = Lock();
    line_.mouseX = x;
    line_.mouseY = y;
}

bool CFlowObjectManager::StepBackLine() {
    auto lock = Lock();
    if (!line_.active) return false;
    if (!line_.waypoints.empty()) {
        line_.waypoints.pop_back();
        if (!line_.waypoints.empty()) return true;
    }
    if (IFLOWOBJECT* from = Find(line_.from.uid)) from->Connectors().EndDragging(line_.from.connector);
    ResetLineInProgress();
    return false;
}

int CFlowObjectManager::FinishLine(int chart, int targetUid, int x, int y) {
    auto lock = Lock();
    IFLOWOBJECT* target = Find(targetUid);
    IFLOWOBJECT* from = Find(line_.from.uid);
    if (!line_.active || !IsLive(target) || !IsLive(from) || target->Chart() != chart ||
        target->Connectors().Get(Connector::In) == nullptr)
        return 0;
    const LineEnd fromEnd = line_.from;
    const LineEnd toEnd{1, targetUid, Connector::In, x, y};
    const std::vector<Point> waypoints = line_.waypoints;
    ResetLineInProgress();
    from->Connectors().EndDragging(fromEnd.connector);
    // Links only for a line that exists: a line refused for want of a uid
    // must not leave the program image a successor.
    const int uid = CreateLine(chart, fromEnd, toEnd, waypoints);
    if (uid == 0) return 0;
    from->Connectors().AddLink(fromEnd.connector, targetUid);
    target->Connectors().AddLink(Connector::In, fromEnd.uid);
    return uid;
}

void CFlowObjectManager::RecomputeSelectionBounds() {
    bool first = true;
    for (int uid : selection_) {
        const IFLOWOBJECT* o = Find(uid);
        if (!IsLive(o)) continue;
        if (first)
            selectionBounds_ = o->Bounds();
        else
            o->UnionBounds(selectionBounds_);
        first = false;
    }
    if (first) selectionBounds_ = {};
}

void CFlowObjectManager::Select(int uid, bool replace, int x, int y) {
    auto lock = Lock();
    if (uid == 0) {
        ClearSelection();
        return;
    }
    if (replace) ClearSelection();
    if (std::find(selection_.begin(), selection_.end(), uid) == selection_.end())
        selection_.push_back(uid);
    RecomputeSelectionBounds();
    grabDx_ = x - selectionBounds_.left;
    grabDy_ = y - selectionBounds_.top;
}

int CFlowObjectManager::SelectInRect(int chart) {
    auto lock = Lock();
    ClearSelection();
    const Rect band = rubberBand_.Normalized();
    int count = 0;
    for (const auto& o : objects_) {
        if (o->Deleted() || o->Chart() != chart || !o->IntersectsRect(band)) continue;
        Select(o->Uid(), false, 0, 0);
        ++count;
    }
    return count;
}

void CFlowObjectManager::SelectAll(int chart) {
    auto lock = Lock();
    selection_.clear();
    for (const auto& o : objects_)
        if (!o->Deleted() && o->Chart() == chart) selection_.push_back(o->Uid());
}

int CFlowObjectManager::IsSelected(int uid) const {
    auto lock = Lock();
    const bool found = std::find(selection_.begin(), selection_.end(), uid) != selection_.end();
    return found ? static_cast<int>(selection_.size()) : 0;
}

std::vector<int> CFlowObjectManager::Selection() const {
    auto lock = Lock();
    return selection_;
}

Rect CFlowObjectManager::SelectionBounds() const {
    auto lock = Lock();
    return selectionBounds_;
}

void CFlowObjectManager::SetRubberBand(const Rect& rect) {
    auto lock = Lock();
    rubberBand_ = rect;
}

Rect CFlowObjectManager::RubberBand() const {
    auto lock = Lock();
    return rubberBand_;
}

void CFlowObjectManager::MoveSelection(int chart, int x, int y) {
    auto lock = Lock();
    const int w = selectionBounds_.Width();
    const int h = selectionBounds_.Height();
    const int left = std::clamp(x - grabDx_, 0, std::max(0, kSheetWidth - w));
    const int top = std::clamp(y - grabDy_, 0, std::max(0, kSheetHeight - h));
    const int dx = left - selectionBounds_.left;
    const int dy = top - selectionBounds_.top;
    if (dx != 0 || dy != 0) {
        for (int uid : selection_) {
            IFLOWOBJECT* o = Find(uid);
            if (IsLive(o) && o->Chart() == chart) o->MoveBy(dx, dy);
        }
    }
    selectionBounds_ = {left, top, left + w, top + h};
    UpdateCoverage();
}

void CFlowObjectManager::RememberDragStart(int scrollX, int scrollY) {
    auto lock = Lock();
    dragStart_ = {selection_, selectionBounds_.left, selectionBounds_.top, scrollX, scrollY};
}

DragMovement CFlowObjectManager::HasMovedSinceDragStart() const {
    auto lock = Lock();
    DragMovement m;
    m.dx = selectionBounds_.left - dragStart_.left;
    m.dy = selectionBounds_.top - dragStart_.top;
    m.scrollX = dragStart_.scrollX;
    m.scrollY = dragStart_.scrollY;
    m.selection = dragStart_.selection;
    m.unchanged = selection_ == dragStart_.selection && m.dx == 0 && m.dy == 0;
    return m;
}

void CFlowObjectManager::SetSelection(const std::vector<int>& uids) {
    auto lock = Lock();
    ClearSelection();
    for (int uid : uids)
        if (std::find(selection_.begin(), selection_.end(), uid) == selection_.end())
            selection_.push_back(uid);
    RecomputeSelectionBounds();
}

void CFlowObjectManager::Undelete(const std::vector<int>& uids) {
    auto lock = Lock();
    for (int uid : uids)
        if (IFLOWOBJECT* o = Find(uid)) o->SetDeleted(false);
    std::vector<int> unused;
    ValidateLines(unused);
    UpdateCoverage();
    SetSelection(uids);
}

void CFlowObjectManager::MoveBack(const std::vector<int>& uids, int dx, int dy) {
    auto lock = Lock();
    for (int uid : uids)
        if (IFLOWOBJECT* o = Find(uid)) o->MoveBy(-dx, -dy);
    std::vector<int> unused;
    ValidateLines(unused);
    UpdateCoverage();
    SetSelection(uids);
}

void CFlowObjectManager::RestoreInstruction(const std::vector<int>& uids,
                                            const NuvoInstruction& instruction) {
    auto lock = Lock();
    for (int uid : uids)
        if (IFLOWOBJECT* o = Find(uid); o && !o->IsLine()) o->SetInstruction(instruction);
    UpdateCoverage();
    SetSelection(uids);
}
