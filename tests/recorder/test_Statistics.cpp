#include "recorder/Statistics.h"
#include "recorder/Tarecord.h"
#include "tests/support/Records.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <tuple>

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
    std::uniform_int_distribution<int> step(1, 40);
    int tenths = 80000;
    for (int i = 0; i < 3 * kStatsBlock + 123; ++i) {
        // Steps forward, across midnight, now and then back in time, a damaged time, another function.
        tenths = (tenths + (i % 1499 == 0 ? -36000 : i % 2000 == 0 ? 5000 : step(random))) % 864000;
        TARecord r = reading(i == 5000 ? NAN : float(value(random)), tenths < 0 ? tenths + 864000 : tenths);
        if (i % 997 == 0)
            r.szTime[3] = 'x';
        if (i == 11000)
            r.iFunction = 514;
        buffer.append(r);
    }
    const StatsLimits limits{2.0, -1.0};
    StatisticsIndex index;
    index.update(buffer, limits);
    const std::pair<qsizetype, qsizetype> ranges[] = {{0, buffer.count()}, {1, 4095}, {4095, 2},   {100, 9000},
                                                      {4096, 4096},        {0, 0},    {12000, 500}};
    for (const auto &[first, count] : ranges) {
        const ReadingStats a = index.range(buffer, first, count);
        const ReadingStats b = walkStats(buffer, first, count, limits);
        EXPECT_EQ(std::tie(a.count, a.minIndex, a.maxIndex, a.firstIndex, a.lastIndex, a.aboveCount, a.belowTenths),
                  std::tie(b.count, b.minIndex, b.maxIndex, b.firstIndex, b.lastIndex, b.aboveCount, b.belowTenths))
            << first << "+" << count;
        EXPECT_NEAR(a.mean, b.mean, 1e-12);
        EXPECT_NEAR(a.m2, b.m2, 1e-8);
        EXPECT_EQ(a.intervals.count(), b.intervals.count());
        EXPECT_EQ(a.intervals.median(), b.intervals.median());
        EXPECT_EQ(std::tie(a.shortestTenths, a.longestTenths, a.longestFrom, a.coveredTenths),
                  std::tie(b.shortestTenths, b.longestTenths, b.longestFrom, b.coveredTenths));
        EXPECT_EQ(std::tie(a.outOfOrder, a.unreadableTimes, a.mixed),
                  std::tie(b.outOfOrder, b.unreadableTimes, b.mixed));
        EXPECT_EQ(a.gaps({}).missingTenths, b.gaps({}).missingTenths);
        EXPECT_NEAR(a.areaTenths, b.areaTenths, 1e-9 * std::fabs(b.areaTenths) + 1e-6);
    }
    EXPECT_GT(index.whole().outOfOrder, 0);
    EXPECT_GT(index.whole().intervals.above(20).first, 0);
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

    // A step back in time is no time beyond the limits (it once counted as almost a day).
    buffer.append(reading(5.0f, 36000));
    buffer.append(reading(1.0f, 35990));
    index.update(buffer, {3.0, 2.0});
    EXPECT_EQ(index.whole().aboveTenths, 10);

    EXPECT_EQ(timeTenths(QStringLiteral("  9:05:03.4  ")), 9 * 36000 + 5 * 600 + 34);
    EXPECT_EQ(timeTenths(QStringLiteral("t")), -1);
    const QStringList lines = statsLines(buffer, index.whole(), {3.0, 2.0});
    EXPECT_EQ(lines.first(), QStringLiteral("Readings: 10"));
    EXPECT_TRUE(lines.contains(QStringLiteral("Above the upper limit 3: 3 readings, 0:00:01.0")))
        << lines.join('|').toStdString();
    EXPECT_TRUE(statsLines(buffer, index.whole(), {}).contains(QStringLiteral("Limits: none set")));
}

// Readings given as time texts: the timing, gaps and area each set of times gives.
TEST(Statistics, IntervalsGapsAndAreaFromTheTimeStamps)
{
    struct Row
    {
        const char *what;
        std::vector<const char *> times;
        ExpectedInterval expected;
        // intervals, median, shortest, longest, longestFrom, covered, gaps, missing, outOfOrder, unreadable,
        // expected interval and gap threshold
        std::vector<qint64> figures;
        const char *line = ""; ///< a line the statistics show
    };
    const std::vector<const char *> sixHourly = {" 18:00:00.0", "  0:00:00.0", "  6:00:00.0",
                                                 " 12:00:00.0", " 18:00:00.0", "  0:00:00.0",
                                                 "  6:00:00.0", " 21:00:00.0", "  3:00:00.0"};
    const qint64 h6 = 6 * 36000;
    const Row rows[] = {
        {"every 6 h, past midnight three times, one 15 h gap",
         sixHourly,
         {ExpectedInterval::Seconds, 21600},
         {8, h6, h6, 15 * 36000, 6, 57 * 36000, 1, 15 * 36000, 0, 0, h6, 2 * h6}},
        {"every 10 s with one stall; exactly 20 s is no gap",
         {" 12:00:00.0", " 12:00:10.0", " 12:00:20.1", " 12:00:30.0", " 12:01:05.0", " 12:01:15.0", " 12:01:35.0"},
         {ExpectedInterval::Seconds, 10},
         {6, 100, 99, 350, 3, 950, 1, 350, 0, 0, 100, 200},
         "Gaps: 1, 0:00:35.0 missing, the longest 0:00:35.0 from 12:00:30.0"},
        {"full speed: 1.5 s and exactly 2 s are no gaps, 2.1 s is",
         {" 12:00:00.0", " 12:00:00.5", " 12:00:02.0", " 12:00:04.0", " 12:00:06.1"},
         {ExpectedInterval::FullSpeed, 0},
         {4, 15, 5, 21, 3, 61, 1, 21, 0, 0, 5, 20}},
        {"two recordings joined: the step back is not judged",
         {" 10:00:00.0", " 10:00:00.5", "  9:00:00.0", "  9:00:00.5", "  9:00:03.0"},
         {ExpectedInterval::FullSpeed, 0},
         {3, 5, 5, 25, 3, 35, 1, 25, 1, 0, 5, 20}},
        {"blank and damaged times are passed over; full speed judged from the median",
         {" 12:00:00.0", "", " 12:61:00.0", " 12:00:01.0", "12:00:0x.0", " 12:00:01.5"},
         {},
         {2, 5, 5, 10, 0, 15, 0, 0, 0, 3, 5, 20}},
        {"a median of 1.9 s is judged every 2 s: 4 s is no gap, 4.1 s is",
         {" 12:00:00.0", " 12:00:01.9", " 12:00:03.8", " 12:00:05.7", " 12:00:09.7", " 12:00:13.8"},
         {},
         {5, 19, 19, 41, 4, 138, 1, 41, 0, 0, 20, 40},
         "Expected interval: 0:00:02.0 (judged from the readings); gaps are intervals longer than 0:00:04.0"},
        {"manual readings have no gaps; two in the same tenth are 0 s apart",
         {"  8:00:00.0", "  9:00:00.0", "  9:00:00.0"},
         {ExpectedInterval::Manual, 0},
         {2, 0, 0, 36000, 0, 36000, 0, 0, 0, 0, -1, -1}},
        {"one reading", {" 12:00:00.0"}, {}, {0, -1, -1, -1, -1, 0, 0, 0, 0, 0, -1, -1}},
    };
    for (const Row &row : rows) {
        ReadingBuffer buffer;
        for (const char *time : row.times)
            buffer.append(TARecord("1", "0", 6, time, "1", "", "V", 1.0f, ""));
        const ReadingStats s = walkStats(buffer, 0, buffer.count(), {});
        const GapFigures g = s.gaps(row.expected);
        EXPECT_EQ((std::vector<qint64>{s.intervals.count(), s.intervals.median(), s.shortestTenths, s.longestTenths,
                                       s.longestFrom, s.coveredTenths, g.count, g.missingTenths, s.outOfOrder,
                                       s.unreadableTimes, g.expectedTenths, g.thresholdTenths}),
                  row.figures)
            << row.what;
        const QStringList lines = statsLines(buffer, s, {}, row.expected);
        EXPECT_TRUE(!*row.line || lines.contains(row.line)) << row.what << lines.join('|').toStdString();
    }
}

TEST(Statistics, AreaUnderTheReadings)
{
    auto lines = [](const ReadingBuffer &buffer) {
        return statsLines(buffer, walkStats(buffer, 0, buffer.count(), {}), {}, {});
    };
    // A constant 100 mA for 30 minutes, a reading a second, is 0.05 Ah, DC or DC+AC.
    ReadingBuffer current;
    for (const int function : {fn::AmpDCAC, fn::AmpDC}) {
        current.clear();
        for (int i = 0; i <= 1800; ++i)
            current.append(
                TARecord("100.0", "-3", function, tenthsText(10 * 36000 + i * 10), "100.0", "m", "A", 0.1f, ""));
        EXPECT_NEAR(walkStats(current, 0, current.count(), {}).areaHours(), 0.05, 1e-7);
        EXPECT_TRUE(lines(current).contains("Charge: 0.05 Ah")) << function << lines(current).join('|').toStdString();
    }

    // 10 V then 20 V two seconds later across midnight; a step back adds nothing.
    ReadingBuffer volts;
    volts.append(reading(10.0f, 863990));
    volts.append(reading(20.0f, 10));
    volts.append(reading(30.0f, 5));
    EXPECT_TRUE(lines(volts).contains(QString::fromUtf8("Area under the readings: 0.008333 V·h")))
        << lines(volts).join('|').toStdString();
    volts.append(current.at(0));
    EXPECT_TRUE(lines(volts).contains("Area under the readings: none (the readings mix functions or units)"));
}

} // namespace
} // namespace orvel
