// The synthesiser the melody plays through: a MIDI output, or the sound card
// standing in for one (tone_output.h).
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
    // Around each playback, for an output that needs a stream running only
    // while notes may come; a synthesiser port needs nothing.
    virtual void BeginPlayback() {}
    virtual void EndPlayback() {}
    // Note-on with kNoteVelocity; note-off is the same status with velocity 0.
    virtual void NoteOn(std::uint8_t note) = 0;
    virtual void NoteOff(std::uint8_t note) = 0;
    virtual void Close() = 0;
};
