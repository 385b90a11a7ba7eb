#include "platform/Tiling.h"

#include <gtest/gtest.h>

namespace orvel {
namespace {

const SystemMetrics kClassic{3, 19, 19, 4}; // dialog frame, caption, menu, sizing frame

TEST(MainStrip, HeightIsFramesCaptionMenuBevelAndToolbar)
{
    EXPECT_EQ(mainStripHeight(kClassic), 2 * 3 + 19 + 19 + 2 + 25 + 8);
    EXPECT_EQ(mainWindowRect(1920, kClassic), QRect(0, 0, 1920, 79));
    EXPECT_EQ(mainStripHeight({5, 30, 24, 6}), 10 + 30 + 24 + 35);
}

TEST(LeftColumn, MetersAndListStackUnderTheStrip)
{
    const int m = mainStripHeight(kClassic); // 79
    const QRect digital = digitalMeterRect(1920, 1080, m);
    EXPECT_EQ(digital, QRect(0, 79, 480, (1080 - 79) / 4));
    const QRect analog = analogMeterRect(1920, m, digital.height(), kClassic);
    EXPECT_EQ(analog, QRect(0, 79 + 250, 480, 178 + 4 * 3 + 19));
    const QRect list = dataListRect(1920, 1080, m, digital.height(), analog.height(), 40);
    EXPECT_EQ(list.top(), 79 + 250 + 209);
    EXPECT_EQ(list.width(), 480);
    EXPECT_EQ(list.top() + list.height(), 1080 - 40) << "the list stops at the task bar";
}

TEST(LeftColumn, DivisionsTruncate)
{
    const QRect digital = digitalMeterRect(1366, 768, 75);
    EXPECT_EQ(digital.width(), 341);
    EXPECT_EQ(digital.height(), 173); // 693 / 4
}

TEST(Recorder, FillsTheRightThreeQuartersDownToTheTaskBar)
{
    EXPECT_EQ(recorderRect(1920, 1080, 79, 40), QRect(480, 79, 1440, 961));
    EXPECT_EQ(recorderRect(1366, 768, 75, 0), QRect(341, 75, 1025, 693));
}

TEST(Comparator, FloatsOverTheColumnBelowTheDigitalMeter)
{
    // e = two sizing frames and a caption
    const QRect r = comparatorRect(1080, 79, kClassic, 25, 25);
    const int e = 2 * 4 + 19;
    EXPECT_EQ(r, QRect(e, (1080 - 79) / 4 + 79 + e, 201 + e, 122 + 25 + 25 + e + 2));
}

TEST(SizeLimits, KeepMaximisedViewsOffTheStripAndAboveTheTaskBar)
{
    const SizeLimits digital = digitalMeterLimits(1920, 1080, 79);
    EXPECT_EQ(digital.maximisedSize, QSize(1920, 1001));
    EXPECT_EQ(digital.maximisedPosition, QPoint(0, 79));
    EXPECT_EQ(digital.minimumTrackingSize, QSize(480, 250));

    const SizeLimits list = dataListLimits(1920, 1080, 79, 40);
    EXPECT_EQ(list.maximisedSize, QSize(480, 961));
    EXPECT_EQ(list.maximisedPosition, QPoint(0, 79));
    EXPECT_EQ(list.minimumTrackingSize, QSize(480, 270));

    const SizeLimits recorder = recorderLimits(1366, 768, 75, 0);
    EXPECT_EQ(recorder.maximisedSize, QSize(1366, 693));
    EXPECT_EQ(recorder.minimumTrackingSize, QSize(1025, 693)) << "never narrower than three quarters";
}

TEST(Tiling, AnAutoHidingTaskBarLetsListAndRecorderReachTheBottom)
{
    const int m = mainStripHeight(kClassic);
    const QRect recorder = recorderRect(1920, 1080, m, 0);
    EXPECT_EQ(recorder.top() + recorder.height(), 1080);
    const QRect list = dataListRect(1920, 1080, m, 250, 209, 0);
    EXPECT_EQ(list.top() + list.height(), 1080);
}

} // namespace
} // namespace orvel
