#include "recorder/Pages.h"
#include "recorder/Tarecord.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace orvel {
namespace {

TEST(Pages, CutFromTheEndWithAShortFirstPageRightAligned)
{
    struct Row
    {
        qsizetype n;
        int page;
        PageRange expected;
    };
    const Row rows[] = {
        {450, 3, {250, 200, 0}}, {450, 2, {50, 200, 0}}, {450, 1, {0, 50, 150}}, {400, 2, {200, 200, 0}},
        {400, 1, {0, 200, 0}},   {200, 1, {0, 200, 0}},  {201, 1, {0, 1, 199}},  {1, 1, {0, 1, 199}},
        {0, 1, {0, 0, 0}},       {450, 0, {0, 0, 0}},    {450, 4, {0, 0, 0}},
    };
    for (const Row &r : rows) {
        EXPECT_EQ(pageRange(r.n, pageCount(r.n), r.page), r.expected) << r.n << " readings, page " << r.page;
    }
    EXPECT_EQ(pageCount(0), 1);
    EXPECT_EQ(pageCount(1), 1);
    EXPECT_EQ(pageCount(200), 1);
    EXPECT_EQ(pageCount(201), 2);
    EXPECT_EQ(pageCount(400), 2);
    EXPECT_EQ(pageCount(450), 3);
    // A page count that is out of date (more pages than readings) never reaches before index 0.
    EXPECT_EQ(pageRange(10, 3, 1), PageRange{});
}

TEST(Pages, CursorIndexOnAShortFirstPage)
{
    EXPECT_EQ(cursorIndex(10, 450, 3, 1), -1) << "an empty point";
    EXPECT_EQ(cursorIndex(150, 450, 3, 1), 0);
    EXPECT_EQ(cursorIndex(199, 450, 3, 1), 49);
    EXPECT_EQ(cursorIndex(0, 450, 3, 2), 50);
    EXPECT_EQ(cursorIndex(199, 450, 3, 3), 449);
    EXPECT_EQ(cursorIndex(199, 0, 1, 1), -1) << "nothing stored";
    EXPECT_EQ(cursorIndex(199, 5, 3, 1), -1) << "page count ahead of the buffer (a load under way)";
}

TEST(Pages, ZoomedPointsAsBufferIndexes)
{
    const PageRange shortPage = pageRange(450, 3, 1); // 150 empty points, then readings 0..49
    const PageRange fullPage = pageRange(450, 3, 2);  // readings 50..249
    using Readings = std::pair<qsizetype, qsizetype>;
    EXPECT_EQ(pageReadings(fullPage, 0, 199), Readings(50, 200));
    EXPECT_EQ(pageReadings(fullPage, 10, 19), Readings(60, 10));
    EXPECT_EQ(pageReadings(shortPage, 100, 160), Readings(0, 11));
    EXPECT_EQ(pageReadings(shortPage, 10, 20), Readings(0, 0)) << "only empty points";
}

TEST(Pages, ScaleStartsAtTheFirstReadingAndOnlyWidens)
{
    ScaleRange s;
    s.UpdateScale(0.0f, 0);
    EXPECT_EQ(s.fScaleMax, 1.0f);
    EXPECT_EQ(s.fScaleMin, -1.0f);
    s.UpdateScale(5.0f, 1);
    EXPECT_FLOAT_EQ(s.fScaleMax, 6.65f);
    EXPECT_EQ(s.fScaleMin, -1.0f);
    s.UpdateScale(-2.0f, 2);
    EXPECT_FLOAT_EQ(s.fScaleMin, -2.66f);
    s.UpdateScale(3.0f, 3);
    EXPECT_FLOAT_EQ(s.fScaleMax, 6.65f);
    EXPECT_FLOAT_EQ(s.fScaleMin, -2.66f);
    s.UpdateScale(5.0f, 4); // at the border: pushed to 6.65 or left there, either way the same
    EXPECT_FLOAT_EQ(s.fScaleMax, 6.65f);

    for (float bad : {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()}) {
        ScaleRange t;
        t.UpdateScale(bad, 0);
        t.UpdateScale(bad, 3);
        EXPECT_EQ(t.fScaleMax, 100.0f) << "a reading that is not a number leaves the range alone";
        EXPECT_EQ(t.fScaleMin, -100.0f);
    }
}

TEST(Pages, ExtremesGoToTheNewerReadingOnTiesAndPassOverNonNumbers)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Row
    {
        std::vector<float> values;
        qsizetype max, min;
    };
    const Row rows[] = {
        {{1.0f}, 0, 0},
        {{1.0f, 3.0f, -2.0f, 3.0f, -2.0f}, 3, 4},
        {{2.0f, 2.0f}, 1, 0}, // equal to both: the largest moves, the smallest stays
        {{5.0f, 1.0f, 1.0f}, 0, 2},
        {{nan, 4.0f, 7.0f, -1.0f}, 2, 3},
        {{4.0f, nan, 2.0f}, 0, 2},
    };
    for (const Row &r : rows) {
        ReadingBuffer buffer;
        Extremes e;
        for (float v : r.values) {
            TARecord rec;
            rec.fReading = v;
            buffer.append(rec);
            e.UpdateExtremes(buffer, buffer.count() - 1, v);
        }
        EXPECT_EQ(e.iMaxIndex, r.max) << "readings: " << r.values.size();
        EXPECT_EQ(e.iMinIndex, r.min) << "readings: " << r.values.size();
    }
}

} // namespace
} // namespace orvel
