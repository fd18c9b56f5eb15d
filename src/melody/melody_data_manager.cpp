#include "melody_data_manager.h"

#include <algorithm>

namespace {

constexpr int kHitHalf = 16;  // half the side of an entry's hit square

}  // namespace

CMelodyDataManager::CMelodyDataManager() { Reset(); }

void CMelodyDataManager::Reset() {
    std::lock_guard lock(mutex_);
    notes_.assign(1, kClefMarker);
    RelayoutLocked();
}

InsertOutcome CMelodyDataManager::Insert(MelodyNote note) {
    std::lock_guard lock(mutex_);
    const bool rest = IsRestType(note.type);
    if ((!rest && !IsNoteType(note.type)) || CountNotesLocked() >= kMaxMelodyNotes)
        return InsertOutcome::Refused;
    if (rest) note.y = kRestY;
    const auto at = std::find_if(notes_.begin(), notes_.end(),
                                 [&](const MelodyNote& entry) { return entry.x >= note.x; });
    const bool appended = at == notes_.end();
    notes_.insert(at, note);
    return appended ? InsertOutcome::Appended : InsertOutcome::Inserted;
}

bool CMelodyDataManager::RemoveAt(int x, int y) {
    std::lock_guard lock(mutex_);
    // The marker that heads the list stays: without it every entry would shift left.
    const auto at = std::find_if(notes_.begin() + 1, notes_.end(), [&](const MelodyNote& entry) {
        return x >= entry.x - kHitHalf && x < entry.x + kHitHalf && y >= entry.y - kHitHalf &&
               y < entry.y + kHitHalf;
    });
    if (at == notes_.end()) return false;
    notes_.erase(at);
    return true;
}

int CMelodyDataManager::Relayout() {
    std::lock_guard lock(mutex_);
    return RelayoutLocked();
}

int CMelodyDataManager::RelayoutLocked() {
    int position = kClefMarker.x;
    for (MelodyNote& entry : notes_) {
        entry.x = position;
        const int units = UnitsOf(entry.type);
        position += entry.dotted != 0 ? units * 3 / 2 : units;
    }
    totalWidth_ = position;
    return CountNotesLocked();
}

int CMelodyDataManager::CountNotes() const {
    std::lock_guard lock(mutex_);
    return CountNotesLocked();
}

int CMelodyDataManager::CountNotesLocked() const {
    return static_cast<int>(std::count_if(notes_.begin(), notes_.end(), [](const MelodyNote& entry) {
        return IsNoteType(entry.type) || IsRestType(entry.type);
    }));
}

int CMelodyDataManager::TotalWidth() const {
    std::lock_guard lock(mutex_);
    return totalWidth_;
}

std::vector<MelodyNote> CMelodyDataManager::Notes() const {
    std::lock_guard lock(mutex_);
    return notes_;
}

void CMelodyDataManager::ReplaceEntries(std::vector<MelodyNote> entries) {
    std::lock_guard lock(mutex_);
    notes_.assign(1, kClefMarker);
    notes_.insert(notes_.end(), entries.begin(), entries.end());
    RelayoutLocked();
}
