#include "platform/Tone.h"

#include <alsa/asoundlib.h>

#include <cmath>
#include <numbers>

namespace orvel {

namespace {
TonePlayer &installed()
{
    static TonePlayer player;
    return player;
}

void quietAlsaErrors(const char *, int, const char *, int, const char *, ...) {}

void playOnSoundCard(int hz, int ms)
{
    static const bool quiet = (snd_lib_error_set_handler(quietAlsaErrors), true);
    (void)quiet;
    snd_pcm_t *pcm = nullptr;
    if (snd_pcm_open(&pcm, "default", SND_PCM_STREAM_PLAYBACK, 0) < 0)
        return; // no sound device: no tone
    if (snd_pcm_set_params(pcm, SND_PCM_FORMAT_S16_LE, SND_PCM_ACCESS_RW_INTERLEAVED, 1, kToneSampleRate, 1, 50000) ==
        0) {
        const std::vector<std::int16_t> samples = sineTone(hz, ms);
        snd_pcm_sframes_t written = snd_pcm_writei(pcm, samples.data(), snd_pcm_uframes_t(samples.size()));
        if (written < 0)
            written = snd_pcm_recover(pcm, int(written), 1);
        if (written >= 0)
            snd_pcm_drain(pcm); // the tone is synchronous
    }
    snd_pcm_close(pcm);
}
} // namespace

std::vector<std::int16_t> sineTone(int hz, int ms, int sampleRate)
{
    const int count = std::max(0, sampleRate * ms / 1000);
    const int fade = std::min(count / 2, sampleRate / 500); // 2 ms
    std::vector<std::int16_t> samples(std::size_t(count), 0);
    for (int i = 0; i < count; ++i) {
        double gain = 1.0;
        if (i < fade)
            gain = double(i) / fade;
        else if (i >= count - fade)
            gain = double(count - 1 - i) / fade;
        samples[std::size_t(i)] =
            std::int16_t(std::lround(12000.0 * gain * std::sin(2 * std::numbers::pi * hz * i / sampleRate)));
    }
    return samples;
}

void playTone(int hz, int ms)
{
    if (hz <= 0 || ms <= 0)
        return;
    if (installed())
        installed()(hz, ms);
    else
        playOnSoundCard(hz, ms);
}

TonePlayer setTonePlayer(TonePlayer player)
{
    std::swap(installed(), player);
    return player;
}

} // namespace orvel
