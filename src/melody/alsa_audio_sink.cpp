#include "alsa_audio_sink.h"

#include <alsa/asoundlib.h>

#include <memory>
#include <vector>

namespace {

constexpr const char* kDevice = "default";
// Blocks of 10 ms in a buffer of about 40 ms: a note starts at most that late.
constexpr unsigned kLatencyMicroseconds = 40000;
constexpr int kBlocksPerSecond = 100;

struct PcmCloser {
    void operator()(snd_pcm_t* pcm) const { snd_pcm_close(pcm); }
};
using Pcm = std::unique_ptr<snd_pcm_t, PcmCloser>;

// ALSA reports a missing card on standard error; here that is a normal case.
void QuietAlsaError(const char*, int, const char*, int, const char*, ...) {}

Pcm OpenPcm() {
    snd_lib_error_set_handler(&QuietAlsaError);
    snd_pcm_t* pcm = nullptr;
    // Non-blocking open, so a busy device cannot hang the caller; writes then block.
    if (snd_pcm_open(&pcm, kDevice, SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) < 0) return nullptr;
    Pcm opened(pcm);
    if (snd_pcm_nonblock(pcm, 0) < 0) return nullptr;
    return opened;
}

}  // namespace

AlsaAudioSink::AlsaAudioSink() = default;

AlsaAudioSink::~AlsaAudioSink() { Stop(); }

bool AlsaAudioSink::Available() {
    if (thread_.joinable()) return true;
    return OpenPcm() != nullptr;
}

bool AlsaAudioSink::Start(int sampleRate, Fill fill) {
    Stop();
    Pcm pcm = OpenPcm();
    if (!pcm || snd_pcm_set_params(pcm.get(), SND_PCM_FORMAT_S16, SND_PCM_ACCESS_RW_INTERLEAVED, 1,
                                   static_cast<unsigned>(sampleRate), 1, kLatencyMicroseconds) < 0)
        return false;
    stop_ = false;
    thread_ = std::thread([this, pcm = std::move(pcm), sampleRate, fill = std::move(fill)] {
        std::vector<std::int16_t> block(static_cast<std::size_t>(sampleRate / kBlocksPerSecond));
        while (!stop_) {
            fill(block);
            const snd_pcm_sframes_t written = snd_pcm_writei(pcm.get(), block.data(), block.size());
            // An underrun or a suspend is recovered from; anything else ends the sound, not the
            // program.
            if (written < 0 && snd_pcm_recover(pcm.get(), static_cast<int>(written), 1) < 0) break;
        }
        snd_pcm_drop(pcm.get());
    });
    return true;
}

void AlsaAudioSink::Stop() {
    if (!thread_.joinable()) return;
    stop_ = true;
    thread_.join();
}
