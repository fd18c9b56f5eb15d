// The editor's step operations and the undo that takes them back.
#include "editor_state.h"

#include <algorithm>
#include <utility>

#include "nuvo_addr_generator.h"

namespace {
RECORD Change(RecordType type, std::vector<int> uids) {
    RECORD record;
    record.type = type;
    record.uids = std::move(uids);
    return record;
}

bool IsChart(int chart) { return chart >= 0 && chart < kChartCount; }

bool Contains(const std::vector<int>& uids, int uid) {
    return std::find(uids.begin(), uids.end(), uid) != uids.end();
}
}  // namespace

EditorState::EditorState(CFlowObjectManager& chartStore) : store(chartStore) {}

RECORDS EditorState::StepHere() const {
    RECORDS step;
    step.chart = currentChart;
    step.scrollX = scrollX;
    step.scrollY = scrollY;
    return step;
}

void EditorState::Record(RECORDS step) {
    for (int uid : history.PushStep(std::move(step))) store.PurgeObject(uid);
}

void EditorState::RefreshTitle() {
    if (onTitleRefresh) onTitleRefresh();
}

void EditorState::SetModified(bool on) {
    modified = on;
    RefreshTitle();
}

std::vector<int> EditorState::LiveOnly(const std::vector<int>& uids) const {
    auto lock = store.Lock();
    std::vector<int> live;
    for (int uid : uids) {
        const IFLOWOBJECT* object = store.Find(uid);
        if (object && !object->Deleted()) live.push_back(uid);
    }
    return live;
}

void EditorState::RecordCreation(const std::vector<int>& created) {
    RECORDS step = StepHere();
    step.uids = created;
    step.records = {Change(RecordType::Created, created)};
    Record(std::move(step));
    SetModified(true);
}

int EditorState::PlaceSymbol(int kind, int x, int y) {
    const int uid = store.CreateSymbol(currentChart, kind, x, y);
    if (uid == 0) return 0;
    RecordCreation({uid});
    return uid;
}

int EditorState::FinishLineStep(int targetUid, int x, int y) {
    const int uid = store.FinishLine(currentChart, targetUid, x, y);
    if (uid == 0) {
        // Cancel the line so its exit does not stay hidden as if still dragged.
        while (store.StepBackLine()) {
        }
        return 0;
    }
    RecordCreation({uid});
    return uid;
}

void EditorState::DeleteSelected() {
    std::vector<int> deleted;
    std::vector<FreedSlot> freed;
    {
        auto lock = store.Lock();
        const std::vector<int> selected = store.Selection();
        const std::vector<int> live = LiveOnly(selected);
        store.DeleteSelection(deleted, freed);
        // The selection may still name objects that are gone (a line a move
        // broke, a creation undone). They were not deleted here, so this step
        // must not claim them: when it left the history it would purge
        // whatever then holds that uid.
        std::erase_if(deleted,
                      [&](int uid) { return Contains(selected, uid) && !Contains(live, uid); });
    }
    RECORDS step = StepHere();
    step.uids = deleted;
    step.records = {Change(RecordType::Deleted, deleted)};
    step.freedSlots = std::move(freed);
    Record(std::move(step));
    // A deletion is a change the user must not lose by closing unasked.
    if (!deleted.empty()) SetModified(true);
}

bool EditorState::ChangeSettings(int uid, ISymbolSettingsEditor& editor) {
    NuvoInstruction before;
    NuvoInstruction after;
    if (store.OpenSymbolSettings(uid, currentChart, editor, before, after) == 0) return false;
    RECORD change = Change(RecordType::SettingsChanged, {uid});
    change.instruction = before;
    RECORDS step = StepHere();
    step.uids = {uid};
    step.records = {std::move(change)};
    Record(std::move(step));
    SetModified(true);
    return true;
}

bool EditorState::EndMove() {
    RECORDS step = StepHere();
    {
        auto lock = store.Lock();
        const DragMovement moved = store.HasMovedSinceDragStart();
        if (moved.unchanged) return false;
        std::vector<int> broken;
        store.ValidateLines(broken);
        step.scrollX = moved.scrollX;
        step.scrollY = moved.scrollY;
        step.uids = moved.selection;
        RECORD move = Change(RecordType::Moved, moved.selection);
        move.dx = moved.dx;
        move.dy = moved.dy;
        step.records.push_back(std::move(move));
        if (!broken.empty()) step.records.push_back(Change(RecordType::Deleted, std::move(broken)));
    }
    Record(std::move(step));
    SetModified(true);
    return true;
}

bool EditorState::SwitchChart(int chart) {
    if (!IsChart(chart) || chart == currentChart) return false;
    RECORDS step = StepHere();
    step.uids = store.Selection();
    Record(std::move(step));
    currentChart = chart;
    // The old chart's objects must not stay selected: a delete would take them.
    store.Select(0, false, 0, 0);
    RefreshTitle();
    return true;
}

std::vector<int> EditorState::PasteHere(bool usePoint, int x, int y) {
    std::vector<int> pasted = store.Paste(currentChart, usePoint, x, y);
    if (pasted.empty()) return pasted;
    RecordCreation(pasted);
    return pasted;
}

void EditorState::ClearChart(int chart) {
    if (!IsChart(chart)) return;
    std::vector<int> deleted;
    std::vector<FreedSlot> freed;
    store.DeleteChart(chart, deleted, freed);
    RECORDS step = StepHere();
    step.chart = chart;
    step.uids = deleted;
    step.records = {Change(RecordType::Deleted, std::move(deleted))};
    step.freedSlots = std::move(freed);
    Record(std::move(step));
}

void EditorState::Copy() { store.CopySelection(currentChart); }

void EditorState::Cut() {
    Copy();
    DeleteSelected();
}

bool EditorState::UndoLast() {
    RECORDS step;
    if (!history.PopNewest(step)) return false;
    {
        // One lock for the whole step: an image built meanwhile sees it all or nothing.
        auto lock = store.Lock();
        store.Select(0, false, 0, 0);
        // Slots first, so that undeleted symbols own the slots they had.
        for (const FreedSlot& freed : step.freedSlots)
            if (freed.slot >= 1 && freed.slot <= NUVOAddrGenerator::kSlotCount)
                store.Slots().RestoreSlot(freed.slot, freed.uid);
        for (const RECORD& record : step.records) {
            switch (record.type) {
                case RecordType::Created:
                    store.Select(0, false, 0, 0);
                    for (int uid : record.uids) store.DestroyObject(uid);
                    store.UpdateCoverage();
                    break;
                case RecordType::Deleted:
                    store.Undelete(record.uids);
                    break;
                case RecordType::Moved:
                    store.MoveBack(record.uids, record.dx, record.dy);
                    break;
                case RecordType::SettingsChanged:
                    store.RestoreInstruction(record.uids, record.instruction);
                    break;
            }
        }
        // Objects that no longer exist are left out rather than kept as stale uids.
        store.SetSelection(LiveOnly(step.uids));
    }
    currentChart = step.chart;
    scrollX = step.scrollX;
    scrollY = step.scrollY;
    if (onViewRestored) onViewRestored();
    return true;
}

void EditorState::ClearHistory() {
    std::vector<int> uids;
    while (history.DropOldest(uids))
        for (int uid : uids) store.PurgeObject(uid);
}
