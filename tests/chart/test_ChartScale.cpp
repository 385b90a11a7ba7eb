// Tick and range arithmetic, value texts, label thinning, index/value ↔ pixel, clipping.

#include "chart/ChartScale.h"

#include <gtest/gtest.h>

#include <QSet>

#include <cmath>
#include <limits>
#include <random>

using namespace orvel;

namespace {

bool isOneTwoFive(double step)
{
    const double base = std::pow(10.0, std::floor(std::log10(step) + 1e-9));
    const double f = step / base;
    return std::abs(f - 1.0) < 1e-6 || std::abs(f - 2.0) < 1e-6 || std::abs(f - 5.0) < 1e-6;
}

} // namespace

TEST(ValueRange, ReversedAndEmptyRangesBecomeDrawable)
{
    EXPECT_EQ(normalizedRange(100.0, -100.0), (ValueRange{-100.0, 100.0}));
    EXPECT_EQ(normalizedRange(0.0, 0.0), (ValueRange{-1.0, 1.0}));
    const ValueRange around5 = normalizedRange(5.0, 5.0);
    EXPECT_DOUBLE_EQ(around5.min, 4.5);
    EXPECT_DOUBLE_EQ(around5.max, 5.5);
    for (double bad : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                       -std::numeric_limits<double>::infinity()}) {
        const ValueRange r = normalizedRange(bad, 1.0);
        EXPECT_TRUE(std::isfinite(r.min) && std::isfinite(r.max) && r.max > r.min) << bad;
    }
}

TEST(Ticks, RoundStepsFromTheFirstTickWithinTheCount)
{
    const struct
    {
        ValueRange range;
        int maxCount, decimals;
        double step, first;
        int count;
    } rows[] = {
        {{-100.0, 100.0}, 11, 3, 20.0, -100.0, 11}, // the recorder's default range
        {{-1.0, 6.65}, 8, 3, 2.0, 0.0, 4},          // its range after readings 0.0 and 5.0: 0, 2, 4, 6
        {{0.0, 0.002}, 20, 3, 0.001, 0.0, 3},       // never finer than the last decimal place
    };
    for (const auto &r : rows) {
        const TickSet t = niceTicks(r.range, r.maxCount, r.decimals);
        EXPECT_DOUBLE_EQ(t.step, r.step) << r.range.max;
        EXPECT_DOUBLE_EQ(t.at(0), r.first) << r.range.max;
        EXPECT_EQ(t.count, r.count) << r.range.max;
    }
    EXPECT_DOUBLE_EQ(niceTicks({-100.0, 100.0}, 11, 3).at(5), 0.0);
    EXPECT_DOUBLE_EQ(niceTicks({0.0, 3.0}, 50, 0).step, 1.0);
}

TEST(Ticks, StepsAreOneTwoFiveInsideTheRangeAndWithinTheCount)
{
    std::mt19937 random(12345);
    std::uniform_real_distribution<double> exponent(-4.0, 14.0);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    std::uniform_int_distribution<int> counts(2, 30);
    for (int trial = 0; trial < 2000; ++trial) {
        const double scale = std::pow(10.0, exponent(random));
        const ValueRange range = normalizedRange(unit(random) * scale, unit(random) * scale);
        const int maxCount = counts(random);
        const TickSet t = niceTicks(range, maxCount, 3);
        ASSERT_TRUE(isOneTwoFive(t.step)) << t.step;
        ASSERT_GE(t.step, 0.001);
        ASSERT_LE(t.count, maxCount);
        QSet<QString> texts;
        for (int k = 0; k < t.count; ++k) {
            ASSERT_GE(t.at(k), range.min - t.step * 1e-6);
            ASSERT_LE(t.at(k), range.max + t.step * 1e-6);
            texts.insert(formatValue(t.at(k), 3, t.step));
        }
        ASSERT_EQ(texts.size(), t.count) << "two ticks with the same text in " << range.min << ".." << range.max;
    }
}

TEST(Ticks, ExtremeRangesStayFinite)
{
    const TickSet t = niceTicks({-1e308, 1e308}, 10, 3);
    EXPECT_TRUE(std::isfinite(t.step));
    EXPECT_GT(t.count, 0);
    EXPECT_LE(t.count, 10);
    const TickSet tiny = niceTicks({1e-12, 2e-12}, 10, 3);
    EXPECT_LE(tiny.count, 1);
}

TEST(Ticks, AutomaticRangeIsWidenedToWholeSteps)
{
    const ValueRange r = niceRange({0.3, 9.7}, 6, 3);
    EXPECT_DOUBLE_EQ(r.min, 0.0);
    EXPECT_DOUBLE_EQ(r.max, 10.0);
}

TEST(ValueText, ThreeDecimalsAndNoNegativeZero)
{
    EXPECT_EQ(formatValue(12.5, 3), "12.500");
    EXPECT_EQ(formatValue(-100.0, 3), "-100.000");
    EXPECT_EQ(formatValue(-0.0004, 3), "0.000");
    EXPECT_EQ(formatValue(-0.0, 3), "0.000");
    EXPECT_EQ(formatValue(99999999.999, 3), "99999999.999");
    EXPECT_EQ(formatValue(2.0, 0), "2");
    EXPECT_TRUE(formatValue(1.5e12, 3).contains('e'));
    // Ticks 50 000 apart near a thousand million still read differently.
    EXPECT_NE(formatValue(1.00005e9, 3, 5e4), formatValue(1.0001e9, 3, 5e4));
    EXPECT_TRUE(formatValue(std::numeric_limits<double>::quiet_NaN(), 3).isEmpty());
}

TEST(LabelThinning, StrideIsTheSmallestThatLeavesTheGap)
{
    EXPECT_EQ(labelStride(100.0, 60.0, 8.0), 1);
    EXPECT_EQ(labelStride(30.0, 60.0, 8.0), 5);  // 2 × 30 = 60 < 68
    EXPECT_EQ(labelStride(5.0, 40.0, 8.0), 10);  // 48 needed
    EXPECT_EQ(labelStride(0.3, 60.0, 8.0), 500); // 5120 points on 1500 px
    EXPECT_EQ(labelStride(0.0, 60.0, 8.0), std::numeric_limits<int>::max());
}

TEST(LabelThinning, KeptLabelsNeverOverlapAndStayInside)
{
    std::vector<LabelBox> boxes;
    for (int i = 0; i < 50; ++i) // labels 40 wide every 25: every other one collides
        boxes.push_back({i, i * 25.0 - 20.0, i * 25.0 + 20.0});
    const QList<int> kept = keepApartLabels(boxes, 4.0, 0.0, 1000.0);
    ASSERT_FALSE(kept.isEmpty());
    EXPECT_EQ(kept.front(), 1); // label 0 starts left of the target
    for (qsizetype k = 1; k < kept.size(); ++k) {
        const LabelBox &a = boxes[static_cast<std::size_t>(kept[k - 1])];
        const LabelBox &b = boxes[static_cast<std::size_t>(kept[k])];
        EXPECT_GE(b.left, a.right + 4.0);
    }
    EXPECT_LE(boxes[static_cast<std::size_t>(kept.back())].right, 1000.0);
}

TEST(LabelThinning, LabelsExactlyOneGapApartAreBothKept)
{
    const std::vector<LabelBox> boxes{{0, 0.0, 40.0}, {1, 44.0, 84.0}, {2, 87.0, 127.0}};
    EXPECT_EQ(keepApartLabels(boxes, 4.0, 0.0, 200.0), (QList<int>{0, 1}));
    EXPECT_EQ(labelStride(34.0, 60.0, 8.0), 2); // 2 × 34 is exactly 60 + 8
}

TEST(IndexAxis, MapsTheZoomedPointsOntoTheWidth)
{
    const IndexAxis x(50, 100, 10.0, 500.0);
    EXPECT_DOUBLE_EQ(x.toPixel(50), 10.0);
    EXPECT_DOUBLE_EQ(x.toPixel(100), 510.0);
    EXPECT_DOUBLE_EQ(x.toPixel(75), 260.0);
    EXPECT_DOUBLE_EQ(x.spacing(), 10.0);
    for (int i = 50; i <= 100; ++i)
        EXPECT_EQ(x.nearestIndex(x.toPixel(i)), i);
    EXPECT_EQ(x.nearestIndex(x.toPixel(60) + 4.9), 60);
    EXPECT_EQ(x.nearestIndex(x.toPixel(60) + 5.1), 61);
    EXPECT_EQ(x.nearestIndex(-1000.0), 50);
    EXPECT_EQ(x.nearestIndex(5000.0), 100);
}

TEST(IndexAxis, SinglePointSitsInTheMiddle)
{
    const IndexAxis x(7, 7, 100.0, 200.0);
    EXPECT_DOUBLE_EQ(x.toPixel(7), 200.0);
    EXPECT_EQ(x.nearestIndex(0.0), 7);
}

TEST(ValueAxis, MaximumAtTopMinimumAtBottom)
{
    const ValueAxis y({-100.0, 100.0}, 20.0, 400.0);
    EXPECT_DOUBLE_EQ(y.toPixel(100.0), 20.0);
    EXPECT_DOUBLE_EQ(y.toPixel(-100.0), 420.0);
    EXPECT_DOUBLE_EQ(y.toPixel(0.0), 220.0);
    EXPECT_DOUBLE_EQ(y.toValue(120.0), 50.0);
}

TEST(Clipping, SegmentsAreCutAtTheRectangle)
{
    const QRectF r(0, 0, 100, 100);
    QPointF a(10, 10), b(90, 90);
    ASSERT_TRUE(clipSegment(a, b, r));
    EXPECT_EQ(a, QPointF(10, 10));
    EXPECT_EQ(b, QPointF(90, 90));

    a = QPointF(50, -50);
    b = QPointF(50, 150);
    ASSERT_TRUE(clipSegment(a, b, r));
    EXPECT_EQ(a, QPointF(50, 0));
    EXPECT_EQ(b, QPointF(50, 100));

    a = QPointF(-10, 50);
    b = QPointF(-1, 60);
    EXPECT_FALSE(clipSegment(a, b, r));
    a = QPointF(150, 120);
    b = QPointF(120, 150);
    EXPECT_FALSE(clipSegment(a, b, r));
}

TEST(Clipping, PolylineLeavingAndReturningBecomesTwoPieces)
{
    const std::vector<QPointF> points{{0, 50}, {10, 50}, {20, 150}, {30, 50}, {40, 50}};
    const auto pieces = clipPolyline(points, QRectF(0, 0, 100, 100));
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0].front(), QPointF(0, 50));
    EXPECT_EQ(pieces[0].back(), QPointF(15, 100));
    EXPECT_EQ(pieces[1].front(), QPointF(25, 100));
    EXPECT_EQ(pieces[1].back(), QPointF(40, 50));
}

TEST(NullPoints, RunsBreakAtNullAndInvalidValues)
{
    const float null = -99999.0f;
    const std::vector<float> values{null, 1, 2, null, 3, std::numeric_limits<float>::quiet_NaN(), 4, 5, 6, null};
    const auto runs = drawableRuns(values, 0, 9, -99999.0);
    EXPECT_EQ(runs, (std::vector<IndexRun>{{1, 2}, {4, 4}, {6, 8}}));
    EXPECT_EQ(drawableRuns(values, 7, 100, -99999.0), (std::vector<IndexRun>{{7, 8}}));
    EXPECT_TRUE(drawableRuns(values, -5, 0, -99999.0).empty());
    EXPECT_TRUE(isNullPoint(-99999.0f, -99999.0));
    EXPECT_FALSE(isNullPoint(-99998.0f, -99999.0));
    EXPECT_TRUE(isNullPoint(std::numeric_limits<float>::infinity(), -99999.0));
}
