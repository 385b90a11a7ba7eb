#pragma once
// Statistics of stored readings: count, first and last time, minimum and
// maximum with their times, mean, standard deviation, how many readings and
// how much time lay above an upper and below a lower limit, the intervals
// between the readings and their gaps, and the area under the readings.
//
// The mean and deviation are kept as Welford's running mean and sum of squared
// deviations, merged block by block with Chan's formula, so a million readings
// around 1000.000 with a spread of 0.001 keep their deviation. The buffer is
// summarised in blocks of kStatsBlock readings as readings arrive (constant
// work a reading); a range's statistics merge the whole blocks inside it and
// walk only its two ends. Intervals and the area join two summaries at their
// seam (the last timed reading of one, the first of the next), so a merge
// gives exactly what a walk gives.
//
// Time stamps are times of day to a tenth of a second, without a date. A step
// from one reading to the next goes the shorter way round the clock: forward
// across midnight when the clock went round (any number of times in a
// recording), and otherwise, when the time went back, the step is out of order
// (a file edited, or two recordings joined) and is not judged. A blank or
// damaged time leaves its reading out of the timing and the area; the
// readings on either side of it are neighbours.

#include "recorder/Tarecord.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <vector>

namespace orvel {

inline constexpr qsizetype kStatsBlock = 4096;
inline constexpr int kTenthsPerDay = 24 * 36000;

/// Tenths of a second since midnight of a stored time text ('  9:05:03.4  '),
/// or −1 when the text is not such a time.
int timeTenths(const QString &szTime);
/// The same, read straight from a record's time field.
int timeTenths(const TextField<16> &szTime);

/// Tenths of a second from a reading at time of day `from` to one at `to`
/// (tenths since midnight): forward, across midnight when `to` is earlier on
/// the clock by more than half a day; −1 when `to` lies earlier by up to half a
/// day (out of order) or either time is −1.
int elapsedTenths(int from, int to);

/// Time as "h:mm:ss.t" ("0:00:41.5").
QString tenthsText(qint64 tenths);

/// How often readings are meant to come, which decides what counts as a gap.
struct ExpectedInterval
{
    enum Kind {
        Unknown,   ///< not known (a loaded file, mixed runs): judged from the median interval
        Manual,    ///< readings taken by hand: no interval, no gaps
        FullSpeed, ///< every tick of the acquisition (500 ms); a gap is longer than 2 s
        Seconds,   ///< every `seconds`; a gap is longer than twice that
    };
    Kind kind = Unknown;
    int seconds = 0; ///< Seconds only

    /// The recorder's mode: manual, or every `intervalSeconds` (0: full speed).
    static ExpectedInterval forMode(bool manual, int intervalSeconds);
    bool operator==(const ExpectedInterval &) const = default;
};

/// How many intervals had each length: exact, and merged cheaply because a
/// recording's intervals take few distinct lengths.
class IntervalHistogram
{
public:
    void add(int tenths, qint64 times = 1);
    void merge(const IntervalHistogram &other);
    qint64 count() const { return count_; }
    /// The middle interval (the lower of the two middle ones for an even
    /// count); −1 when there is none.
    int median() const;
    /// Intervals longer than `tenths`: how many, and their sum.
    std::pair<qint64, qint64> above(int tenths) const;

private:
    std::map<int, qint64> lengths_;
    qint64 count_ = 0;
};

/// The gaps of a set of intervals: those longer than the threshold.
struct GapFigures
{
    int expectedTenths = -1;  ///< the interval readings were expected at; −1: none (manual)
    int thresholdTenths = -1; ///< longer than this is a gap; −1: gaps are not judged
    qint64 count = 0;
    qint64 missingTenths = 0;   ///< the gaps' lengths, summed
    int longestTenths = 0;      ///< the longest gap
    qsizetype longestFrom = -1; ///< buffer index of the reading before it
};

/// The comparator's limits for the out-of-limit figures; none when high ≤ low.
struct StatsLimits
{
    double high = 0.0;
    double low = 0.0;
    bool valid() const { return high > low; }
};

/// A reading that takes part in the area: its time of day and its value.
struct AreaPoint
{
    int tenths = -1; ///< −1: none
    float value = 0.0f;
};

struct ReadingStats
{
    qsizetype count = 0;       ///< readings that are numbers
    qsizetype firstIndex = -1; ///< buffer index of the first and the last of them
    qsizetype lastIndex = -1;
    double mean = 0.0;
    double m2 = 0.0; ///< sum of squared deviations from the mean
    float minimum = 0.0f;
    float maximum = 0.0f;
    qsizetype minIndex = -1;  ///< first reading at the minimum
    qsizetype maxIndex = -1;  ///< first reading at the maximum
    qsizetype aboveCount = 0; ///< readings above the upper limit
    qsizetype belowCount = 0; ///< readings below the lower limit
    qint64 aboveTenths = 0;   ///< time until the next reading, summed over readings above
    qint64 belowTenths = 0;

    // Timing: every reading whose time reads, a number or not.
    int firstTenths = -1; ///< time of day of the first timed reading, tenths; −1: none
    int lastTenths = -1;  ///< ... and of the last
    qsizetype lastTimedIndex = -1;
    qsizetype unreadableTimes = 0; ///< readings whose time is blank or damaged
    qsizetype outOfOrder = 0;      ///< steps back in time (not judged as intervals)
    qint64 coveredTenths = 0;      ///< the judged intervals, summed
    int shortestTenths = -1;       ///< −1: no interval
    int longestTenths = -1;
    qsizetype longestFrom = -1; ///< buffer index of the reading that begins the longest interval
    IntervalHistogram intervals;

    // The area under the readings that are numbers with a readable time
    // (trapezoids between neighbours), and whether they share one function and unit.
    AreaPoint areaFirst, areaLast;
    double areaTenths = 0.0; ///< value × tenths of a second
    qsizetype areaPoints = 0;
    std::int32_t function = 0;
    TextField<8> unit{};
    bool keyed = false; ///< function and unit hold the first reading's
    bool mixed = false; ///< readings of another function or unit came too

    /// Sample standard deviation (n − 1); 0 for fewer than two readings.
    double deviation() const;
    /// Adds the reading `r` at `index` (after every reading already added).
    void add(qsizetype index, const TARecord &r, bool above, bool below);
    /// Adds the readings of `later`, which all come after these.
    void merge(const ReadingStats &later);
    /// The gaps among the intervals, for readings expected at `expected`.
    GapFigures gaps(const ExpectedInterval &expected) const;
    /// The area in value × hours.
    double areaHours() const { return areaTenths / 36000.0; }

private:
    void addValue(qsizetype index, float value, bool above, bool below);
    void joinInterval(int from, qsizetype fromIndex, int to);
    void joinArea(const AreaPoint &from, const AreaPoint &to);
    void takeKey(std::int32_t otherFunction, const TextField<8> &otherUnit);
};

/// Statistics of buffer indexes first .. first + count − 1, by walking them.
ReadingStats walkStats(const ReadingBuffer &buffer, qsizetype first, qsizetype count, const StatsLimits &limits);

/// Block summaries of a growing buffer, for the whole recording and any range.
class StatisticsIndex
{
public:
    /// Summarises buffer entries not yet taken (constant work per entry);
    /// starts again when the buffer shrank (a clear) or the limits changed.
    void update(const ReadingBuffer &buffer, const StatsLimits &limits);
    /// Forgets everything (the buffer was cleared or replaced).
    void reset();
    const ReadingStats &whole() const { return whole_; }
    /// Statistics of buffer indexes first .. first + count − 1 (within what was
    /// taken by update).
    ReadingStats range(const ReadingBuffer &buffer, qsizetype first, qsizetype count) const;

private:
    void take(const ReadingBuffer &buffer, qsizetype index);

    std::vector<ReadingStats> blocks_;
    ReadingStats whole_;
    StatsLimits limits_;
    qsizetype taken_ = 0;
    quint64 generation_ = 0; ///< the buffer's generation the summaries belong to
};

/// The record at a buffer index, for the texts (a buffer, or a file read again).
using RecordAt = std::function<TARecord(qsizetype index)>;

/// The statistics as text, a "name: value" line each (for the window and the
/// clipboard); times and values from the records.
QStringList statsLines(const RecordAt &recordAt, const ReadingStats &s, const StatsLimits &limits,
                       const ExpectedInterval &expected);
QStringList statsLines(const ReadingBuffer &buffer, const ReadingStats &s, const StatsLimits &limits,
                       const ExpectedInterval &expected = {});

/// What a recording that ended says of itself: the readings stored and the
/// time they cover, then its gaps; of the first `count` readings (−1: all),
/// those that reached its file.
QStringList recordingSummary(const ReadingBuffer &buffer, const ExpectedInterval &expected, qsizetype count = -1);

/// The area's figure and unit as the statistics show them ("1.234", "Ah";
/// "12.3", "V·h"); for a current the charge.
struct AreaText
{
    QString number, unit;
    bool charge = false;
};
AreaText areaText(const ReadingStats &s);

} // namespace orvel
