#include "meter/FrameDecoder.h"

#include "meter/FrameEncoder.h"

#include <QByteArray>

#include <gtest/gtest.h>

namespace orvel {
namespace {

Frame frameOf(const char *hex)
{
    const QByteArray bytes = QByteArray::fromHex(QByteArray(hex).replace(' ', ""));
    Frame f{};
    for (int i = 0; i < kFrameSize && i < bytes.size(); ++i)
        f[std::size_t(i)] = std::uint8_t(bytes[i]);
    return f;
}

// The frame of a display text with its annunciators (words as in scenario files).
Frame frameFor(const char *display, bool dc = true, bool volt = true)
{
    DisplayState s = displayFromText(QString::fromLatin1(display)).value();
    s.dc = dc;
    s.volt = volt;
    return encodeFrame(s).value();
}

// Two frames of DC volts as the meter sends them, and the same bytes in other orders.
TEST(DecodeFrame, KnownFramesOfDcVoltageInAnyByteOrder)
{
    const struct
    {
        const char *hex, *value, *exponent;
    } cases[] = {{"02 14 20 30 4A 5B 6D 78 8F 94 AE B0 C0 D0 E4", "1.234", "0"},
                 {"02 14 20 31 4A 5A 6D 79 8F 94 AE B0 C0 D1 E4", "-1.234", "-2"}};
    for (const auto &c : cases) {
        const Frame f = frameOf(c.hex);
        for (std::uint32_t seed = 0; seed <= 50; ++seed) { // 0: in the order sent
            const auto d = decodeFrame(seed == 0 ? f : shuffled(f, seed));
            ASSERT_TRUE(d) << c.hex << ", shuffle " << seed;
            EXPECT_EQ(d->sValue, c.value) << seed;
            EXPECT_EQ(d->sExponent, c.exponent) << seed;
            EXPECT_EQ(d->dwMode, 6u) << seed;
        }
    }
}

TEST(DecodeFrame, CheckNibbleMustBeTwo)
{
    const Frame f = frameOf("02 14 20 30 4A 5B 6D 78 8F 94 AE B0 C0 D0 E4");
    for (std::uint8_t n : {0, 1, 3, 15})
        EXPECT_FALSE(decodeFrame(withCheckNibble(f, n))) << int(n);
    EXPECT_FALSE(decodeFrame(Frame{})) << "the all-zero frame of start-up";
}

TEST(DecodeFrame, MissingDuplicatedAndSpareIndexes)
{
    const Frame f = frameOf("02 14 20 30 4A 5B 6D 78 8F 94 AE B0 C0 D0 E4");
    // Index 14 (V) replaced by a second index 1 (DC and AC): 14 is missing, reads 0.
    const auto d = decodeFrame(withIndexAt(f, 14, 1, 0x6));
    ASSERT_TRUE(d);
    EXPECT_EQ(d->dwMode, kModeDC | kModeAC) << "the later index 1 wins; V is gone";
    // A byte with index 15 is ignored.
    const auto spare = decodeFrame(withIndexAt(f, 12, 15, 0xF)); // index 12 (nothing lit) goes missing
    ASSERT_TRUE(spare);
    EXPECT_EQ(spare->sValue, "1.234");
    EXPECT_EQ(spare->dwMode, 6u);
    // Missing index 0 fails the check.
    EXPECT_FALSE(decodeFrame(withIndexAt(f, 0, 15, 2)));
}

TEST(DecodeFrame, PointSetsTheExponentAndTheTextAlwaysHasItAfterTheFirstDigit)
{
    struct Case
    {
        const char *display;
        const char *value;
        const char *exponent;
    } cases[] = {{"1.234", "1.234", "0"}, {"12.34", "1.234", "1"}, {"123.4", "1.234", "2"},
                 {"6000", "6.000", "3"},  {"0.012", "0.012", "0"}, {"-1.234", "-1.234", "0"}};
    for (const Case &c : cases) {
        const auto d = decodeFrame(frameFor(c.display));
        ASSERT_TRUE(d) << c.display;
        EXPECT_EQ(d->sValue, c.value) << c.display;
        EXPECT_EQ(d->sExponent, c.exponent) << c.display;
    }
}

TEST(DecodeFrame, PrefixesShiftTheExponent)
{
    DisplayState s = displayFromText("123.4").value(); // point shift 2
    struct Case
    {
        int prefixes;
        const char *exponent;
    } cases[] = {{0, "2"},
                 {kPrefixNano, "-7"},
                 {kPrefixMicro, "-4"},
                 {kPrefixMilli, "-1"},
                 {kPrefixKilo, "5"},
                 {kPrefixMega, "8"},
                 {kPrefixKilo | kPrefixMilli, "2"}, // two prefixes at once: none
                 {kPrefixNano | kPrefixMega | kPrefixMicro, "2"}};
    for (const Case &c : cases) {
        s.prefixes = c.prefixes;
        const auto d = decodeFrame(encodeFrame(s).value());
        ASSERT_TRUE(d);
        EXPECT_EQ(d->sExponent, c.exponent) << c.prefixes;
    }
}

TEST(DecodeFrame, OverloadTextFollowsThePoint)
{
    struct Case
    {
        const char *display;
        bool minus;
        const char *value;
    } cases[] = {{"_0L_", false, "OL"},   {"_0L._", false, "OL."}, {"_0.L_", false, "O.L"},
                 {"_.0L_", false, ".OL"}, {"_0.L_", true, "-O.L"}, {"_.0.L_", false, "OL"}}; // two points lit
    for (const Case &c : cases) {
        DisplayState s = displayFromText(QString::fromLatin1(c.display)).value();
        s.minus = c.minus;
        s.ohm = true;
        const auto d = decodeFrame(encodeFrame(s).value());
        ASSERT_TRUE(d) << c.display;
        EXPECT_EQ(d->sValue, c.value) << c.display;
    }
}

TEST(DecodeFrame, BlankDisplayIsFourBlanks)
{
    DisplayState s = displayFromText("____").value();
    s.points = kPointP1;
    const auto d = decodeFrame(encodeFrame(s).value());
    ASSERT_TRUE(d);
    EXPECT_EQ(d->sValue, "    ");
    EXPECT_EQ(d->sExponent, "0");
    s.minus = true;
    EXPECT_EQ(decodeFrame(encodeFrame(s).value())->sValue, "-    ");
}

TEST(DecodeFrame, TemperatureAndCapacitanceExponents)
{
    DisplayState c = displayFromText("25C").value();
    auto d = decodeFrame(encodeFrame(c).value());
    ASSERT_TRUE(d);
    EXPECT_EQ(d->sValue, " .25C");
    EXPECT_EQ(d->sExponent, "2");
    EXPECT_EQ(d->dwMode, 0x20u);
    c.lowBattery = true;
    c.prefixes = kPrefixMilli; // ignored for degrees
    d = decodeFrame(encodeFrame(c).value());
    EXPECT_EQ(d->sExponent, "2");
    EXPECT_EQ(d->dwMode, 0x80000020u);

    EXPECT_EQ(decodeFrame(encodeFrame(displayFromText("77F").value()).value())->dwMode, 0x40u);

    DisplayState cap = displayFromText("12.34").value();
    cap.farad = true;
    cap.prefixes = kPrefixNano;
    d = decodeFrame(encodeFrame(cap).value());
    EXPECT_EQ(d->sValue, "1.234");
    EXPECT_EQ(d->sExponent, "-2"); // -9 + 1 + 6
    EXPECT_EQ(d->dwMode, kModeFarad);
}

TEST(DecodeSegments, KnowsEveryPatternOfTheDisplayAndNothingElse)
{
    int known = 0;
    for (int p = 0; p < 256; ++p) {
        const char c = DecodeSegments(std::uint8_t(p));
        if (c != '?') {
            ++known;
            EXPECT_EQ(segmentsOf(c), std::uint8_t(p));
        }
    }
    EXPECT_EQ(known, 26);
    EXPECT_EQ(DecodeSegments(0xBE), '0');
    EXPECT_EQ(DecodeSegments(0x16), 'L');
    EXPECT_EQ(DecodeSegments(0xFE), '8');
    EXPECT_EQ(DecodeSegments(0xFF), '?');
}

TEST(DecodeFrame, UnknownPatternStillDecodesWithAQuestionMark)
{
    Frame f = frameFor("1.234");
    f[4] = std::uint8_t(4 << 4 | 0x1); // digit 1 upper nibble: pattern 0x10, not in the table
    const auto d = decodeFrame(f);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->sValue, "?.234");
}

TEST(FrameOfRead, ShortReadsStandInForTheLastFullFrame)
{
    Frame last{};
    const Frame full = frameFor("1.234");
    const QByteArray partial = cutShort(frameFor("9.999"), 7);

    // Seven bytes straight after start-up decode the all-zero last frame: rejected.
    auto f = frameOfRead(reinterpret_cast<const std::uint8_t *>(partial.constData()), 7, last);
    ASSERT_TRUE(f);
    EXPECT_FALSE(decodeFrame(*f));

    f = frameOfRead(full.data(), kFrameSize, last);
    EXPECT_EQ(*f, full);
    EXPECT_EQ(last, full);
    f = frameOfRead(reinterpret_cast<const std::uint8_t *>(partial.constData()), 7, last);
    EXPECT_EQ(*f, full) << "a short read decodes the last full frame again";
    EXPECT_EQ(decodeFrame(*f)->sValue, "1.234");

    EXPECT_FALSE(frameOfRead(full.data(), 0, last)) << "nothing read";
}

TEST(FrameOfRead, RejectedFullFramesStillBecomeTheLastFrame)
{
    Frame last = frameFor("1.234");
    const Frame bad = withCheckNibble(frameFor("5.555"), 3);
    const auto f = frameOfRead(bad.data(), kFrameSize, last);
    EXPECT_FALSE(decodeFrame(*f));
    EXPECT_EQ(last, bad);
}

} // namespace
} // namespace orvel
