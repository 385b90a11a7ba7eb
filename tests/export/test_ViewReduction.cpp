#include "export/ViewReduction.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <vector>

namespace orvel {
namespace {

std::vector<TARecord> readings(qsizetype n, const std::function<float(qsizetype)> &value)
{
    std::vector<TARecord> out(std::size_t(n), TARecord{});
    for (qsizetype i = 0; i < n; ++i)
        out[std::size_t(i)].fReading = value(i);
    return out;
}

TEST(ViewReduction, ModeAndStepFollowTheReadingCount)
{
    EXPECT_FALSE(viewIsReduced(0));
    EXPECT_FALSE(viewIsReduced(8191));
    EXPECT_TRUE(viewIsReduced(8192));
    EXPECT_EQ(reductionStep(8192), 4);
    EXPECT_EQ(reductionStep(10000), 4);
    EXPECT_EQ(reductionStep(10'000'000), 4882);
}

TEST(ViewReduction, BlocksGiveTheirExtremesInBufferOrder)
{
    constexpr float nan = std::numeric_limits<float>::quiet_NaN();
    constexpr float inf = std::numeric_limits<float>::infinity();
    struct Row
    {
        const char *what;
        qsizetype n;
        std::function<float(qsizetype)> value;
        qsizetype maxIndex, minIndex;
        std::size_t points;
        std::vector<qsizetype> firstIndexes;
        int maxPosition, minPosition;
    };
    const Row rows[] = {
        {"8192 rising readings: step 4, the smallest of a block comes first",
         8192,
         [](qsizetype i) { return float(i); },
         8191,
         0,
         4096,
         {0, 3, 4, 7},
         4095,
         0},
        {"10000 falling readings: 2500 blocks",
         10000,
         [](qsizetype i) { return float(-i); },
         0,
         9999,
         5000,
         {0, 3, 4, 7},
         0,
         4999},
        {"equal readings give a block's first index twice",
         8192,
         [](qsizetype) { return 1.0f; },
         0,
         0,
         4096,
         {0, 0, 4, 4},
         1,
         1},
        {"a single extreme reading in its block",
         8192,
         [](qsizetype i) { return i == 5000   ? 9.0f
                                  : i == 6001 ? -3.0f
                                              : 0.0f; },
         5000,
         6001,
         4096,
         {0, 0, 4, 4},
         2500,
         3001},
        {"the recorder's newer equal extreme is not listed: the nearest listed index",
         8192,
         [](qsizetype i) { return i >= 100 && i < 104    ? 5.0f
                                  : i == 201 || i == 202 ? -5.0f
                                                         : 0.0f; },
         103,
         202,
         4096,
         {0, 0, 4, 4},
         52,
         101},
        {"readings that are no numbers are never chosen; a block of them gives no point",
         8192,
         [nan, inf](qsizetype i) {
             return i == 0 || (i >= 8 && i < 12) ? nan : i == 3 ? inf : i == 5 ? -inf : float(i);
         },
         8191,
         1,
         4094,
         {1, 2, 4, 7, 12, 15},
         4093,
         0},
        {"8193 readings, the newest the largest: alone in the last block, it is the last point",
         8193,
         [](qsizetype i) { return i == 8192 ? 9.0f : 0.0f; },
         8192,
         0,
         4098,
         {0, 0, 4, 4},
         4097,
         1},
        {"10001 readings, likewise",
         10001,
         [](qsizetype i) { return i == 10000 ? 9.0f : 0.0f; },
         10000,
         0,
         5002,
         {0, 0, 4, 4},
         5001,
         1},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.what);
        const std::vector<TARecord> records = readings(r.n, r.value);
        ViewReduction reduced;
        reduced.maxPosition = reduced.minPosition = -1;
        reduceReadings(records, r.maxIndex, r.minIndex, reduced);
        ASSERT_EQ(reduced.indexes.size(), r.points);
        EXPECT_EQ(
            std::vector<qsizetype>(reduced.indexes.begin(), reduced.indexes.begin() + qsizetype(r.firstIndexes.size())),
            r.firstIndexes);
        EXPECT_TRUE(std::is_sorted(reduced.indexes.begin(), reduced.indexes.end()));
        EXPECT_EQ(reduced.maxPosition, r.maxPosition);
        EXPECT_EQ(reduced.minPosition, r.minPosition);
        for (qsizetype index : reduced.indexes)
            ASSERT_TRUE(std::isfinite(records[std::size_t(index)].fReading)) << index;
        // A run at a time, the runs cutting across the blocks (as orvel-cli plot
        // reads a file): the same points, each with its reading.
        for (const qsizetype run : {qsizetype(1), qsizetype(7), qsizetype(1000)}) {
            ViewReduction streamed;
            std::vector<TARecord> chosen;
            ViewReducer reducer(streamed, r.n, &chosen);
            for (qsizetype first = 0; first < r.n; first += run)
                reducer.take(records.data() + first, std::min(run, r.n - first), first);
            reducer.finish(r.maxIndex, r.minIndex);
            EXPECT_EQ(streamed.indexes, reduced.indexes) << run;
            EXPECT_EQ(streamed.maxPosition, r.maxPosition);
            EXPECT_EQ(streamed.minPosition, r.minPosition);
            ASSERT_EQ(chosen.size(), reduced.indexes.size());
            for (std::size_t p = 0; p < chosen.size(); p += 997)
                EXPECT_EQ(chosen[p].fReading, records[std::size_t(reduced.indexes[p])].fReading);
        }
    }
}

TEST(ViewReduction, NearestPositionPrefersTheEarlierOnATie)
{
    const std::vector<qsizetype> list = {0, 0, 4, 7, 8, 8};
    EXPECT_EQ(nearestPosition({}, 5), 0);
    EXPECT_EQ(nearestPosition(list, -3), 0);
    EXPECT_EQ(nearestPosition(list, 2), 1) << "as near to 0 as to 4";
    EXPECT_EQ(nearestPosition(list, 3), 2);
    EXPECT_EQ(nearestPosition(list, 6), 3);
    EXPECT_EQ(nearestPosition(list, 100), 5);
}

TEST(ViewReduction, ZoomedPointsAsBufferIndexes)
{
    using Readings = std::pair<qsizetype, qsizetype>;
    EXPECT_EQ(viewReadings(100, {}, 10, 19), Readings(10, 10)) << "full mode: the points themselves";
    EXPECT_EQ(viewReadings(100, {}, 90, 120), Readings(90, 10));
    EXPECT_EQ(viewReadings(0, {}, 0, 5), Readings(0, 0));
    // 10000 readings: blocks of 4; points 2..5 stand for readings of blocks 1 and 2.
    const std::vector<qsizetype> list{0, 3, 5, 6, 9, 11};
    EXPECT_EQ(viewReadings(10000, list, 2, 5), Readings(4, 8));
    EXPECT_EQ(viewReadings(10000, list, 2, 9), Readings(0, 10000)) << "points past the list: everything";
}

} // namespace
} // namespace orvel
