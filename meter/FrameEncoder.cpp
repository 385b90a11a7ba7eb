#include "meter/FrameEncoder.h"

#include <algorithm>
#include <random>

namespace orvel {

namespace {
std::uint8_t bitIf(bool on, int b)
{
    return on ? std::uint8_t(1u << b) : std::uint8_t(0);
}
} // namespace

std::optional<Frame> encodeFrame(const DisplayState &s)
{
    std::array<std::uint8_t, kFrameSize> n{};
    n[0] = 2;
    n[1] = bitIf(s.dc, 2) | bitIf(s.ac, 1);
    n[2] = bitIf(s.flag8, 3) | bitIf(s.lowBattery, 2);
    for (int i = 1; i <= 4; ++i) {
        const auto pattern = segmentsOf(s.digits[std::size_t(i - 1)]);
        if (!pattern)
            return std::nullopt;
        n[2 * i + 1] = *pattern & 0x0E;
        n[2 * i + 2] = *pattern >> 4;
    }
    n[3] |= bitIf(s.minus, 0);
    n[5] |= bitIf(s.points & kPointP1, 0);
    n[7] |= bitIf(s.points & kPointP2, 0);
    n[9] |= bitIf(s.points & kPointP3, 0);
    n[11] = bitIf(s.flag13, 2) | bitIf(s.prefixes & kPrefixMega, 1) | bitIf(s.prefixes & kPrefixKilo, 0);
    n[12] = bitIf(s.ohm, 2) | bitIf(s.hertz, 1) | bitIf(s.prefixes & kPrefixNano, 0);
    n[13] = bitIf(s.farad, 2) | bitIf(s.prefixes & kPrefixMicro, 1) | bitIf(s.prefixes & kPrefixMilli, 0);
    n[14] = bitIf(s.volt, 2) | bitIf(s.amp, 1);

    Frame frame{};
    for (int k = 0; k < kFrameSize; ++k)
        frame[std::size_t(k)] = std::uint8_t(k << 4 | n[std::size_t(k)]);
    return frame;
}

std::optional<DisplayState> displayFromText(const QString &text)
{
    DisplayState state;
    QString t = text;
    if (t.startsWith(QLatin1Char('-'))) {
        state.minus = true;
        t.remove(0, 1);
    }
    std::array<char, 4> digits{};
    int count = 0;
    int pointAfter[4] = {0, 0, 0, 0}; // a point after digit i (1-based)
    for (QChar ch : t) {
        if (ch == QLatin1Char('.')) {
            if (count == 0 || count >= 4 || pointAfter[count])
                return std::nullopt;
            pointAfter[count] = 1;
            continue;
        }
        if (count == 4)
            return std::nullopt;
        const char c = ch == QLatin1Char('_') ? ' ' : ch.toLatin1();
        if (!segmentsOf(c))
            return std::nullopt;
        digits[std::size_t(count++)] = c;
    }
    if (count == 0)
        return std::nullopt;
    const int pad = 4 - count; // right-align
    for (int i = 0; i < 4; ++i)
        state.digits[std::size_t(i)] = i < pad ? ' ' : digits[std::size_t(i - pad)];
    for (int i = 1; i < 4; ++i) {
        if (!pointAfter[i])
            continue;
        const int after = i + pad; // the point follows this digit of the display
        if (after >= 4)
            return std::nullopt;
        state.points |= after == 1 ? kPointP1 : after == 2 ? kPointP2 : kPointP3;
    }
    return state;
}

Frame shuffled(const Frame &frame, std::uint32_t seed)
{
    Frame out = frame;
    std::mt19937 rng(seed);
    std::shuffle(out.begin(), out.end(), rng);
    return out;
}

Frame withIndexAt(const Frame &frame, int position, int index, std::uint8_t nibble)
{
    Frame out = frame;
    out[std::size_t(std::clamp(position, 0, kFrameSize - 1))] = std::uint8_t((index & 0x0F) << 4 | (nibble & 0x0F));
    return out;
}

Frame withCheckNibble(const Frame &frame, std::uint8_t nibble)
{
    Frame out = frame;
    for (auto &b : out)
        if ((b >> 4) == 0)
            b = std::uint8_t(nibble & 0x0F);
    return out;
}

QByteArray cutShort(const Frame &frame, int count)
{
    return frameBytes(frame).left(std::clamp(count, 0, kFrameSize));
}

QByteArray frameBytes(const Frame &frame)
{
    return QByteArray(reinterpret_cast<const char *>(frame.data()), kFrameSize);
}

} // namespace orvel
