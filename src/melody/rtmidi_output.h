// The MIDI output over RtMidi: the system's first synthesiser port (see midi_port_choice.h).
#pragma once

#include <memory>

#include "midi_output.h"

class RtMidiOut;

class RtMidiOutput : public IMidiOutput {
public:
    RtMidiOutput();
    ~RtMidiOutput() override;

    // False when the system has no synthesiser port.
    bool Open() override;
    bool IsOpen() const override { return port_ != nullptr; }
    void NoteOn(std::uint8_t note) override;
    void NoteOff(std::uint8_t note) override;
    void Close() override;

private:
    void Send(std::uint8_t note, std::uint8_t velocity);

    std::unique_ptr<RtMidiOut> port_;
};
