#include "play_list.h"

PlayList BuildPlayList(const CMelodyDataManager& melody, int tempo, bool repeat) {
    PlayList list;
    list.tempo = LimitTempo(tempo);
    list.repeat = repeat;
    for (const MelodyNote& entry : melody.Notes()) {
        const int duration = DurationOf(entry.type, entry.dotted != 0, list.tempo);
        if (IsNoteType(entry.type)) {
            const std::uint8_t pitch = PitchOfPosition(entry.y, entry.flat != 0, entry.sharp != 0);
            if (pitch != kNoPitch) list.events.push_back({pitch, 1, duration});
        } else if (IsRestType(entry.type)) {
            list.events.push_back({kNoPitch, 0, duration});
        }
    }
    return list;
}
