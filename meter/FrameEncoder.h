#pragma once
// The inverse of the frame decoder: a display state to the 15 bytes a meter
// sends for it, and the faults a serial line can add. Used by the simulator and
// by tests.

#include "meter/FrameDecoder.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>

namespace orvel {

// Decimal points, as the decoder's point code: P1 sits between digits 1 and 2.
inline constexpr int kPointP1 = 4, kPointP2 = 2, kPointP3 = 1;
// Range prefixes, as the decoder's prefix key.
inline constexpr int kPrefixNano = 1, kPrefixMilli = 2, kPrefixMicro = 4, kPrefixKilo = 8, kPrefixMega = 16;

/// Everything a display shows.
struct DisplayState
{
    std::array<char, 4> digits{' ', ' ', ' ', ' '}; ///< characters of the segment table, digit 1 first
    int points = 0;                                 ///< kPointP1 | kPointP2 | kPointP3
    int prefixes = 0;                               ///< kPrefix… bits
    bool minus = false;
    bool ac = false, dc = false;
    bool volt = false, amp = false, farad = false, ohm = false, hertz = false;
    bool flag8 = false, flag13 = false;
    bool lowBattery = false;
};

/// The frame for `state`, bytes in index order; nothing when a digit is not a
/// character of the segment table.
std::optional<Frame> encodeFrame(const DisplayState &state);

/// Reads a display text into digits, points and sign: "12.34", "-1.234",
/// " 25C", "_0.L_" ("_" is a blank digit). Fewer than four digits are
/// right-aligned. Nothing for a text that is not four digits of the segment
/// table with at most one point after each of the first three.
std::optional<DisplayState> displayFromText(const QString &text);

// Faults of a serial line.

/// The same bytes in another order (a fixed shuffle for each `seed`).
Frame shuffled(const Frame &frame, std::uint32_t seed);

/// The byte at `position` replaced by one that carries index `index` with `nibble`:
/// that index then comes twice (the later byte wins) and the replaced one not at all.
Frame withIndexAt(const Frame &frame, int position, int index, std::uint8_t nibble);

/// The frame with another check nibble (index 0).
Frame withCheckNibble(const Frame &frame, std::uint8_t nibble);

/// The first `count` bytes only: a read that stopped early.
QByteArray cutShort(const Frame &frame, int count);

/// The frame as bytes.
QByteArray frameBytes(const Frame &frame);

} // namespace orvel
