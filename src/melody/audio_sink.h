// The sound card as a stream of 16-bit mono samples that it pulls on a
// thread of its own; tests and machines without sound use other sinks.
#pragma once

#include <cstdint>
#include <functional>
#include <span>

class IAudioSink {
public:
    // Called on the sink's thread for every block; must fill all of it.
    using Fill = std::function<void(std::span<std::int16_t> block)>;

    virtual ~IAudioSink() = default;
    // Whether a sound device can be opened now.
    virtual bool Available() = 0;
    // Opens the device at sampleRate and keeps calling fill until Stop;
    // false, and nothing called, when no device could be opened.
    virtual bool Start(int sampleRate, Fill fill) = 0;
    // Ends the stream at once, dropping what it still holds; nothing when none runs.
    virtual void Stop() = 0;
};
