// Which MIDI output port the melody plays through. Systems list ports that
// make no sound (ALSA's "Midi Through", virtual cables, the inputs of other
// programs) beside synthesisers, often first; only a synthesiser will do, and
// without one the sound card plays the melody instead.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// The first port whose name marks a synthesiser (as FluidSynth, TiMidity and
// the system synthesisers of other platforms name theirs), never a through
// port; nothing when there is none.
std::optional<std::size_t> ChooseSynthesiserPort(const std::vector<std::string>& names);
