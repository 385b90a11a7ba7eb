#include "recorder/Statistics.h"

#include "base/FloatText.h"
#include "meter/Getunitfuncstr.h"
#include "recorder/Tarecord.h"
#include "resources/Strings.h"

#include <cmath>
#include <cstdio>

namespace orvel {

namespace {
constexpr int kTenthsPerDay = 24 * 36000;

namespace id {
constexpr int Readings = 2080, First = 2081, Last = 2082, Minimum = 2083, Maximum = 2084, Mean = 2085, Deviation = 2086,
              Above = 2087, Below = 2088, None = 2089;
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

// Time from one reading to the next, across midnight; 0 when a time is unreadable.
qint64 between(const TARecord &from, const TARecord &to)
{
    const int a = timeTenths(fieldText(from.szTime));
    const int b = timeTenths(fieldText(to.szTime));
    if (a < 0 || b < 0)
        return 0;
    return b >= a ? b - a : b + kTenthsPerDay - a;
}

QString tenthsText(qint64 tenths)
{
    return QString::asprintf("%lld:%02lld:%02lld.%lld", tenths / 36000, tenths / 600 % 60, tenths / 10 % 60,
                             tenths % 10);
}

QString valueText(const ReadingBuffer &buffer, qsizetype index)
{
    const TARecord &r = buffer.at(index);
    const LabelStyle style = labelStyleFor(r.iFunction);
    return QString::fromLatin1(exportNumber(r.fReading)) + QStringLiteral(" (") + fieldText(r.szDisplay) +
           QLatin1Char(' ') + labelText(fieldText(r.szPrefix), style.prefixFace) +
           labelText(fieldText(r.szUnit), style.unitFace) + QStringLiteral(") ") + fieldText(r.szTime).trimmed();
}
} // namespace

int timeTenths(const QString &szTime)
{
    int h = 0, m = 0, s = 0, t = 0;
    const QByteArray text = szTime.trimmed().toLatin1();
    if (std::sscanf(text.constData(), "%d:%d:%d.%d", &h, &m, &s, &t) != 4 || h < 0 || h > 23 || m < 0 || m > 59 ||
        s < 0 || s > 59 || t < 0 || t > 9)
        return -1;
    return ((h * 60 + m) * 60 + s) * 10 + t;
}

double ReadingStats::deviation() const
{
    return count > 1 ? std::sqrt(m2 / double(count - 1)) : 0.0;
}

void ReadingStats::add(qsizetype index, float value, bool above, bool below)
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
    if (later.count == 0)
        return;
    if (count == 0) {
        const qint64 keepAbove = aboveTenths, keepBelow = belowTenths;
        const qsizetype keepAboveCount = aboveCount, keepBelowCount = belowCount;
        *this = later;
        aboveTenths = keepAbove;
        belowTenths = keepBelow;
        aboveCount = keepAboveCount;
        belowCount = keepBelowCount;
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

ReadingStats walkStats(const ReadingBuffer &buffer, qsizetype first, qsizetype count, const StatsLimits &limits)
{
    ReadingStats s;
    const qsizetype end = std::min(buffer.count(), first + count);
    for (qsizetype j = std::max<qsizetype>(first, 0); j < end; ++j) {
        const TARecord &r = buffer.at(j);
        if (!std::isfinite(r.fReading))
            continue;
        bool above = false, below = false;
        judge(r, limits, above, below);
        s.add(j, r.fReading, above, below);
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
    if (std::isfinite(r.fReading)) {
        bool above = false, below = false;
        judge(r, limits_, above, below);
        blocks_[block].add(index, r.fReading, above, below);
        whole_.add(index, r.fReading, above, below);
    }
    // The reading before this one lay until now.
    if (index > 0) {
        const TARecord &previous = buffer.at(index - 1);
        if (std::isfinite(previous.fReading)) {
            bool above = false, below = false;
            judge(previous, limits_, above, below);
            if (above || below) {
                const qint64 d = between(previous, r);
                ReadingStats &b = blocks_[std::size_t((index - 1) / kStatsBlock)];
                (above ? b.aboveTenths : b.belowTenths) += d;
                (above ? whole_.aboveTenths : whole_.belowTenths) += d;
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

QStringList statsLines(const ReadingBuffer &buffer, const ReadingStats &s, const StatsLimits &limits)
{
    QStringList lines;
    lines << LoadStr(id::Readings) + QString::number(s.count);
    if (s.count == 0)
        return lines;
    lines << LoadStr(id::First) + fieldText(buffer.at(s.firstIndex).szTime).trimmed();
    lines << LoadStr(id::Last) + fieldText(buffer.at(s.lastIndex).szTime).trimmed();
    lines << LoadStr(id::Minimum) + valueText(buffer, s.minIndex);
    lines << LoadStr(id::Maximum) + valueText(buffer, s.maxIndex);
    lines << LoadStr(id::Mean) + QString::number(s.mean, 'g', 9);
    lines << LoadStr(id::Deviation) + QString::number(s.deviation(), 'g', 7);
    if (limits.valid()) {
        lines << LoadStr(id::Above).arg(floatToText(limits.high)).arg(s.aboveCount).arg(tenthsText(s.aboveTenths));
        lines << LoadStr(id::Below).arg(floatToText(limits.low)).arg(s.belowCount).arg(tenthsText(s.belowTenths));
    } else {
        lines << LoadStr(id::None);
    }
    return lines;
}

} // namespace orvel
