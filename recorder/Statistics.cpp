#include "recorder/Statistics.h"

#include "base/FloatText.h"
#include "meter/Acquisition.h"
#include "meter/FrameDecoder.h"
#include "meter/Getunitfuncstr.h"
#include "recorder/Tarecord.h"
#include "resources/Strings.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace orvel {

namespace {
constexpr int kFullSpeedTenths = kTickMs / 100; ///< the acquisition tick
constexpr int kFullSpeedGapTenths = 20;         ///< at full speed a gap is longer than 2 s
constexpr int kJudgedFullSpeedTenths = 10;      ///< a median up to 1 s is taken for full speed

namespace id {
constexpr int Readings = 2080, First = 2081, Last = 2082, Minimum = 2083, Maximum = 2084, Mean = 2085, Deviation = 2086,
              Above = 2087, Below = 2088, None = 2089;
constexpr int Covered = 2130, Intervals = 2131, NoIntervals = 2132, FewerThanTwo = 2133, Expected = 2134,
              FullSpeed = 2135, EverySeconds = 2136, Judged = 2137, ManualReadings = 2138, Gaps = 2139, NoGaps = 2140,
              OutOfOrder = 2141, Unreadable = 2142, Charge = 2143, Area = 2144, NoArea = 2145, Mixed = 2146,
              Stored = 2147;
} // namespace id

// Where the comparator would put a reading: it judges the number as the meter
// shows it (the prefix not applied), an overload beyond the limit on its side.
void judge(const TARecord &r, const StatsLimits &limits, bool &above, bool &below)
{
    above = below = false;
    if (!limits.valid())
        return;
    const QString display = fieldText(r.szDisplay);
    if (const auto v = textToFloat(display)) {
        // In the single precision the comparator works in.
        const float shown = float(*v);
        above = shown > float(limits.high);
        below = shown < float(limits.low);
    } else if (display.contains(QLatin1Char('L'))) {
        below = display.contains(QLatin1Char('-'));
        above = !below;
    }
}

// Time from one reading to the next, across midnight; 0 when it cannot be judged.
qint64 between(const TARecord &from, const TARecord &to)
{
    return std::max(0, elapsedTenths(timeTenths(from.szTime), timeTenths(to.szTime)));
}

QString valueText(const TARecord &r)
{
    const LabelStyle style = labelStyleFor(r.iFunction);
    return QString::fromLatin1(exportNumber(r.fReading)) + QStringLiteral(" (") + fieldText(r.szDisplay) +
           QLatin1Char(' ') + labelText(fieldText(r.szPrefix), style.prefixFace) +
           labelText(fieldText(r.szUnit), style.unitFace) + QStringLiteral(") ") + fieldText(r.szTime).trimmed();
}
} // namespace

int timeTenths(const TextField<16> &szTime)
{
    // "%3d:%02d:%02d.%-3d": blanks, 1-2 digits, ':', 2 digits, ':', 2 digits,
    // '.', one digit, blanks; read on the bytes (a million readings a walk).
    const char *p = szTime.data();
    const char *const end = p + szTime.size();
    auto blanks = [&] {
        while (p < end && *p == ' ')
            ++p;
    };
    auto number = [&](int minDigits, int maxDigits) {
        int value = 0, digits = 0;
        while (p < end && digits < maxDigits && *p >= '0' && *p <= '9') {
            value = value * 10 + (*p++ - '0');
            ++digits;
        }
        return digits >= minDigits ? value : -1;
    };
    auto expect = [&](char c) { return p < end && *p == c ? (++p, true) : false; };
    blanks();
    const int h = number(1, 2);
    if (h < 0 || !expect(':'))
        return -1;
    const int m = number(2, 2);
    if (m < 0 || !expect(':'))
        return -1;
    const int s = number(2, 2);
    if (s < 0 || !expect('.'))
        return -1;
    const int t = number(1, 1);
    blanks();
    if (t < 0 || (p < end && *p != '\0') || h > 23 || m > 59 || s > 59)
        return -1;
    return ((h * 60 + m) * 60 + s) * 10 + t;
}

int timeTenths(const QString &szTime)
{
    TextField<16> field;
    const QString text = szTime.trimmed();
    if (text.size() >= qsizetype(field.size()))
        return -1;
    setFieldText(field, text);
    return timeTenths(field);
}

int elapsedTenths(int from, int to)
{
    if (from < 0 || to < 0)
        return -1;
    if (to >= from)
        return to - from;
    // Back on the clock: midnight when going forward round it is the shorter way.
    const int forward = to + kTenthsPerDay - from;
    return forward < from - to ? forward : -1;
}

QString tenthsText(qint64 tenths)
{
    return QString::asprintf("%lld:%02lld:%02lld.%lld", tenths / 36000, tenths / 600 % 60, tenths / 10 % 60,
                             tenths % 10);
}

ExpectedInterval ExpectedInterval::forMode(bool manual, int intervalSeconds)
{
    if (manual)
        return {Manual, 0};
    return intervalSeconds <= 0 ? ExpectedInterval{FullSpeed, 0} : ExpectedInterval{Seconds, intervalSeconds};
}

void IntervalHistogram::add(int tenths, qint64 times)
{
    lengths_[tenths] += times;
    count_ += times;
}

void IntervalHistogram::merge(const IntervalHistogram &other)
{
    auto hint = lengths_.begin();
    for (const auto &[length, times] : other.lengths_) {
        hint = lengths_.try_emplace(hint, length, 0);
        hint->second += times;
    }
    count_ += other.count_;
}

int IntervalHistogram::median() const
{
    if (count_ == 0)
        return -1;
    qint64 left = (count_ - 1) / 2;
    for (const auto &[length, times] : lengths_) {
        if (left < times)
            return length;
        left -= times;
    }
    return -1; // not reached: the counts add up to count_
}

std::pair<qint64, qint64> IntervalHistogram::above(int tenths) const
{
    std::pair<qint64, qint64> result{0, 0};
    for (auto it = lengths_.upper_bound(tenths); it != lengths_.end(); ++it) {
        result.first += it->second;
        result.second += qint64(it->first) * it->second;
    }
    return result;
}

double ReadingStats::deviation() const
{
    return count > 1 ? std::sqrt(m2 / double(count - 1)) : 0.0;
}

void ReadingStats::add(qsizetype index, const TARecord &r, bool above, bool below)
{
    const int t = timeTenths(r.szTime);
    const bool number = std::isfinite(r.fReading);
    if (number) {
        addValue(index, r.fReading, above, below);
        takeKey(r.iFunction, r.szUnit);
    }
    if (t < 0) {
        ++unreadableTimes;
        return;
    }
    if (lastTenths >= 0)
        joinInterval(lastTenths, lastTimedIndex, t);
    else
        firstTenths = t;
    lastTenths = t;
    lastTimedIndex = index;
    if (number) {
        const AreaPoint point{t, r.fReading};
        ++areaPoints;
        if (areaLast.tenths >= 0)
            joinArea(areaLast, point);
        else
            areaFirst = point;
        areaLast = point;
    }
}

void ReadingStats::joinInterval(int from, qsizetype fromIndex, int to)
{
    const int d = elapsedTenths(from, to);
    if (d < 0) {
        ++outOfOrder;
        return;
    }
    intervals.add(d);
    coveredTenths += d;
    if (shortestTenths < 0 || d < shortestTenths)
        shortestTenths = d;
    if (d > longestTenths) {
        longestTenths = d;
        longestFrom = fromIndex;
    }
}

void ReadingStats::joinArea(const AreaPoint &from, const AreaPoint &to)
{
    // Out of order: that step is not judged, so no area either.
    const int d = elapsedTenths(from.tenths, to.tenths);
    if (d > 0)
        areaTenths += (double(from.value) + double(to.value)) / 2.0 * double(d);
}

void ReadingStats::takeKey(std::int32_t otherFunction, const TextField<8> &otherUnit)
{
    if (!keyed) {
        keyed = true;
        function = otherFunction;
        unit = otherUnit;
    } else if (otherFunction != function || fieldText(otherUnit) != fieldText(unit)) {
        mixed = true;
    }
}

void ReadingStats::addValue(qsizetype index, float value, bool above, bool below)
{
    if (count == 0) {
        firstIndex = index;
        minimum = maximum = value;
        minIndex = maxIndex = index;
    } else {
        if (value < minimum) {
            minimum = value;
            minIndex = index;
        }
        if (value > maximum) {
            maximum = value;
            maxIndex = index;
        }
    }
    lastIndex = index;
    ++count;
    const double delta = double(value) - mean;
    mean += delta / double(count);
    m2 += delta * (double(value) - mean);
    aboveCount += above;
    belowCount += below;
}

void ReadingStats::merge(const ReadingStats &later)
{
    aboveCount += later.aboveCount;
    belowCount += later.belowCount;
    aboveTenths += later.aboveTenths;
    belowTenths += later.belowTenths;

    // Timing: the seam first, as a walk meets it before the later intervals.
    if (later.firstTenths >= 0) {
        if (lastTenths >= 0)
            joinInterval(lastTenths, lastTimedIndex, later.firstTenths);
        else
            firstTenths = later.firstTenths;
        lastTenths = later.lastTenths;
        lastTimedIndex = later.lastTimedIndex;
    }
    unreadableTimes += later.unreadableTimes;
    outOfOrder += later.outOfOrder;
    coveredTenths += later.coveredTenths;
    if (later.shortestTenths >= 0 && (shortestTenths < 0 || later.shortestTenths < shortestTenths))
        shortestTenths = later.shortestTenths;
    if (later.longestTenths > longestTenths) {
        longestTenths = later.longestTenths;
        longestFrom = later.longestFrom;
    }
    intervals.merge(later.intervals);

    if (later.areaFirst.tenths >= 0) {
        if (areaLast.tenths >= 0)
            joinArea(areaLast, later.areaFirst);
        else
            areaFirst = later.areaFirst;
        areaLast = later.areaLast;
    }
    areaTenths += later.areaTenths;
    areaPoints += later.areaPoints;
    if (later.keyed)
        takeKey(later.function, later.unit);
    mixed = mixed || later.mixed;

    if (later.count == 0)
        return;
    if (count == 0) {
        count = later.count;
        firstIndex = later.firstIndex;
        lastIndex = later.lastIndex;
        mean = later.mean;
        m2 = later.m2;
        minimum = later.minimum;
        maximum = later.maximum;
        minIndex = later.minIndex;
        maxIndex = later.maxIndex;
        return;
    }
    const double n = double(count) + double(later.count);
    const double delta = later.mean - mean;
    mean += delta * double(later.count) / n;
    m2 += later.m2 + delta * delta * double(count) * double(later.count) / n;
    count += later.count;
    if (later.minimum < minimum) {
        minimum = later.minimum;
        minIndex = later.minIndex;
    }
    if (later.maximum > maximum) {
        maximum = later.maximum;
        maxIndex = later.maxIndex;
    }
    lastIndex = later.lastIndex;
}

GapFigures ReadingStats::gaps(const ExpectedInterval &expected) const
{
    GapFigures g;
    switch (expected.kind) {
    case ExpectedInterval::Manual: return g;
    case ExpectedInterval::FullSpeed:
        g.expectedTenths = kFullSpeedTenths;
        g.thresholdTenths = kFullSpeedGapTenths;
        break;
    case ExpectedInterval::Seconds:
        g.expectedTenths = expected.seconds * 10;
        g.thresholdTenths = 2 * g.expectedTenths;
        break;
    case ExpectedInterval::Unknown: {
        // Judged from the readings: the median is what they mostly kept to.
        const int median = intervals.median();
        if (median < 0)
            return g;
        const bool fullSpeed = median <= kJudgedFullSpeedTenths;
        g.expectedTenths = fullSpeed ? kFullSpeedTenths : (median + 5) / 10 * 10;
        g.thresholdTenths = fullSpeed ? kFullSpeedGapTenths : 2 * g.expectedTenths;
        break;
    }
    }
    std::tie(g.count, g.missingTenths) = intervals.above(g.thresholdTenths);
    if (g.count > 0) {
        g.longestTenths = longestTenths;
        g.longestFrom = longestFrom;
    }
    return g;
}

ReadingStats walkStats(const ReadingBuffer &buffer, qsizetype first, qsizetype count, const StatsLimits &limits)
{
    ReadingStats s;
    const qsizetype end = std::min(buffer.count(), first + count);
    for (qsizetype j = std::max<qsizetype>(first, 0); j < end; ++j) {
        const TARecord &r = buffer.at(j);
        bool above = false, below = false;
        if (std::isfinite(r.fReading))
            judge(r, limits, above, below);
        s.add(j, r, above, below);
        if ((above || below) && j + 1 < buffer.count()) {
            const qint64 d = between(r, buffer.at(j + 1));
            (above ? s.aboveTenths : s.belowTenths) += d;
        }
    }
    return s;
}

void StatisticsIndex::reset()
{
    blocks_.clear();
    whole_ = ReadingStats{};
    taken_ = 0;
}

void StatisticsIndex::update(const ReadingBuffer &buffer, const StatsLimits &limits)
{
    if (buffer.generation() != generation_ || buffer.count() < taken_ || limits.high != limits_.high ||
        limits.low != limits_.low) {
        reset();
        limits_ = limits;
        generation_ = buffer.generation();
    }
    while (taken_ < buffer.count())
        take(buffer, taken_++);
}

void StatisticsIndex::take(const ReadingBuffer &buffer, qsizetype index)
{
    const std::size_t block = std::size_t(index / kStatsBlock);
    if (blocks_.size() <= block)
        blocks_.resize(block + 1);
    const TARecord &r = buffer.at(index);
    bool above = false, below = false;
    if (std::isfinite(r.fReading))
        judge(r, limits_, above, below);
    blocks_[block].add(index, r, above, below);
    whole_.add(index, r, above, below);
    // The reading before this one lay until now.
    if (index > 0) {
        const TARecord &previous = buffer.at(index - 1);
        if (std::isfinite(previous.fReading)) {
            bool wasAbove = false, wasBelow = false;
            judge(previous, limits_, wasAbove, wasBelow);
            if (wasAbove || wasBelow) {
                const qint64 d = between(previous, r);
                ReadingStats &b = blocks_[std::size_t((index - 1) / kStatsBlock)];
                (wasAbove ? b.aboveTenths : b.belowTenths) += d;
                (wasAbove ? whole_.aboveTenths : whole_.belowTenths) += d;
            }
        }
    }
}

ReadingStats StatisticsIndex::range(const ReadingBuffer &buffer, qsizetype first, qsizetype count) const
{
    const qsizetype end = std::min(first + count, taken_);
    first = std::max<qsizetype>(first, 0);
    if (end <= first)
        return {};
    const qsizetype firstBlock = (first + kStatsBlock - 1) / kStatsBlock;
    const qsizetype endBlock = end / kStatsBlock;
    if (firstBlock >= endBlock) // no whole block inside: walk it all
        return walkStats(buffer, first, end - first, limits_);
    ReadingStats s = walkStats(buffer, first, firstBlock * kStatsBlock - first, limits_);
    for (qsizetype b = firstBlock; b < endBlock; ++b)
        s.merge(blocks_[std::size_t(b)]);
    s.merge(walkStats(buffer, endBlock * kStatsBlock, end - endBlock * kStatsBlock, limits_));
    return s;
}

namespace {
QString gapsLine(const GapFigures &g, const std::function<QString(qsizetype)> &timeAt)
{
    return g.count == 0 ? LoadStr(id::NoGaps)
                        : LoadStr(id::Gaps).arg(QString::number(g.count), tenthsText(g.missingTenths),
                                                tenthsText(g.longestTenths), timeAt(g.longestFrom));
}
} // namespace

QStringList recordingSummary(const ReadingBuffer &buffer, const ExpectedInterval &expected, qsizetype count)
{
    count = count < 0 ? buffer.count() : std::min(count, buffer.count());
    const ReadingStats s = walkStats(buffer, 0, count, {});
    QStringList lines{LoadStr(id::Stored).arg(count).arg(tenthsText(s.coveredTenths))};
    if (s.intervals.count() == 0)
        lines << LoadStr(id::NoIntervals).arg(LoadStr(id::FewerThanTwo));
    else if (const GapFigures g = s.gaps(expected); g.thresholdTenths >= 0)
        lines << gapsLine(g, [&buffer](qsizetype index) { return fieldText(buffer.at(index).szTime).trimmed(); });
    return lines;
}

AreaText areaText(const ReadingStats &s)
{
    AreaText a;
    const double hours = s.areaHours();
    // About four significant digits, never an exponent for a large figure.
    const int digits = hours == 0.0 ? 1 : int(std::floor(std::log10(std::fabs(hours)))) + 1;
    a.number = QString::number(hours, 'g', std::max(4, digits));
    switch (s.function) {
    case fn::AmpAC:
    case fn::AmpDC:
    case fn::AmpDCAC:
        a.charge = true;
        a.unit = QStringLiteral("Ah");
        return a;
    case fn::Capacitance: a.unit = QStringLiteral("µF"); break; // stored in microfarads
    case fn::Celsius: a.unit = QStringLiteral("°C"); break;
    case fn::Fahrenheit: a.unit = QStringLiteral("°F"); break;
    default: a.unit = labelText(fieldText(s.unit), labelStyleFor(s.function).unitFace); break;
    }
    a.unit += QStringLiteral("·h");
    return a;
}

QStringList statsLines(const ReadingBuffer &buffer, const ReadingStats &s, const StatsLimits &limits,
                       const ExpectedInterval &expected)
{
    return statsLines([&buffer](qsizetype index) { return buffer.at(index); }, s, limits, expected);
}

QStringList statsLines(const RecordAt &recordAt, const ReadingStats &s, const StatsLimits &limits,
                       const ExpectedInterval &expected)
{
    auto timeAt = [&recordAt](qsizetype index) { return fieldText(recordAt(index).szTime).trimmed(); };
    QStringList lines;
    lines << LoadStr(id::Readings) + QString::number(s.count);
    if (s.count > 0) {
        lines << LoadStr(id::First) + timeAt(s.firstIndex);
        lines << LoadStr(id::Last) + timeAt(s.lastIndex);
        lines << LoadStr(id::Minimum) + valueText(recordAt(s.minIndex));
        lines << LoadStr(id::Maximum) + valueText(recordAt(s.maxIndex));
        lines << LoadStr(id::Mean) + QString::number(s.mean, 'g', 9);
        lines << LoadStr(id::Deviation) + QString::number(s.deviation(), 'g', 7);
        if (limits.valid()) {
            lines << LoadStr(id::Above).arg(floatToText(limits.high)).arg(s.aboveCount).arg(tenthsText(s.aboveTenths));
            lines << LoadStr(id::Below).arg(floatToText(limits.low)).arg(s.belowCount).arg(tenthsText(s.belowTenths));
        } else {
            lines << LoadStr(id::None);
        }
        if (s.mixed) {
            lines << LoadStr(id::NoArea).arg(LoadStr(id::Mixed));
        } else if (s.areaPoints < 2) {
            lines << LoadStr(id::NoArea).arg(LoadStr(id::FewerThanTwo));
        } else {
            const AreaText area = areaText(s);
            lines << (area.charge ? LoadStr(id::Charge).arg(area.number)
                                  : LoadStr(id::Area).arg(area.number, area.unit));
        }
    }
    if (s.count == 0 && s.firstTenths < 0 && s.unreadableTimes == 0)
        return lines; // nothing at all
    if (s.intervals.count() == 0) {
        lines << LoadStr(id::NoIntervals).arg(LoadStr(id::FewerThanTwo));
    } else {
        lines << LoadStr(id::Covered).arg(tenthsText(s.coveredTenths));
        lines << LoadStr(id::Intervals)
                     .arg(tenthsText(s.intervals.median()), tenthsText(s.shortestTenths), tenthsText(s.longestTenths),
                          timeAt(s.longestFrom));
        const GapFigures g = s.gaps(expected);
        if (g.thresholdTenths < 0) {
            lines << LoadStr(id::ManualReadings);
        } else {
            const QString how = expected.kind == ExpectedInterval::FullSpeed ? LoadStr(id::FullSpeed)
                                : expected.kind == ExpectedInterval::Seconds
                                    ? LoadStr(id::EverySeconds).arg(expected.seconds)
                                    : LoadStr(id::Judged);
            lines << LoadStr(id::Expected).arg(tenthsText(g.expectedTenths), how, tenthsText(g.thresholdTenths));
            lines << gapsLine(g, timeAt);
        }
    }
    if (s.outOfOrder > 0)
        lines << LoadStr(id::OutOfOrder).arg(s.outOfOrder);
    if (s.unreadableTimes > 0)
        lines << LoadStr(id::Unreadable).arg(s.unreadableTimes);
    return lines;
}

} // namespace orvel
