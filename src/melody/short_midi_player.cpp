#include "short_midi_player.h"

#include <utility>

namespace {
constexpr std::chrono::milliseconds kTurnPause{1};
}

CShortMidiPlayer::CShortMidiPlayer(IMidiOutput& output, IPlaybackTimer& timer,
                                   std::function<void()> onEnd)
    : output_(output), timer_(timer), onEnd_(std::move(onEnd)) {}

CShortMidiPlayer::~CShortMidiPlayer() {
    Stop();
    output_.Close();
}

void CShortMidiPlayer::Open() { output_.Open(); }

void CShortMidiPlayer::SetPlayList(PlayList list) {
    if (!Playing()) list_ = std::move(list);
}

void CShortMidiPlayer::Start() {
    if (Playing()) return;
    stop_.Reset();
    output_.BeginPlayback();
    thread_ = std::thread([this, list = list_] { Run(list); });
}

void CShortMidiPlayer::Stop() {
    if (!Playing()) return;
    stop_.Set();
    thread_.join();
    stop_.Reset();
    output_.EndPlayback();
}

bool CShortMidiPlayer::PlayEvent(const MelodyEvent& event) {
    const std::chrono::milliseconds duration{event.duration};
    if (event.sound == 0) return !timer_.Wait(stop_, duration);
    // Without an output a note takes no time, as nothing is heard.
    if (!output_.IsOpen()) return true;
    output_.NoteOn(event.note);
    const bool stopped = timer_.Wait(stop_, duration);
    output_.NoteOff(event.note);
    return !stopped;
}

void CShortMidiPlayer::Run(const PlayList& list) {
    if (stop_.IsSet()) return;
    std::size_t next = 0;
    for (;;) {
        if (next < list.events.size()) {
            if (!PlayEvent(list.events[next])) return;
            ++next;
        }
        if (next >= list.events.size()) {
            if (list.repeat) {
                next = 0;
            } else if (onEnd_) {
                onEnd_();
            }
        }
        if (timer_.Wait(stop_, kTurnPause)) return;
    }
}
