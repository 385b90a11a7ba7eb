#pragma once
// A short sine tone on the sound card. Where there is no sound device the tone
// is silently skipped.

#include <cstdint>
#include <functional>
#include <vector>

namespace orvel {

inline constexpr int kToneSampleRate = 44100;

/// `ms` milliseconds of a sine at `hz`, 16-bit mono at `sampleRate`, with a
/// short fade at both ends so the tone starts and stops without a click.
std::vector<std::int16_t> sineTone(int hz, int ms, int sampleRate = kToneSampleRate);

/// Starts a tone and returns at once: the tone sounds on a thread of its own,
/// so the windows keep running while it plays. A tone asked for while another
/// sounds waits for it; only the newest such request waits, older ones are
/// dropped, so a stream of alarms never piles up behind the speaker.
void playTone(int hz, int ms);

/// Returns when the tone that sounds and the one waiting (if any) have ended.
void waitForTones();

/// Replaces how tones are played (tests record them); null restores the sound
/// card. The player is called on the tone thread, one tone at a time.
using TonePlayer = std::function<void(int hz, int ms)>;
TonePlayer setTonePlayer(TonePlayer player);

} // namespace orvel
