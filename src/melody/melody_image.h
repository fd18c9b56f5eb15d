// Turning a play list into the board's melody image.
#pragma once

#include <string_view>
#include <vector>

#include "nuvo_melody_manager.h"
#include "play_list.h"

// 124 entries fit after the title; one is kept for the end entry.
inline constexpr std::size_t kMaxImageEvents = 123;

// Resets the manager and fills it: the title, one tone or silence entry per
// event, each naming the next, then the end entry (back to entry 0 with
// repeat, 0xFF without). Events past the 123rd are left out so that the end
// entry always fits and the last event never names a missing entry.
void BuildMelodyImage(NuvoMelodyManager& manager, const std::vector<MelodyEvent>& events,
                      std::string_view title, bool repeat);
MelodyImage BuildMelodyImage(const std::vector<MelodyEvent>& events, std::string_view title,
                             bool repeat);
