#include "meter/FrameEncoder.h"

#include <QSet>

#include <gtest/gtest.h>

namespace orvel {
namespace {

TEST(EncodeFrame, EveryCharacterInEveryDigitRoundTrips)
{
    for (char c : segmentCharacters()) {
        for (int pos = 0; pos < 4; ++pos) {
            DisplayState s;
            s.digits = {'8', '8', '8', '8'};
            s.digits[std::size_t(pos)] = c;
            if (pos == 2 && c == 'L')
                continue; // an "L" in digit 3 is the overload display (checked elsewhere)
            const auto frame = encodeFrame(s);
            ASSERT_TRUE(frame) << c;
            const auto d = decodeFrame(*frame);
            ASSERT_TRUE(d) << c;
            // Digit 1 comes before the point the text always has.
            QString expected = QStringLiteral("8.888");
            expected[pos == 0 ? 0 : pos + 1] = QLatin1Char(c);
            if (expected == QLatin1String(" .   "))
                expected = QStringLiteral("    ");
            EXPECT_EQ(d->sValue, expected) << "char '" << c << "' in digit " << pos + 1;
        }
    }
}

TEST(EncodeFrame, FramesCarryTheirIndexesInOrder)
{
    const Frame f = encodeFrame(displayFromText("1.234").value()).value();
    for (int k = 0; k < kFrameSize; ++k)
        EXPECT_EQ(f[std::size_t(k)] >> 4, k);
    EXPECT_EQ(f[0], 0x02);
}

TEST(EncodeFrame, EveryAnnunciatorRoundTrips)
{
    struct Case
    {
        bool DisplayState::*flag;
        std::uint32_t bit;
    } cases[] = {{&DisplayState::ac, kModeAC},         {&DisplayState::dc, kModeDC},
                 {&DisplayState::volt, kModeVolt},     {&DisplayState::farad, kModeFarad},
                 {&DisplayState::ohm, kModeOhm},       {&DisplayState::flag8, kModeFlag8},
                 {&DisplayState::amp, kModeAmp},       {&DisplayState::hertz, kModeHertz},
                 {&DisplayState::flag13, kModeFlag13}, {&DisplayState::lowBattery, kModeLowBattery}};
    for (const Case &c : cases) {
        DisplayState s = displayFromText("1.234").value();
        s.*c.flag = true;
        const auto d = decodeFrame(encodeFrame(s).value());
        ASSERT_TRUE(d);
        EXPECT_EQ(d->dwMode, c.bit);
        EXPECT_EQ(d->sValue, "1.234") << "annunciators leave the digits alone";
    }
    DisplayState all = displayFromText("1.234").value();
    for (const Case &c : cases)
        all.*c.flag = true;
    EXPECT_EQ(decodeFrame(encodeFrame(all).value())->dwMode, 0x8000278Fu);
}

TEST(EncodeFrame, MinusAndEachPointRoundTrip)
{
    DisplayState s = displayFromText("1234").value();
    const std::pair<int, const char *> points[] = {{0, "3"}, {kPointP1, "0"}, {kPointP2, "1"}, {kPointP3, "2"}};
    for (const auto &[point, exponent] : points) {
        s.points = point;
        for (bool minus : {false, true}) {
            s.minus = minus;
            const auto d = decodeFrame(encodeFrame(s).value());
            EXPECT_EQ(d->sValue, minus ? "-1.234" : "1.234");
            EXPECT_EQ(d->sExponent, exponent) << point;
        }
    }
}

TEST(EncodeFrame, RefusesCharactersTheDisplayCannotShow)
{
    DisplayState s;
    s.digits = {'1', 'X', '3', '4'};
    EXPECT_FALSE(encodeFrame(s));
}

TEST(DisplayFromText, ReadsDigitsPointsAndSign)
{
    auto s = displayFromText("12.34");
    ASSERT_TRUE(s);
    EXPECT_EQ(s->digits, (std::array<char, 4>{'1', '2', '3', '4'}));
    EXPECT_EQ(s->points, kPointP2);
    EXPECT_FALSE(s->minus);

    s = displayFromText("-0.012");
    EXPECT_TRUE(s->minus);
    EXPECT_EQ(s->points, kPointP1);

    s = displayFromText("25C"); // right-aligned
    EXPECT_EQ(s->digits, (std::array<char, 4>{' ', '2', '5', 'C'}));
    s = displayFromText("1.5"); // the point moves with the digits
    EXPECT_EQ(s->digits, (std::array<char, 4>{' ', ' ', '1', '5'}));
    EXPECT_EQ(s->points, kPointP3);
    s = displayFromText("_0.L_");
    EXPECT_EQ(s->digits, (std::array<char, 4>{' ', '0', 'L', ' '}));
    EXPECT_EQ(s->points, kPointP2);

    for (const char *bad : {"", "12345", "1.2.3.4.5", "12..3", ".123", "1234.", "12X4", "-"})
        EXPECT_FALSE(displayFromText(QString::fromLatin1(bad))) << bad;
}

TEST(LineFaults, ChangeOnlyWhatTheySay)
{
    const Frame f = encodeFrame(displayFromText("1.234").value()).value();
    const Frame s = shuffled(f, 7);
    EXPECT_EQ(QSet<std::uint8_t>(s.begin(), s.end()), QSet<std::uint8_t>(f.begin(), f.end()));
    EXPECT_NE(s, f);
    EXPECT_EQ(shuffled(f, 7), s) << "the same seed gives the same order";
    EXPECT_EQ(withCheckNibble(f, 3)[0], 0x03);
    EXPECT_EQ(withIndexAt(f, 5, 9, 0xA)[5], 0x9A);
    EXPECT_EQ(cutShort(f, 7).size(), 7);
    EXPECT_EQ(cutShort(f, 7), frameBytes(f).left(7));
}

} // namespace
} // namespace orvel
