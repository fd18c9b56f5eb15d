// The editor with its side tools over a simulated board, made as the
// application makes them, for the tests of the tool windows and of files
// handed to the editor.
#pragma once

#include <memory>

#include "main_window/tool_windows.h"
#include "main_window_test_support.h"

class SilentMidi : public IMidiOutput {
public:
    bool Open() override { return false; }
    bool IsOpen() const override { return false; }
    void NoteOn(std::uint8_t) override {}
    void NoteOff(std::uint8_t) override {}
    void Close() override {}
};

struct EditorWithTools : Editor {
    explicit EditorWithTools(bool boardPlugged) : Editor(boardPlugged) {
        tools = std::make_unique<CToolWindows>(*window, midi, timer, resources.SmallFont());
        window->SetToolWindows(tools.get());
    }
    ~EditorWithTools() { window->SetToolWindows(nullptr); }

    bool MelodyItemEnabled() { return Enabled(CommandId::MelodyEditor); }

    SilentMidi midi;
    RealPlaybackTimer timer;
    std::unique_ptr<CToolWindows> tools;
};
