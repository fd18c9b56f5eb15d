#include "first_open_output.h"

FirstOpenOutput::FirstOpenOutput(std::initializer_list<IMidiOutput*> candidates)
    : candidates_(candidates) {}

FirstOpenOutput::~FirstOpenOutput() { Close(); }

bool FirstOpenOutput::Open() {
    Close();
    for (IMidiOutput* candidate : candidates_) {
        if (candidate->Open()) {
            chosen_ = candidate;
            return true;
        }
    }
    return false;
}

void FirstOpenOutput::BeginPlayback() {
    if (chosen_ != nullptr) chosen_->BeginPlayback();
}

void FirstOpenOutput::EndPlayback() {
    if (chosen_ != nullptr) chosen_->EndPlayback();
}

void FirstOpenOutput::NoteOn(std::uint8_t note) {
    if (chosen_ != nullptr) chosen_->NoteOn(note);
}

void FirstOpenOutput::NoteOff(std::uint8_t note) {
    if (chosen_ != nullptr) chosen_->NoteOff(note);
}

void FirstOpenOutput::Close() {
    if (chosen_ == nullptr) return;
    chosen_->Close();
    chosen_ = nullptr;
}
