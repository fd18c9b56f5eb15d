// The melody list: the clef marker followed by the notes and rests in melody order.
#pragma once

#include <mutex>
#include <vector>

#include "melody_note.h"

enum class InsertOutcome { Inserted, Appended, Refused };

// Every operation takes the list's own lock, so the editor and the playback
// side may share one list.
class CMelodyDataManager {
public:
    CMelodyDataManager();
    CMelodyDataManager(const CMelodyDataManager&) = delete;
    CMelodyDataManager& operator=(const CMelodyDataManager&) = delete;

    // Leaves only the clef marker.
    void Reset();
    // Places a note or rest (type 1-10) before the first entry whose x is at
    // least the note's x; a rest's y becomes 40. Refused once the list holds
    // 100 notes and rests, and for any other type. Call Relayout afterwards.
    InsertOutcome Insert(MelodyNote note);
    // Removes the first entry whose 32 x 32 square centred on it holds the
    // point; the leading clef marker is never removed. True when one was.
    bool RemoveAt(int x, int y);
    // Gives every entry its x from the widths before it; returns CountNotes.
    int Relayout();
    // Entries of type 1-10.
    int CountNotes() const;
    // The x just after the last entry, as of the last Relayout.
    int TotalWidth() const;
    // A copy of the whole list, clef marker first.
    std::vector<MelodyNote> Notes() const;
    // Replaces everything after the clef marker with entries as given (no
    // sorting, no limit) and relays out; used when a file is read.
    void ReplaceEntries(std::vector<MelodyNote> entries);

private:
    int RelayoutLocked();
    int CountNotesLocked() const;

    mutable std::mutex mutex_;
    std::vector<MelodyNote> notes_;
    int totalWidth_ = 0;
};
