// The synthesiser the melody plays through: the default MIDI output.
#pragma once

#include <cstdint>

inline constexpr std::uint8_t kNoteOnStatus = 0x90;  // note on, channel 1
inline constexpr std::uint8_t kNoteVelocity = 0x70;

class IMidiOutput {
public:
    virtual ~IMidiOutput() = default;
    // Closes any open output first; false when no output exists.
    virtual bool Open() = 0;
    virtual bool IsOpen() const = 0;
    // Note-on with kNoteVelocity; note-off is the same status with velocity 0.
    virtual void NoteOn(std::uint8_t note) = 0;
    virtual void NoteOff(std::uint8_t note) = 0;
    virtual void Close() = 0;
};
