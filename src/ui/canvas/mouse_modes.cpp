// Idle, Moving, RubberBand and LineDrawing: what a press, a move, a release
// and a click do in each mode.
#include "canvas/mouse_modes.h"

#include "editor_state.h"

namespace {

// Idle: a press starts a line, a move or a rubber band; a right press opens
// the context menu. RubberBand reuses the presses and clicks.
class IdleMode : public MouseModeHandler {
public:
    void LeftDown(ICanvas& canvas, const CanvasPointer& at) override {
        EditorState& s = canvas.State();
        CFlowObjectManager& store = s.store;
        const Point p = at.sheet.raw;
        const Point n = at.sheet.nearest;
        canvas.ReleasePointer();
        const HitResult exit = store.HitTestConnectorsAt(s.currentChart, p.x, p.y);
        if (exit.uid != 0 && (exit.bits & HitBits::Entry) == 0 &&
            (exit.bits & (HitBits::NextExit | HitBits::BranchExit)) != 0) {
            canvas.CapturePointer();
            canvas.WriteMessage(kLineModeStarted);
            const int connector =
                (exit.bits & HitBits::NextExit) != 0 ? Connector::Next : Connector::Branch;
            store.BeginLine(exit.uid, connector, n.x, n.y);
            s.mouseMode = MouseMode::LineDrawing;
            return;
        }
        const HitResult body = store.HitTestBodies(s.currentChart, p.x, p.y);
        if (body.uid != 0 && (body.bits & HitBits::Body) != 0) {
            s.mouseMode = MouseMode::Moving;
            // An unselected object becomes the only selection; a selected one
            // carries the whole selection with it.
            const bool replace = store.IsSelected(body.uid) == 0;
            store.Select(body.uid, replace, at.sheet.down.x, at.sheet.down.y);
            store.RememberDragStart(s.scrollX, s.scrollY);
            return;
        }
        if (!canvas.InDrawingArea(at.client)) return;
        s.mouseMode = MouseMode::RubberBand;
        store.SetRubberBand({p.x, p.y, p.x, p.y});
        if (!store.Selection().empty()) {
            store.Select(0, false, 0, 0);
            canvas.RepaintNow();
        }
        canvas.CapturePointer();
    }

    void Move(ICanvas&, const CanvasPointer&) override {}
    void LeftUp(ICanvas&) override {}

    void DoubleClick(ICanvas& canvas, const CanvasPointer& at) override {
        EditorState& s = canvas.State();
        const HitResult body =
            s.store.HitTestBodies(s.currentChart, at.sheet.raw.x, at.sheet.raw.y);
        if (body.uid == 0) return;
        s.store.Select(body.uid, true, at.sheet.down.x, at.sheet.down.y);
        canvas.RepaintNow();
        s.ChangeSettings(body.uid, canvas.SettingsEditor());
    }

    void RightDown(ICanvas& canvas, const CanvasPointer& at) override {
        EditorState& s = canvas.State();
        const HitResult body =
            s.store.HitTestBodies(s.currentChart, at.sheet.raw.x, at.sheet.raw.y);
        if (body.uid == 0) {
            canvas.OpenContextMenu(at.client, 0, false);
            return;
        }
        if (s.store.IsSelected(body.uid) == 0) {
            s.store.Select(body.uid, true, at.sheet.down.x, at.sheet.down.y);
            canvas.RepaintNow();
        }
        canvas.OpenContextMenu(at.client, body.uid, (body.bits & HitBits::Line) == 0);
    }
};

// Dragging the selection. A press here means the release was missed.
class MovingMode : public MouseModeHandler {
public:
    void LeftDown(ICanvas& canvas, const CanvasPointer&) override { Finish(canvas); }

    void Move(ICanvas& canvas, const CanvasPointer& at) override {
        EditorState& s = canvas.State();
        canvas.CapturePointer();
        s.store.MoveSelection(s.currentChart, at.sheet.down.x, at.sheet.down.y);
    }

    void LeftUp(ICanvas& canvas) override { Finish(canvas); }

    void DoubleClick(ICanvas& canvas, const CanvasPointer&) override {
        EditorState& s = canvas.State();
        if (s.EndMove()) canvas.ReleasePointer();
        s.mouseMode = MouseMode::Idle;
    }

    void RightDown(ICanvas&, const CanvasPointer&) override {}

private:
    static void Finish(ICanvas& canvas) {
        EditorState& s = canvas.State();
        s.EndMove();
        canvas.ReleasePointer();
        s.mouseMode = MouseMode::Idle;
    }
};

// Dragging the rubber band: its second corner follows the pointer.
class RubberBandMode : public IdleMode {
public:
    void Move(ICanvas& canvas, const CanvasPointer& at) override {
        CFlowObjectManager& store = canvas.State().store;
        Rect band = store.RubberBand();
        band.right = at.sheet.raw.x;
        band.bottom = at.sheet.raw.y;
        store.SetRubberBand(band);
    }

    void LeftUp(ICanvas& canvas) override {
        EditorState& s = canvas.State();
        s.store.SelectInRect(s.currentChart);
        canvas.ReleasePointer();
        s.mouseMode = MouseMode::Idle;
    }

    void RightDown(ICanvas&, const CanvasPointer&) override {}
};

// Drawing a line: presses add waypoints until one lands on an entry; the
// right button takes waypoints back and finally cancels the line.
class LineDrawingMode : public MouseModeHandler {
public:
    void LeftDown(ICanvas& canvas, const CanvasPointer& at) override {
        EditorState& s = canvas.State();
        const Point p = at.sheet.raw;
        const Point n = at.sheet.nearest;
        const HitResult hit = s.store.HitTestConnectorsAt(s.currentChart, p.x, p.y);
        if ((hit.bits & HitBits::Entry) == 0) {
            s.store.AddWaypoint(n.x, n.y);
            return;
        }
        s.FinishLineStep(hit.uid, n.x, n.y);
        End(canvas);
    }

    void Move(ICanvas& canvas, const CanvasPointer& at) override {
        CFlowObjectManager& store = canvas.State().store;
        auto lock = store.Lock();
        if (store.LineInProgress().active)
            store.SetLineMouse(at.sheet.nearest.x, at.sheet.nearest.y);
    }

    void LeftUp(ICanvas&) override {}
    void DoubleClick(ICanvas&, const CanvasPointer&) override {}

    void RightDown(ICanvas& canvas, const CanvasPointer&) override {
        if (!canvas.State().store.StepBackLine()) End(canvas);
    }

private:
    static void End(ICanvas& canvas) {
        canvas.State().mouseMode = MouseMode::Idle;
        canvas.ReleasePointer();
        canvas.WriteMessage(kLineModeEnded);
    }
};

}  // namespace

MouseModes::MouseModes()
    : handlers_{std::make_unique<IdleMode>(), std::make_unique<MovingMode>(),
                std::make_unique<RubberBandMode>(), std::make_unique<LineDrawingMode>()} {}

MouseModes::~MouseModes() = default;
