#include "rtmidi_output.h"

#include <RtMidi.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "midi_port_choice.h"

namespace {
// A machine without a synthesiser is normal: RtMidi's warnings stay quiet.
void IgnoreMidiError(RtMidiError::Type, const std::string&, void*) {}
}  // namespace

RtMidiOutput::RtMidiOutput() = default;
RtMidiOutput::~RtMidiOutput() { Close(); }

bool RtMidiOutput::Open() {
    Close();
    try {
        auto port = std::make_unique<RtMidiOut>();
        port->setErrorCallback(&IgnoreMidiError);
        std::vector<std::string> names;
        for (unsigned i = 0; i < port->getPortCount(); ++i) names.push_back(port->getPortName(i));
        const std::optional<std::size_t> chosen = ChooseSynthesiserPort(names);
        if (!chosen) return false;
        port->openPort(static_cast<unsigned>(*chosen));
        if (!port->isPortOpen()) return false;
        port_ = std::move(port);
        return true;
    } catch (const RtMidiError&) {
        return false;
    }
}

void RtMidiOutput::Send(std::uint8_t note, std::uint8_t velocity) {
    if (!port_) return;
    const std::array<unsigned char, 3> message{kNoteOnStatus, note, velocity};
    try {
        port_->sendMessage(message.data(), message.size());
    } catch (const RtMidiError&) {
        // A vanished port: the note is lost, playback goes on silently.
    }
}

void RtMidiOutput::NoteOn(std::uint8_t note) { Send(note, kNoteVelocity); }
void RtMidiOutput::NoteOff(std::uint8_t note) { Send(note, 0); }

void RtMidiOutput::Close() {
    if (!port_) return;
    try {
        port_->closePort();
    } catch (const RtMidiError&) {
    }
    port_.reset();
}
