#pragma once
// The meter's 15-byte frames. Every byte carries its position in the high nibble
// (0..14) and four display bits in the low nibble, so a frame is reassembled by
// index whatever the order of its bytes. The decoder turns the four
// seven-segment digits, the sign and the points into a value text, the range
// prefix and the point into a power-of-ten exponent, and the annunciators into
// a 32-bit mode word.

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

namespace orvel {

inline constexpr int kFrameSize = 15;
using Frame = std::array<std::uint8_t, kFrameSize>;

// Mode word bits.
inline constexpr std::uint32_t kModeAC = 0x1;
inline constexpr std::uint32_t kModeDC = 0x2;
inline constexpr std::uint32_t kModeVolt = 0x4;
inline constexpr std::uint32_t kModeFarad = 0x8;
inline constexpr std::uint32_t kModeCelsius = 0x20;
inline constexpr std::uint32_t kModeFahrenheit = 0x40;
inline constexpr std::uint32_t kModeOhm = 0x80;
inline constexpr std::uint32_t kModeFlag8 = 0x100;
inline constexpr std::uint32_t kModeAmp = 0x200;
inline constexpr std::uint32_t kModeHertz = 0x400;
inline constexpr std::uint32_t kModeFlag13 = 0x2000;
inline constexpr std::uint32_t kModeLowBattery = 0x80000000u;

// Function codes: the mode word without the low-battery bit.
namespace fn {
inline constexpr int Volt = 4, VoltAC = 5, VoltDC = 6, VoltDCAC = 7, Capacitance = 8, Celsius = 32, Fahrenheit = 64,
                     Ohm = 128, OhmFlag8 = 384, AmpAC = 513, AmpDC = 514, AmpDCAC = 515, VoltAmp = 516,
                     Frequency = 1024;
}

/// Whether `function` measures resistance (its unit is the ohm glyph of the symbol face).
constexpr bool isResistance(int function)
{
    return function == fn::Ohm || function == fn::OhmFlag8;
}

/// The function code of a mode word.
constexpr int functionOf(std::uint32_t dwMode)
{
    return int(dwMode & ~kModeLowBattery);
}

/// One seven-segment pattern (bit 7 b, 6 g, 5 c, 4 d, 3 a, 2 f, 1 e) to its
/// character; "?" for a pattern the meter never shows.
char DecodeSegments(std::uint8_t pattern);

/// The pattern of a character DecodeSegments gives; nothing for "?" and others.
std::optional<std::uint8_t> segmentsOf(char c);

/// Every character a digit can show, blank included, in pattern order.
const std::array<char, 26> &segmentCharacters();

struct DecodedFrame
{
    QString sValue;    ///< 'd.ddd' (point always after the first character), an overload text or four blanks; maybe a
                       ///< leading "-"
    QString sExponent; ///< mantissa × 10^exponent is the displayed number in unprefixed units
    std::uint32_t dwMode; ///< annunciators; bit 31 low battery
};

/// Decodes 15 bytes; nothing when the check nibble (index 0) is not 2.
/// A missing index reads as nibble 0, index 15 is ignored, a later byte with
/// the same index wins.
std::optional<DecodedFrame> decodeFrame(const Frame &bytes);

/// The frame a read of `size` bytes stands for: the bytes themselves when all 15
/// came, the last full frame for a short read of 1 to 14 bytes (a read that starts
/// inside a frame ends at the gap after it), nothing for an empty read. The frame
/// taken becomes the new `lastFrame`.
std::optional<Frame> frameOfRead(const std::uint8_t *data, int size, Frame &lastFrame);

} // namespace orvel
