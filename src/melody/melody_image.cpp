#include "melody_image.h"

#include <algorithm>

#include "melody_tones.h"

namespace {

constexpr std::uint8_t kToneOperation = 0x01;
constexpr std::uint8_t kStopAfterEnd = 0xFF;
constexpr std::uint8_t kRepeatFromStart = 0x00;
constexpr int kMaxDuration = 0xFFFF;

MelodyEntry EventEntry(const MelodyEvent& event, std::size_t index) {
    MelodyEntry entry{};
    if (event.sound == 1) {
        if (const std::optional<std::uint16_t> tone = ToneValueOf(event.note)) {
            entry[1] = kToneOperation;
            entry[2] = static_cast<std::uint8_t>(*tone >> 8);
            entry[3] = static_cast<std::uint8_t>(*tone & 0xFF);
        }
    }
    const int duration = std::clamp(event.duration, 0, kMaxDuration);
    entry[4] = static_cast<std::uint8_t>(duration >> 8);
    entry[5] = static_cast<std::uint8_t>(duration & 0xFF);
    entry[7] = static_cast<std::uint8_t>(index + 1);
    return entry;
}

}  // namespace

void BuildMelodyImage(NuvoMelodyManager& manager, const std::vector<MelodyEvent>& events,
                      std::string_view title, bool repeat) {
    manager.Reset();
    manager.SetTitle(title);
    const std::size_t count = std::min(events.size(), kMaxImageEvents);
    for (std::size_t n = 0; n < count; ++n) manager.AppendEntry(EventEntry(events[n], n));
    MelodyEntry end{};
    end[7] = repeat ? kRepeatFromStart : kStopAfterEnd;
    manager.AppendEntry(end);
}

MelodyImage BuildMelodyImage(const std::vector<MelodyEvent>& events, std::string_view title,
                             bool repeat) {
    NuvoMelodyManager manager;
    BuildMelodyImage(manager, events, title, repeat);
    return manager.Image();
}
