// The play list that both playback and the board's melody image are made from.
#pragma once

#include <cstdint>
#include <vector>

#include "melody_data_manager.h"
#include "melody_timing.h"

struct MelodyEvent {
    std::uint8_t note = kNoPitch;  // kNoPitch for a rest
    int sound = 0;                 // 1 note, 0 rest
    int duration = 0;              // milliseconds
    bool operator==(const MelodyEvent&) const = default;
};

struct PlayList {
    std::vector<MelodyEvent> events;
    int tempo = kDefaultTempo;  // limited to 40-200; the editor shows it when it differs from its own
    bool repeat = false;
};

// Notes without a pitch and entries of unknown type are left out.
PlayList BuildPlayList(const CMelodyDataManager& melody, int tempo, bool repeat);
