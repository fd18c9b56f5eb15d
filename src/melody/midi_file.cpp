#include "midi_file.h"

#include <cstdint>

#include "atomic_file.h"
#include "cp932_text.h"
#include "melody_timing.h"

namespace {

constexpr std::uint8_t kNoteOn = 0x90;   // channel 1
constexpr std::uint8_t kNoteOff = 0x80;  // channel 1
constexpr std::uint8_t kVelocity = 0x70;
constexpr std::uint8_t kMeta = 0xFF;
constexpr std::uint8_t kTrackNameMeta = 0x03;
constexpr std::uint8_t kTempoMeta = 0x51;
constexpr std::uint8_t kEndOfTrackMeta = 0x2F;

void PutBigEndian(std::string& out, std::uint32_t value, int bytes) {
    for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8)
        out += static_cast<char>((value >> shift) & 0xFF);
}

// A variable-length quantity: seven bits a byte, most significant first.
void PutVariable(std::string& out, std::uint32_t value) {
    std::string bytes(1, static_cast<char>(value & 0x7F));
    while ((value >>= 7) != 0)
        bytes.insert(bytes.begin(), static_cast<char>(0x80 | (value & 0x7F)));
    out += bytes;
}

void PutEvent(std::string& track, std::uint32_t delta, std::string_view bytes) {
    PutVariable(track, delta);
    track += bytes;
}

void PutMeta(std::string& track, std::uint32_t delta, std::uint8_t type, std::string_view data) {
    PutVariable(track, delta);
    track += static_cast<char>(kMeta);
    track += static_cast<char>(type);
    PutVariable(track, static_cast<std::uint32_t>(data.size()));
    track += data;
}

// A quarter note is 128 units on the staff and kMidiTicksPerQuarter ticks here.
std::uint32_t TicksOf(const MelodyNote& entry) {
    const int units = UnitsOf(entry.type) * (entry.dotted != 0 ? 3 : 2) / 2;
    return static_cast<std::uint32_t>(units * kMidiTicksPerQuarter / 128);
}

std::string ShortMessage(std::uint8_t status, std::uint8_t note, std::uint8_t velocity) {
    return {static_cast<char>(status), static_cast<char>(note), static_cast<char>(velocity)};
}

}  // namespace

std::string MidiFileBytes(std::string_view trackName, int tempo, const CMelodyDataManager& melody) {
    std::string track;
    if (!trackName.empty()) PutMeta(track, 0, kTrackNameMeta, trackName);
    std::string microsecondsPerQuarter;
    const int limited = LimitTempo(tempo);
    PutBigEndian(microsecondsPerQuarter,
                 static_cast<std::uint32_t>((60000000 + limited / 2) / limited), 3);
    PutMeta(track, 0, kTempoMeta, microsecondsPerQuarter);

    std::uint32_t pending = 0;  // time since the last event: rests and unplayable notes
    for (const MelodyNote& entry : melody.Notes()) {
        // The same entries as playback plays, in the same order.
        const std::uint8_t pitch = IsNoteType(entry.type)
                                       ? PitchOfPosition(entry.y, entry.flat != 0, entry.sharp != 0)
                                       : kNoPitch;
        if (IsNoteType(entry.type) && pitch != kNoPitch) {
            PutEvent(track, pending, ShortMessage(kNoteOn, pitch, kVelocity));
            PutEvent(track, TicksOf(entry), ShortMessage(kNoteOff, pitch, 0));
            pending = 0;
        } else if (IsRestType(entry.type)) {
            pending += TicksOf(entry);
        }
    }
    // A closing rest still counts: the track ends after it.
    PutMeta(track, pending, kEndOfTrackMeta, {});

    std::string file = "MThd";
    PutBigEndian(file, 6, 4);
    PutBigEndian(file, 0, 2);  // format 0
    PutBigEndian(file, 1, 2);  // one track
    PutBigEndian(file, kMidiTicksPerQuarter, 2);
    file += "MTrk";
    PutBigEndian(file, static_cast<std::uint32_t>(track.size()), 4);
    return file + track;
}

bool WriteMidiFile(const std::string& path, const MelodySettings& settings,
                   const CMelodyDataManager& melody, INotifier& notifier) {
    const Cp932Conversion title = Utf8ToCp932(settings.title);
    if (!title.bytes) {
        notifier.ShowMessage(std::string(kMidiExportFailed) + UnsavableTitleLine(title));
        return false;
    }
    if (ReplaceFileContents(path, MidiFileBytes(*title.bytes, settings.tempo, melody))) {
        notifier.ShowMessage(kMidiExportFailed);
        return false;
    }
    return true;
}
