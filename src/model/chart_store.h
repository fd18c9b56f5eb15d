// CFlowObjectManager: the one owner of every symbol and line of the four
// charts, with the selection, the line being drawn, the clipboard and the board's limits.
#pragma once

#include <list>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <utility>
#include <vector>

#include "chart_painter.h"
#include "clipboard.h"
#include "flow_object.h"
#include "notifier.h"
#include "program_source.h"
#include "records.h"

class NUVOAddrGenerator;
class UidGenerator;

// The line being drawn out of an exit.
struct CVirtualLine {
    int active = 0;
    int mouseX = 0;
    int mouseY = 0;
    LineEnd from;
    LineEnd to;
    std::vector<Point> waypoints;
};

struct DragMovement {
    bool unchanged = true;
    int dx = 0;
    int dy = 0;
    int scrollX = 0;
    int scrollY = 0;
    std::vector<int> selection;  // the selection when the drag began
};

// Results of CheckPlacement.
namespace Placement {
inline constexpr int Allowed = 0;
inline constexpr int SlotsFull = 1;
inline constexpr int SecondStart = 2;
inline constexpr int TooManyLoops = 3;
inline constexpr int SecondParallel = 4;
inline constexpr int ParallelOutsideMain = 5;
}  // namespace Placement

inline constexpr int kMaxLoops = 8;

class CFlowObjectManager : public IProgramSource {
public:
    using ObjectList = std::list<std::shared_ptr<IFLOWOBJECT>>;

    CFlowObjectManager(UidGenerator& uids, NUVOAddrGenerator& slots, INotifier& notifier);
    ~CFlowObjectManager() override;

    // Holds the store's recursive lock for a composite operation or a walk over Objects().
    std::unique_lock<std::recursive_mutex> Lock() const {
        return std::unique_lock<std::recursive_mutex>(mutex_);
    }

    // Building and removing.
    int CreateSymbol(int chart, int kind, int x, int y);
    // Restores many symbols at a time (a load, a paste): the caller runs
    // ValidateLines and UpdateCoverage once after the last one.
    int RestoreSymbol(int chart, const SymbolRecord& record);
    int CreateLine(int chart, const LineEnd& from, const LineEnd& to,
                   const std::vector<Point>& waypoints);
    int RestoreLine(int chart, const LineRecord& record);
    void DeleteSelection(std::vector<int>& deleted, std::vector<FreedSlot>& freed);
    void DeleteChart(int chart, std::vector<int>& deleted, std::vector<FreedSlot>& freed);
    void DestroyObject(int uid);
    void PurgeObject(int uid);

    // Lines.
    void BeginLine(int uid, int connector, int x, int y);
    void AddWaypoint(int x, int y);
    bool StepBackLine();
    int FinishLine(int chart, int targetUid, int x, int y);
    void SetLineMouse(int x, int y);
    const CVirtualLine& LineInProgress() const { return line_; }

    // Selection and moving.
    void Select(int uid, bool replace, int x, int y);
    int SelectInRect(int chart);
    void SelectAll(int chart);
    int IsSelected(int uid) const;
    void MoveSelection(int chart, int x, int y);
    void RememberDragStart(int scrollX, int scrollY);
    DragMovement HasMovedSinceDragStart() const;
    std::vector<int> Selection() const;
    Rect SelectionBounds() const;
    void SetRubberBand(const Rect& rect);
    Rect RubberBand() const;

    // Queries.
    IFLOWOBJECT* Find(int uid) const;
    HitResult HitTestBodies(int chart, int x, int y) const;
    HitResult HitTestConnectorsAt(int chart, int x, int y) const;
    int CountLoopBegins() const;
    bool HasStart(int chart) const;
    bool HasParallel(int chart) const;
    int CountSymbols() const;
    Rect ChartExtent(int chart) const;
    NuvoInstruction GetObjectCodeOf(int uid) const;
    int OpenSymbolSettings(int uid, int chart, ISymbolSettingsEditor& editor,
                           NuvoInstruction& oldInstruction, NuvoInstruction& newInstruction);
    // Every object, live and deleted, in creation order; hold Lock() while using it.
    const ObjectList& Objects() const { return objects_; }

    // Undo support: each ends with the selection set to exactly uids.
    void Undelete(const std::vector<int>& uids);
    void MoveBack(const std::vector<int>& uids, int dx, int dy);
    void RestoreInstruction(const std::vector<int>& uids, const NuvoInstruction& instruction);
    void SetSelection(const std::vector<int>& uids);

    // Invariants, restored after every edit.
    void ValidateLines(std::vector<int>& deleted);
    void UpdateCoverage();

    void DrawChart(IChartPainter& painter, int chart, bool onScreen, bool lineMode,
                   bool rubberBand) const;

    // The check made when the user picks a kind from the palette.
    int CheckPlacement(int chart, int kind);

    // Clipboard: copy the selected live objects of a chart; paste them into a
    // chart under new uids, selected, and answer their uids (empty when refused).
    void CopySelection(int chart);
    std::vector<int> Paste(int chart, bool usePoint, int x, int y);
    const CopyObjectMemory& Clipboard() const { return clipboard_; }

    std::vector<ObjectCodeEntry> CollectObjectCodes() const override;

    UidGenerator& Uids() { return uids_; }
    NUVOAddrGenerator& Slots() { return slots_; }
    const NUVOAddrGenerator& Slots() const { return slots_; }
    INotifier& Notifier() { return notifier_; }

private:
    void Append(std::shared_ptr<IFLOWOBJECT> object);
    void Remove(int uid);
    bool IsLive(const IFLOWOBJECT* object) const { return object && !object->Deleted(); }
    void UnlinkLine(const IFLOWOBJECT& line);
    void FlagDeleted(IFLOWOBJECT& object, std::vector<FreedSlot>& freed);
    void ClearSelection();
    void RecomputeSelectionBounds();
    void ResetLineInProgress();
    int CountLiveKind(int chart, int kind) const;
    // The message refusing a paste into chart, or nullptr when it may go ahead.
    const char* PasteRefusal(int chart) const;

    mutable std::recursive_mutex mutex_;
    UidGenerator& uids_;
    NUVOAddrGenerator& slots_;
    INotifier& notifier_;
    CVirtualLine line_;
    ObjectList objects_;
    std::unordered_map<int, IFLOWOBJECT*> index_;
    std::vector<int> selection_;
    Rect selectionBounds_;
    int grabDx_ = 0;
    int grabDy_ = 0;
    struct DragStart {
        std::vector<int> selection;
        int left = 0;
        int top = 0;
        int scrollX = 0;
        int scrollY = 0;
    } dragStart_;
    Rect rubberBand_;
    CopyObjectMemory clipboard_;
};
