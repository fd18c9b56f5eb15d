#include "connector.h"

#include <algorithm>

#include "records.h"

ICONNECTOR::ICONNECTOR(int id, Rect hitRelative, Point pointRelative)
    : id_(id), hitRelative_(hitRelative), pointRelative_(pointRelative) {
    MoveTo(0, 0);
}

void ICONNECTOR::MoveTo(int left, int top) {
    hitRect_ = hitRelative_.Offset(left, top);
    point_ = {pointRelative_.x + left, pointRelative_.y + top};
}

void ICONNECTOR::AddLink(int uid) {
    if (std::find(links_.begin(), links_.end(), uid) == links_.end()) links_.push_back(uid);
}

void ICONNECTOR::RemoveLink(int uid) {
    if (uid == 0) {
        links_.clear();
        return;
    }
    links_.erase(std::remove(links_.begin(), links_.end(), uid), links_.end());
}

int ICONNECTOR::FirstLink() const { return links_.empty() ? 0 : links_.front(); }

ConnectorIN::ConnectorIN() : ICONNECTOR(Connector::In, {36, -12, 60, 12}, {48, 0}) {}

bool ConnectorIN::ShouldDraw(bool lineMode) const {
    return (lineMode || Links().empty()) && !Dragging();
}

void ConnectorIN::HitTest(int x, int y, int& bits) const {
    if (Grabs(x, y)) bits |= HitBits::Entry;
}

ConnectorNext::ConnectorNext() : ICONNECTOR(Connector::Next, {42, 42, 54, 54}, {48, 48}) {}

bool ConnectorNext::ShouldDraw(bool lineMode) const {
    return Links().empty() && !Dragging() && !lineMode;
}

void ConnectorNext::HitTest(int x, int y, int& bits) const {
    if (Links().empty() && Grabs(x, y)) bits |= HitBits::NextExit;
}

ConnectorBranch::ConnectorBranch() : ICONNECTOR(Connector::Branch, {90, 18, 102, 30}, {96, 24}) {}

bool ConnectorBranch::ShouldDraw(bool lineMode) const {
    return Links().empty() && !Dragging() && !lineMode;
}

void ConnectorBranch::HitTest(int x, int y, int& bits) const {
    if (Links().empty() && Grabs(x, y)) bits |= HitBits::BranchExit;
}

void CONNECTORS::Add(std::shared_ptr<ICONNECTOR> connector) {
    const int id = connector->Id();
    connectors_[id] = std::move(connector);
}

ICONNECTOR* CONNECTORS::Find(int id) const {
    const auto it = connectors_.find(id);
    return it == connectors_.end() ? nullptr : it->second.get();
}

const ICONNECTOR* CONNECTORS::Get(int id) const { return Find(id); }

void CONNECTORS::SetCovered(int id, bool covered) {
    if (ICONNECTOR* c = Find(id)) c->SetCovered(covered);
}

int CONNECTORS::FirstLink(int id) const {
    const ICONNECTOR* c = Find(id);
    return c ? c->FirstLink() : 0;
}

void CONNECTORS::MoveAll(int left, int top) {
    for (auto& [id, c] : connectors_) c->MoveTo(left, top);
}

void CONNECTORS::HitTestAll(int x, int y, int& bits) const {
    for (const auto& [id, c] : connectors_) c->HitTest(x, y, bits);
}

void CONNECTORS::AddLink(int id, int uid) {
    if (ICONNECTOR* c = Find(id)) c->AddLink(uid);
}

void CONNECTORS::RemoveLink(int id, int uid) {
    if (ICONNECTOR* c = Find(id)) c->RemoveLink(uid);
}

void CONNECTORS::BeginDragging(int id) {
    if (ICONNECTOR* c = Find(id)) {
        c->SetDragging(true);
        c->RemoveLink(0);
    }
}

void CONNECTORS::EndDragging(int id) {
    if (ICONNECTOR* c = Find(id)) {
        c->SetDragging(false);
        c->RemoveLink(0);
    }
}

bool CONNECTORS::IsAt(int id, int x, int y) const {
    const ICONNECTOR* c = Find(id);
    return c && c->IsAt(x, y);
}

bool CONNECTORS::AnyAt(int x, int y) const {
    for (const auto& [id, c] : connectors_)
        if (c->IsAt(x, y)) return true;
    return false;
}

bool CONNECTORS::PointOf(int id, Point& point) const {
    const ICONNECTOR* c = Find(id);
    if (!c) return false;
    point = c->ConnectionPoint();
    return true;
}
