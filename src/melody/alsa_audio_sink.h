// The sound card over ALSA's default PCM device (which sound servers such as
// PipeWire and PulseAudio also serve). A machine without one is normal:
// Available is false and nothing is printed.
#pragma once

#include <atomic>
#include <thread>

#include "audio_sink.h"

class AlsaAudioSink : public IAudioSink {
public:
    AlsaAudioSink();
    ~AlsaAudioSink() override;
    AlsaAudioSink(const AlsaAudioSink&) = delete;
    AlsaAudioSink& operator=(const AlsaAudioSink&) = delete;

    bool Available() override;
    bool Start(int sampleRate, Fill fill) override;
    void Stop() override;

private:
    std::atomic<bool> stop_{false};
    std::thread thread_;
};
