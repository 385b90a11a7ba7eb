#include "meter/FrameDecoder.h"

#include <algorithm>

namespace orvel {

namespace {

struct SegmentEntry
{
    std::uint8_t pattern;
    char character;
};

constexpr SegmentEntry kSegments[] = {
    {0x00, ' '}, {0x16, 'L'}, {0x1E, 'C'}, {0x32, 'u'}, {0x40, '-'}, {0x42, 'r'}, {0x4E, 'F'}, {0x52, 'c'}, {0x56, 't'},
    {0x5E, 'E'}, {0x62, 'n'}, {0x72, 'o'}, {0x76, 'b'}, {0x7C, '5'}, {0x7E, '6'}, {0xA0, '1'}, {0xA8, '7'}, {0xBE, '0'},
    {0xDA, '2'}, {0xE4, '4'}, {0xE6, 'H'}, {0xEE, 'A'}, {0xF2, 'd'}, {0xF8, '3'}, {0xFC, '9'}, {0xFE, '8'},
};

constexpr std::uint8_t kOverloadPattern = 0x16; // "L"

int bit(std::uint8_t nibble, int b)
{
    return (nibble >> b) & 1;
}

} // namespace

char DecodeSegments(std::uint8_t pattern)
{
    for (const SegmentEntry &e : kSegments)
        if (e.pattern == pattern)
            return e.character;
    return '?';
}

std::optional<std::uint8_t> segmentsOf(char c)
{
    for (const SegmentEntry &e : kSegments)
        if (e.character == c)
            return e.pattern;
    return std::nullopt;
}

const std::array<char, 26> &segmentCharacters()
{
    static_assert(std::size(kSegments) == 26);
    static const std::array<char, 26> chars = [] {
        std::array<char, 26> a{};
        for (std::size_t i = 0; i < a.size(); ++i)
            a[i] = kSegments[i].character;
        return a;
    }();
    return chars;
}

std::optional<DecodedFrame> decodeFrame(const Frame &bytes)
{
    std::array<std::uint8_t, 16> n{};
    for (std::uint8_t b : bytes)
        n[b >> 4] = b & 0x0F; // index 15 lands in the spare slot and is never read
    if (n[0] != 2)
        return std::nullopt;

    char c[4];
    std::uint8_t patterns[4];
    for (int i = 1; i <= 4; ++i) {
        patterns[i - 1] = std::uint8_t((n[2 * i + 2] << 4) | (n[2 * i + 1] & 0x0E));
        c[i - 1] = DecodeSegments(patterns[i - 1]);
    }
    const int pointCode = bit(n[5], 0) << 2 | bit(n[7], 0) << 1 | bit(n[9], 0);

    QString value;
    if (patterns[2] == kOverloadPattern) {
        switch (pointCode) {
        case 1: value = QStringLiteral("OL."); break;
        case 2: value = QStringLiteral("O.L"); break;
        case 4: value = QStringLiteral(".OL"); break;
        default: value = QStringLiteral("OL"); break;
        }
    } else {
        value = QString(QChar::fromLatin1(c[0])) + QLatin1Char('.') + QChar::fromLatin1(c[1]) +
                QChar::fromLatin1(c[2]) + QChar::fromLatin1(c[3]);
    }
    if (value == QLatin1String(" .   "))
        value = QStringLiteral("    ");
    if (bit(n[3], 0))
        value.prepend(QLatin1Char('-'));

    int pointShift = 0;
    switch (pointCode) {
    case 0: pointShift = 3; break;
    case 1: pointShift = 2; break;
    case 2: pointShift = 1; break;
    default: pointShift = 0; break; // P1, or more than one point lit
    }

    const int prefixKey = (n[11] & 3) << 3 | (n[13] & 3) << 1 | (n[12] & 1);
    int prefixExp = 0;
    switch (prefixKey) {
    case 1: prefixExp = -9; break;
    case 2: prefixExp = -3; break;
    case 4: prefixExp = -6; break;
    case 8: prefixExp = 3; break;
    case 16: prefixExp = 6; break;
    default: prefixExp = 0; break; // none, or two or more prefixes at once
    }

    std::uint32_t mode = 0;
    if (bit(n[1], 1))
        mode |= kModeAC;
    if (bit(n[1], 2))
        mode |= kModeDC;
    if (bit(n[14], 2))
        mode |= kModeVolt;
    if (bit(n[13], 2))
        mode |= kModeFarad;
    if (c[3] == 'C')
        mode |= kModeCelsius;
    if (c[3] == 'F')
        mode |= kModeFahrenheit;
    if (bit(n[12], 2))
        mode |= kModeOhm;
    if (bit(n[2], 3))
        mode |= kModeFlag8;
    if (bit(n[14], 1))
        mode |= kModeAmp;
    if (bit(n[12], 1))
        mode |= kModeHertz;
    if (bit(n[11], 2))
        mode |= kModeFlag13;
    if (bit(n[2], 2))
        mode |= kModeLowBattery;

    int exponent = prefixExp + pointShift;
    switch (functionOf(mode)) {
    case fn::Celsius:
    case fn::Fahrenheit: exponent = 2; break;   // whole degrees: ' .25C' means 25
    case fn::Capacitance: exponent += 6; break; // counted in microfarads
    default: break;
    }
    return DecodedFrame{value, QString::number(exponent), mode};
}

std::optional<Frame> frameOfRead(const std::uint8_t *data, int size, Frame &lastFrame)
{
    if (size <= 0 || !data)
        return std::nullopt;
    if (size >= kFrameSize)
        std::copy_n(data, kFrameSize, lastFrame.begin());
    return lastFrame;
}

} // namespace orvel
