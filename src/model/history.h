// The undo history: up to ten steps, each a list of changes to take back.
#pragma once

#include <deque>
#include <vector>

#include "nuvo_instruction.h"
#include "records.h"

enum class RecordType : int { Created = 0, Deleted = 1, Moved = 2, SettingsChanged = 4 };

// One change inside a step.
struct RECORD {
    RecordType type = RecordType::Created;
    std::vector<int> uids;
    int dx = 0;  // displacement of a move
    int dy = 0;
    NuvoInstruction instruction;  // before a settings change; unset otherwise

    bool operator==(const RECORD&) const = default;
};

// One undoable step: where the editor was, what to select afterwards, the
// changes to take back in order and the program slots its deletions freed.
struct RECORDS {
    int chart = 0;
    int scrollX = 0;  // in cells, as the work area scrolls
    int scrollY = 0;
    std::vector<int> uids;
    std::vector<RECORD> records;
    std::vector<FreedSlot> freedSlots;

    bool operator==(const RECORDS&) const = default;
};

class CHistorys {
public:
    static constexpr int kMaxSteps = 10;

    // Appends a step, first dropping the oldest when the history is full;
    // answers the uids whose deletion can no longer be undone, for purging.
    std::vector<int> PushStep(RECORDS step);
    // Takes the newest step; false when there is none.
    bool PopNewest(RECORDS& step);
    // Removes the oldest step and answers, without duplicates, the uids its
    // deletions hold; false when the history is empty.
    bool DropOldest(std::vector<int>& uids);
    int Count() const { return static_cast<int>(steps_.size()); }

private:
    std::deque<RECORDS> steps_;  // oldest at the front
};
