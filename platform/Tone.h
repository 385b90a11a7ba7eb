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

/// Plays a tone and returns when it has been played (or at once without sound).
void playTone(int hz, int ms);

/// Replaces how tones are played (tests record them); null restores the sound card.
using TonePlayer = std::function<void(int hz, int ms)>;
TonePlayer setTonePlayer(TonePlayer player);

} // namespace orvel
