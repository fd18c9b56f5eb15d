// How the virtual board window makes its sounds heard: a tone player the application hands it.
#pragma once

#include "board_sounds.h"

class IBoardSound {
public:
    virtual ~IBoardSound() = default;
    // Plays the pattern at volume 1 (小) to 3 (大), in place of what sounded before.
    virtual void Play(const SoundPattern& pattern, int volume) = 0;
    virtual void Stop() = 0;
};
