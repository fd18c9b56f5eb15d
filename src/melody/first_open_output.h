// The first of several MIDI outputs that opens: a synthesiser port when the
// system has one, else the sound card's tone generator, else none (silent).
#pragma once

#include <initializer_list>
#include <vector>

#include "midi_output.h"

class FirstOpenOutput : public IMidiOutput {
public:
    // Tried in the order given; all must outlive this object.
    FirstOpenOutput(std::initializer_list<IMidiOutput*> candidates);
    ~FirstOpenOutput() override;

    bool Open() override;
    bool IsOpen() const override { return chosen_ != nullptr; }
    void BeginPlayback() override;
    void EndPlayback() override;
    void NoteOn(std::uint8_t note) override;
    void NoteOff(std::uint8_t note) override;
    void Close() override;

private:
    std::vector<IMidiOutput*> candidates_;
    IMidiOutput* chosen_ = nullptr;
};
