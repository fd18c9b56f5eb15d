// The points through which lines attach to a symbol: its entry, next exit
// and branch exit, gathered per symbol in a CONNECTORS set.
#pragma once

#include <map>
#include <memory>
#include <vector>

#include "geometry.h"

class ICONNECTOR {
public:
    ICONNECTOR(int id, Rect hitRelative, Point pointRelative);
    virtual ~ICONNECTOR() = default;

    // Recomputes the sheet hit rectangle and connection point for a symbol at (left, top).
    void MoveTo(int left, int top);
    // Whether the connector is shown, given the line-mode flag of the canvas.
    virtual bool ShouldDraw(bool lineMode) const = 0;
    // ORs this connector's hit bit into bits when the point grabs it.
    virtual void HitTest(int x, int y, int& bits) const = 0;
    void AddLink(int uid);
    // Removes uid from the links; 0 empties them.
    void RemoveLink(int uid);
    bool IsAt(int x, int y) const { return point_.x == x && point_.y == y; }
    virtual int FirstLink() const;

    int Id() const { return id_; }
    Point ConnectionPoint() const { return point_; }
    const Rect& HitRect() const { return hitRect_; }
    const std::vector<int>& Links() const { return links_; }
    bool Dragging() const { return dragging_ != 0; }
    bool Covered() const { return covered_ != 0; }
    void SetDragging(bool on) { dragging_ = on ? 1 : 0; }
    void SetCovered(bool on) { covered_ = on ? 1 : 0; }

protected:
    bool Grabs(int x, int y) const { return !Covered() && hitRect_.Contains(x, y); }

private:
    int id_;
    Rect hitRelative_;
    Point pointRelative_;
    Rect hitRect_;
    Point point_;
    int dragging_ = 0;
    std::vector<int> links_;
    int covered_ = 0;
};

// Entry: accepts any number of lines; shown as a target while a line is drawn.
class ConnectorIN : public ICONNECTOR {
public:
    ConnectorIN();
    bool ShouldDraw(bool lineMode) const override;
    void HitTest(int x, int y, int& bits) const override;
    int FirstLink() const override { return 0; }
};

// Next exit: carries at most one line, so it is hidden and inert once linked.
class ConnectorNext : public ICONNECTOR {
public:
    ConnectorNext();
    bool ShouldDraw(bool lineMode) const override;
    void HitTest(int x, int y, int& bits) const override;
};

// Branch exit of a decision, on its right edge.
class ConnectorBranch : public ICONNECTOR {
public:
    ConnectorBranch();
    bool ShouldDraw(bool lineMode) const override;
    void HitTest(int x, int y, int& bits) const override;
};

// The connectors of one symbol by id. Operations addressed to an id the
// symbol does not have do nothing and answer 0 / false.
class CONNECTORS {
public:
    void Add(std::shared_ptr<ICONNECTOR> connector);
    void SetCovered(int id, bool covered);
    int FirstLink(int id) const;
    void MoveAll(int left, int top);
    void HitTestAll(int x, int y, int& bits) const;
    void AddLink(int id, int uid);
    void RemoveLink(int id, int uid);
    void BeginDragging(int id);
    void EndDragging(int id);
    bool IsAt(int id, int x, int y) const;
    bool AnyAt(int x, int y) const;
    bool PointOf(int id, Point& point) const;
    const ICONNECTOR* Get(int id) const;
    const std::map<int, std::shared_ptr<ICONNECTOR>>& All() const { return connectors_; }

private:
    ICONNECTOR* Find(int id) const;
    std::map<int, std::shared_ptr<ICONNECTOR>> connectors_;
};
