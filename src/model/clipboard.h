// The editor's private clipboard: flat copies of the objects last copied,
// kept across pastes so the same contents can be pasted again.
#pragma once

#include <map>
#include <vector>

#include "records.h"

class IFLOWOBJECT;

class CopyObjectMemory {
public:
    // Forgets the copied objects, their counts and the uid map.
    void Clear();
    // Appends the flat copy of an object; starts, loop begins and parallel
    // runs are counted because paste checks the board's limits with them.
    void Add(const IFLOWOBJECT& object);
    // Lines alone cannot be pasted, so only symbols make the clipboard non-empty.
    bool Empty() const { return symbols_.empty(); }

    const std::vector<SymbolRecord>& Symbols() const { return symbols_; }
    const std::vector<LineRecord>& Lines() const { return lines_; }
    int StartCount() const { return starts_; }
    int LoopBeginCount() const { return loopBegins_; }
    int ParallelCount() const { return parallels_; }

    // Renumbering during a paste: copied uid -> uid of the pasted object.
    void ResetUidMap() { uidMap_.clear(); }
    void MapUid(int copiedUid, int pastedUid) { uidMap_[copiedUid] = pastedUid; }
    // A copy of a line under a new uid with its ends pointed at the pasted
    // symbols; an end whose symbol was not pasted becomes unconnected.
    LineRecord Renumbered(const LineRecord& line, int newUid) const;

private:
    LineEnd Mapped(LineEnd end) const;

    std::map<int, int> uidMap_;
    std::vector<SymbolRecord> symbols_;
    std::vector<LineRecord> lines_;
    int starts_ = 0;
    int loopBegins_ = 0;
    int parallels_ = 0;
};
