#pragma once
// Statistics of stored readings: count, first and last time, minimum and
// maximum with their times, mean, standard deviation, and how many readings
// and how much time lay above an upper and below a lower limit.
//
// The mean and deviation are kept as Welford's running mean and sum of squared
// deviations, merged block by block with Chan's formula, so a million readings
// around 1000.000 with a spread of 0.001 keep their deviation. The buffer is
// summarised in blocks of kStatsBlock readings as readings arrive (constant
// work a reading); a range's statistics merge the whole blocks inside it and
// walk only its two ends.

#include <QString>
#include <QStringList>

#include <vector>

namespace orvel {

class ReadingBuffer;

inline constexpr qsizetype kStatsBlock = 4096;

/// Tenths of a second since midnight of a stored time text ('  9:05:03.4  '),
/// or −1 when the text is not such a time.
int timeTenths(const QString &szTime);

/// The comparator's limits for the out-of-limit figures; none when high ≤ low.
struct StatsLimits
{
    double high = 0.0;
    double low = 0.0;
    bool valid() const { return high > low; }
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

    /// Sample standard deviation (n − 1); 0 for fewer than two readings.
    double deviation() const;
    /// Adds the reading at `index` (after every reading already added).
    void add(qsizetype index, float value, bool above, bool below);
    /// Adds the readings of `later`, which all come after these.
    void merge(const ReadingStats &later);
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

/// The statistics as text, a "name: value" line each (for the window and the
/// clipboard); times and values from the buffer.
QStringList statsLines(const ReadingBuffer &buffer, const ReadingStats &s, const StatsLimits &limits);

} // namespace orvel
