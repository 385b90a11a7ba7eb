#include "platform/Tone.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <mutex>
#include <numbers>
#include <optional>
#include <thread>
#include <utility>

namespace orvel {

namespace {
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
            snd_pcm_drain(pcm); // returns when the tone has sounded
    }
    snd_pcm_close(pcm);
}

struct Tone
{
    int hz = 0;
    int ms = 0;
};

// Plays tones one after another on a thread of its own. One tone sounds and at
// most one waits: a newer request replaces the waiting one, because the newest
// reading is the one worth hearing and the user should not hear alarms for
// readings long gone.
class ToneThread
{
public:
    ToneThread()
        : worker_([this] { run(); })
    {}

    ~ToneThread()
    {
        {
            std::lock_guard lock(mutex_);
            pending_.reset();
            stopping_ = true;
        }
        wake_.notify_all();
        worker_.join(); // the tone that sounds is at most a tenth of a second
    }

    void play(const Tone &tone)
    {
        {
            std::lock_guard lock(mutex_);
            if (stopping_)
                return;
            if (current_)
                pending_ = tone;
            else
                current_ = tone;
        }
        wake_.notify_all();
    }

    void waitUntilQuiet()
    {
        std::unique_lock lock(mutex_);
        idle_.wait(lock, [this] { return !current_ && !pending_; });
    }

    TonePlayer swapPlayer(TonePlayer player)
    {
        std::lock_guard lock(mutex_);
        std::swap(player_, player);
        return player;
    }

private:
    void run()
    {
        std::unique_lock lock(mutex_);
        for (;;) {
            wake_.wait(lock, [this] { return stopping_ || current_; });
            if (!current_)
                return;
            const Tone tone = *current_;
            const TonePlayer player = player_;
            lock.unlock();
            if (player)
                player(tone.hz, tone.ms);
            else
                playOnSoundCard(tone.hz, tone.ms);
            lock.lock();
            current_ = pending_;
            pending_.reset();
            if (!current_)
                idle_.notify_all();
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_; ///< a tone to play, or the end
    std::condition_variable idle_; ///< nothing sounds and nothing waits
    std::optional<Tone> current_;  ///< the tone that sounds
    std::optional<Tone> pending_;  ///< the one tone that waits for it
    TonePlayer player_;            ///< null: the sound card
    bool stopping_ = false;
    std::thread worker_; ///< last: starts when everything above exists
};

ToneThread &toneThread()
{
    static ToneThread thread;
    return thread;
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
    toneThread().play({hz, ms});
}

void waitForTones()
{
    toneThread().waitUntilQuiet();
}

TonePlayer setTonePlayer(TonePlayer player)
{
    return toneThread().swapPlayer(std::move(player));
}

} // namespace orvel
