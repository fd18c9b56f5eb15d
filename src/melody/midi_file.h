// The melody as a standard MIDI file (format 0, one track) that other
// programs play and show, so a tune written for the board can be heard anywhere.
#pragma once

#include <string>
#include <string_view>

#include "melody_data_manager.h"
#include "melody_file.h"
#include "notifier.h"

inline constexpr std::string_view kMidiExportFailed = "書き出しに失敗しました";
inline constexpr int kMidiTicksPerQuarter = 480;

// The file's bytes: trackName (already in the bytes it is to have) as the
// track's name when not empty, the tempo (limited to 40-200) as the tempo,
// then every note the melody plays at its MIDI note number, channel 1, for
// its written length; rests, and notes without a pitch, are time without sound.
std::string MidiFileBytes(std::string_view trackName, int tempo, const CMelodyDataManager& melody);

// Writes the melody with its title as the track name in code page 932, as
// Japanese MIDI programs show it, replacing the file as a whole. On failure
// shows "書き出しに失敗しました", followed by a line naming a title character
// that code page 932 cannot hold, and leaves any earlier file as it was.
bool WriteMidiFile(const std::string& path, const MelodySettings& settings,
                   const CMelodyDataManager& melody, INotifier& notifier);
