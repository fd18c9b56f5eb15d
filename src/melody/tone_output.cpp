#include "tone_output.h"

ToneMidiOutput::ToneMidiOutput(IAudioSink& sink, int sampleRate)
    : sink_(sink), generator_(sampleRate) {}

ToneMidiOutput::~ToneMidiOutput() { Close(); }

bool ToneMidiOutput::Open() {
    Close();
    open_ = sink_.Available();
    return open_;
}

void ToneMidiOutput::BeginPlayback() {
    if (!open_) return;
    generator_.Silence();
    sink_.Start(generator_.SampleRate(),
                [this](std::span<std::int16_t> block) { generator_.Render(block); });
}

void ToneMidiOutput::NoteOn(std::uint8_t note) { generator_.Hold(FrequencyOfNote(note)); }

void ToneMidiOutput::NoteOff(std::uint8_t) { generator_.Silence(); }

void ToneMidiOutput::EndPlayback() {
    sink_.Stop();
    generator_.Silence();
}

void ToneMidiOutput::Close() {
    EndPlayback();
    open_ = false;
}
