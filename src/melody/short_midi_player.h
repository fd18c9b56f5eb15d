// Plays a play list through the MIDI output on a thread of its own.
#pragma once

#include <functional>
#include <memory>
#include <thread>

#include "midi_output.h"
#include "play_list.h"
#include "stop_event.h"

class CShortMidiPlayer {
public:
    // onEnd is called on the playback thread each time a melody without
    // repeat has played to its end, until the player is stopped.
    CShortMidiPlayer(IMidiOutput& output, IPlaybackTimer& timer, std::function<void()> onEnd);
    virtual ~CShortMidiPlayer();
    CShortMidiPlayer(const CShortMidiPlayer&) = delete;
    CShortMidiPlayer& operator=(const CShortMidiPlayer&) = delete;

    // Opens the output; without one playback runs silently.
    void Open();
    // The list played by the next Start; ignored while playing.
    void SetPlayList(PlayList list);
    // Starts the thread unless one exists.
    void Start();
    // Ends the thread: it wakes at once from any note or rest and silences a
    // sounding note. Nothing happens when none runs.
    void Stop();
    bool Playing() const { return thread_.joinable(); }

private:
    void Run(const PlayList& list);
    // False when stopped during the event.
    bool PlayEvent(const MelodyEvent& event);

    IMidiOutput& output_;
    IPlaybackTimer& timer_;
    std::function<void()> onEnd_;
    PlayList list_;
    StopEvent stop_;
    std::thread thread_;
};
