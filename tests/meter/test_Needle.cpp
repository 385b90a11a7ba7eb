#include "meter/Needle.h"

#include "meter/FrameDecoder.h"
#include "platform/Tone.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>

namespace orvel {
namespace {

TEST(AnalogNeedle, SweepsFrom150AtZeroTo30AtFullScale)
{
    // A negative reading swings like a positive one, 6500 is held 5 degrees past full scale, no scale end rests.
    for (const auto &[v, full, angle] :
         {std::tuple{0, 6000, 150.0}, std::tuple{3000, 6000, 90.0}, std::tuple{6000, 6000, 30.0},
          std::tuple{-3000, 6000, 90.0}, std::tuple{6500, 6000, 25.0}, std::tuple{25, 2000, 148.5},
          std::tuple{100, 0, 150.0}})
        EXPECT_DOUBLE_EQ(analogNeedleAngle(v, full), angle) << v << " of " << full;
}

TEST(AnalogNeedle, EndPointsAreTruncatedTowardZero)
{
    for (const auto &[angle, end] : {std::pair{90.0, QPoint(0, -100)}, std::pair{150.0, QPoint(-86, -50)},
                                     std::pair{30.0, QPoint(86, -49)}, std::pair{25.0, QPoint(90, -42)}})
        EXPECT_EQ(needleEnd(angle, 100), end) << angle;
}

TEST(ComparatorNeedle, LimitsAtTheZoneBordersAndStopsHalfABandBeyond)
{
    for (const auto &[v, angle] : {std::pair{0.0f, 110.0}, std::pair{10.0f, 70.0}, std::pair{5.0f, 90.0},
                                   std::pair{-100.0f, 130.0}, std::pair{100.0f, 50.0}, std::pair{15.0f, 50.0}})
        EXPECT_DOUBLE_EQ(comparatorNeedleAngle(v, 10, 0), angle) << v;
    EXPECT_NEAR(comparatorNeedleAngle(200.0f, 300, 100), 90.0, 1e-4);
    EXPECT_NEAR(comparatorNeedleAngle(250.0f, 300, 100), 80.0, 1e-4);
    EXPECT_EQ(needleEnd(130.0, 70), QPoint(-44, -53));
}

TEST(ComparatorNeedle, LimitsOutOfOrderNeverGiveNonsense)
{
    // Equal limits would divide by zero; reversed ones come from an edited settings file.
    for (const auto &[hi, lo] : {std::pair{5.0, 5.0}, std::pair{100.0, 300.0}}) {
        for (float v : {-1e6f, 0.0f, 5.0f, 200.0f, 1e6f}) {
            const double a = comparatorNeedleAngle(v, hi, lo);
            EXPECT_TRUE(std::isfinite(a));
            EXPECT_GE(a, 50.0);
            EXPECT_LE(a, 130.0);
        }
    }
    EXPECT_DOUBLE_EQ(comparatorNeedleAngle(6.0f, 5, 5), 50.0);
    EXPECT_DOUBLE_EQ(comparatorNeedleAngle(4.0f, 5, 5), 130.0);
    EXPECT_DOUBLE_EQ(comparatorNeedleAngle(5.0f, 5, 5), 90.0);
}

TEST(ComparatorNeedle, LimitsBeyondSinglePrecisionKeepTheNeedleOnTheFace)
{
    // An edited settings file can hold any of these.
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::pair<double, double> limits[] = {{1e39, 0},     {1e-40, 0},  {0, -1e-40}, {3e38, -3e38},
                                                {1e39, -1e39}, {inf, -inf}, {nan, 0},    {1e-45, -1e-45}};
    const float readings[] = {-3e38f, -1.0f, 0.0f, 1e-40f, 1.0f, 3e38f, std::numeric_limits<float>::infinity()};
    for (const auto &[hi, lo] : limits) {
        for (float v : readings) {
            const double a = comparatorNeedleAngle(v, hi, lo);
            EXPECT_TRUE(a >= 50.0 && a <= 130.0) << a << " for " << v << " in " << lo << ".." << hi;
            const QPoint end = needleEnd(a, kComparatorNeedleLength);
            EXPECT_TRUE(std::abs(end.x()) <= 70 && end.y() <= 0 && end.y() >= -70) << a;
        }
    }
    EXPECT_DOUBLE_EQ(comparatorNeedleAngle(1.0f, 1e39, 0), 90.0);
    EXPECT_DOUBLE_EQ(comparatorNeedleAngle(-1.0f, 1e-40, 0), 130.0);
}

TEST(ComparatorNeedle, OnlyLimitsSinglePrecisionHoldsAreUsable)
{
    const float largest = std::numeric_limits<float>::max();
    const float smallest = std::numeric_limits<float>::min(); // smallest normal
    for (double limit : {0.0, 12.34, -1e38, double(largest), -double(largest), double(smallest), -double(smallest)})
        EXPECT_TRUE(singleCanHold(limit)) << limit;
    for (double limit : {1e39, -1e39, 1e-40, -1e-40, std::numeric_limits<double>::infinity(),
                         std::numeric_limits<double>::quiet_NaN()})
        EXPECT_FALSE(singleCanHold(limit)) << limit;
    EXPECT_EQ(toSingle(1e39), std::numeric_limits<float>::infinity());
    EXPECT_EQ(toSingle(-1e39), -std::numeric_limits<float>::infinity());
    EXPECT_EQ(toSingle(12.34), 12.34f);
}

TEST(Alarm, HighAboveLowBelowNoneInsideLimitsIncluded)
{
    // 15 is an overload placed half a band above.
    for (const auto &[v, hz] : {std::pair{10.5f, 1047}, std::pair{-0.5f, 523}, std::pair{10.0f, 0}, std::pair{0.0f, 0},
                                std::pair{5.0f, 0}, std::pair{15.0f, 1047}, std::pair{-5.0f, 523}})
        EXPECT_EQ(alarmFrequency(v, 10, 0), hz) << v;
}

TEST(AnalogScale, ChosenByFunction)
{
    for (const auto &[f, pointPos, scale] :
         {std::tuple{fn::Volt, 0, 13}, std::tuple{fn::VoltAmp, 0, 13}, std::tuple{fn::Frequency, 1, 13},
          std::tuple{fn::Capacitance, 3, 13}, std::tuple{fn::Capacitance, 1, 30}, std::tuple{fn::Celsius, 2, 15},
          std::tuple{fn::Fahrenheit, 2, 15}})
        EXPECT_EQ(analogScaleFor(f, pointPos), scale) << f << " at " << pointPos;
    for (int f : {fn::VoltAC, fn::VoltDC, fn::VoltDCAC, fn::Ohm, fn::OhmFlag8, fn::AmpAC, fn::AmpDC, fn::AmpDCAC, 0})
        EXPECT_EQ(analogScaleFor(f, 0), 30) << f;
}

TEST(AnalogScale, MultiplierReadsTheScaleNumbers)
{
    const char *texts[] = {"x1", "x10", "x100", "x1000"};
    for (int pointPos = 0; pointPos < 4; ++pointPos)
        EXPECT_EQ(multiplierText(pointPos), texts[pointPos]);
}

// The tone's frequency, measured from its samples: rising zero crossings,
// placed between samples by linear interpolation, away from the fades at the ends.
double measuredFrequency(const std::vector<std::int16_t> &s, int rate)
{
    double first = -1, last = -1;
    int crossings = 0;
    for (std::size_t i = s.size() / 10; i < s.size() - s.size() / 10; ++i) {
        if (s[i - 1] < 0 && s[i] >= 0) {
            const double at = double(i - 1) + double(s[i - 1]) / (double(s[i - 1]) - double(s[i]));
            if (first < 0)
                first = at;
            last = at;
            ++crossings;
        }
    }
    return crossings > 1 ? (crossings - 1) * double(rate) / (last - first) : 0.0;
}

TEST(Tone, IsASineAtTheAskedFrequencyForTheAskedTime)
{
    for (int hz : {kHighTone, kLowTone}) {
        const auto samples = sineTone(hz, 100);
        EXPECT_EQ(samples.size(), std::size_t(kToneSampleRate / 10));
        EXPECT_NEAR(measuredFrequency(samples, kToneSampleRate), hz, 0.5) << hz;
        EXPECT_EQ(samples.front(), 0) << "fades in";
        EXPECT_NEAR(samples.back(), 0, 200) << "fades out";
    }
    EXPECT_NEAR(measuredFrequency(sineTone(1047, 100, 8000), 8000), 1047, 2.0);
}

TEST(Tone, PlayingGoesThroughTheInstalledPlayer)
{
    std::vector<std::pair<int, int>> played;
    const TonePlayer previous = setTonePlayer([&played](int hz, int ms) { played.emplace_back(hz, ms); });
    playTone(523, 100);
    playTone(0, 100); // no tone
    waitForTones();
    setTonePlayer(previous);
    ASSERT_EQ(played.size(), 1u);
    EXPECT_EQ(played[0], std::pair(523, 100));
    playTone(1047, 5); // the real device, or nothing where there is none; must not fail
    waitForTones();
}

} // namespace
} // namespace orvel
