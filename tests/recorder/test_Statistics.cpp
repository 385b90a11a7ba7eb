#include "recorder/Statistics.h"
#include "recorder/Tarecord.h"
#include "tests/support/Records.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace orvel {
namespace {

TARecord reading(float value, int tenths, const char *display = nullptr)
{
    return test::voltReading(value, test::timeOfTenths(tenths),
                             display ? QString::fromLatin1(display) : QString::number(value, 'f', 3));
}

TEST(Statistics, AMillionReadingsAroundAThousandKeepTheirDeviation)
{
    ReadingBuffer buffer;
    std::mt19937 random(7);
    std::uniform_real_distribution<double> spread(-0.001, 0.001);
    for (int i = 0; i < 1000000; ++i)
        buffer.append(reading(float(1000.0 + spread(random)), i * 5));
    // Two passes in long double over the very floats stored.
    long double sum = 0;
    for (const TARecord &r : buffer)
        sum += r.fReading;
    const long double mean = sum / buffer.count();
    long double squares = 0;
    for (const TARecord &r : buffer)
        squares += (r.fReading - mean) * (r.fReading - mean);
    const double expected = double(std::sqrt(squares / (buffer.count() - 1)));

    StatisticsIndex index;
    index.update(buffer, {});
    EXPECT_EQ(index.whole().count, 1000000);
    EXPECT_NEAR(index.whole().mean, double(mean), 1e-9);
    EXPECT_NEAR(index.whole().deviation(), expected, expected * 1e-6);
    const ReadingStats part = index.range(buffer, 12345, 777777);
    EXPECT_NEAR(part.deviation(), walkStats(buffer, 12345, 777777, {}).deviation(), expected * 1e-6);
}

TEST(Statistics, RangesMergedFromBlocksEqualAWalk)
{
    ReadingBuffer buffer;
    std::mt19937 random(3);
    std::uniform_real_distribution<double> value(-5.0, 5.0);
    for (int i = 0; i < 3 * kStatsBlock + 123; ++i)
        buffer.append(reading(i == 5000 ? NAN : float(value(random)), i * 7 % 864000));
    const StatsLimits limits{2.0, -1.0};
    StatisticsIndex index;
    index.update(buffer, limits);
    const std::pair<qsizetype, qsizetype> ranges[] = {{0, buffer.count()}, {1, 4095}, {4095, 2},   {100, 9000},
                                                      {4096, 4096},        {0, 0},    {12000, 500}};
    for (const auto &[first, count] : ranges) {
        const ReadingStats a = index.range(buffer, first, count);
        const ReadingStats b = walkStats(buffer, first, count, limits);
        EXPECT_EQ(a.count, b.count) << first << "+" << count;
        EXPECT_EQ(a.minIndex, b.minIndex);
        EXPECT_EQ(a.maxIndex, b.maxIndex);
        EXPECT_EQ(a.firstIndex, b.firstIndex);
        EXPECT_EQ(a.lastIndex, b.lastIndex);
        EXPECT_EQ(a.aboveCount, b.aboveCount);
        EXPECT_EQ(a.belowTenths, b.belowTenths);
        EXPECT_NEAR(a.mean, b.mean, 1e-12);
        EXPECT_NEAR(a.m2, b.m2, 1e-8);
    }
    EXPECT_EQ(index.whole().count, buffer.count() - 1) << "the reading that is no number is left out";

    // A clear (a new generation) starts the summaries again; the deviation is the sample's (n − 1).
    buffer.clear();
    for (float v : {1.0f, 2.0f, 3.0f, 4.0f})
        buffer.append(reading(v, 0));
    index.update(buffer, limits);
    EXPECT_EQ(index.whole().count, 4);
    EXPECT_NEAR(index.whole().deviation(), 1.290994, 1e-6);
}

TEST(Statistics, ReadingsAndTimeBeyondTheLimitsAsTheComparatorJudgesThem)
{
    // Half a second apart; the limits as shown: 2 .. 3.
    ReadingBuffer buffer;
    const struct
    {
        float value;
        const char *display;
    } rows[] = {{1.0f, "1.000"}, {2.0f, "2.000"}, {3.0f, "3.000"}, {3.5f, "3.500"},
                {0.0f, "OL"},    {2.5f, "2.500"}, {-9.0f, "-OL"},  {1.5f, "1.500"}};
    int tenths = 23 * 36000 + 59 * 600 + 595; // the recording passes midnight
    for (const auto &row : rows) {
        buffer.append(reading(row.value, tenths % 864000, row.display));
        tenths += 5;
    }
    StatisticsIndex index;
    index.update(buffer, {3.0, 2.0});
    const ReadingStats &s = index.whole();
    EXPECT_EQ(s.aboveCount, 2) << "3.5 and an overload; 3.0 on the limit is a pass";
    EXPECT_EQ(s.aboveTenths, 10);
    EXPECT_EQ(s.belowCount, 3) << "1.0, a negative overload and 1.5";
    EXPECT_EQ(s.belowTenths, 10) << "the last reading has no time after it yet";
    EXPECT_EQ(s.maxIndex, 3);
    EXPECT_EQ(s.minIndex, 6);

    EXPECT_EQ(timeTenths(QStringLiteral("  9:05:03.4  ")), 9 * 36000 + 5 * 600 + 34);
    EXPECT_EQ(timeTenths(QStringLiteral("t")), -1);
    const QStringList lines = statsLines(buffer, s, {3.0, 2.0});
    EXPECT_EQ(lines.first(), QStringLiteral("Readings: 8"));
    EXPECT_TRUE(lines.contains(QStringLiteral("Above the upper limit 3: 2 readings, 0:00:01.0")))
        << lines.join('|').toStdString();
    EXPECT_TRUE(statsLines(buffer, s, {}).contains(QStringLiteral("Limits: none set")));
}

} // namespace
} // namespace orvel
