#include "export/ViewReduction.h"

#include <algorithm>
#include <cmath>

namespace orvel {

void reduceReadings(std::span<const TARecord> readings, qsizetype maxIndex, qsizetype minIndex, ViewReduction &out)
{
    out.indexes.clear();
    out.maxPosition = 0;
    out.minPosition = 0;
    const qsizetype n = qsizetype(readings.size());
    const qsizetype step = std::max<qsizetype>(1, reductionStep(n));
    out.indexes.reserve(std::size_t(2 * ((n + step - 1) / step)));

    bool maxListed = false;
    bool minListed = false;
    const TARecord *const records = readings.data();
    for (qsizetype r = 0; r < n; r += step) {
        const qsizetype end = std::min(r + step, n);
        qsizetype hi = -1;
        qsizetype lo = -1;
        float hiValue = 0.0f;
        float loValue = 0.0f;
        for (qsizetype i = r; i < end; ++i) {
            const float v = records[i].fReading;
            if (!std::isfinite(v))
                continue; // a damaged reading is never an extreme
            if (hi < 0) {
                hi = lo = i;
                hiValue = loValue = v;
            } else if (v > hiValue) {
                hi = i;
                hiValue = v;
            } else if (v < loValue) {
                lo = i;
                loValue = v;
            }
        }
        if (hi < 0)
            continue;
        for (const qsizetype index : {std::min(hi, lo), std::max(hi, lo)}) {
            out.indexes.push_back(index);
            const int position = int(out.indexes.size()) - 1;
            if (index == maxIndex) {
                out.maxPosition = position;
                maxListed = true;
            }
            if (index == minIndex) {
                out.minPosition = position;
                minListed = true;
            }
        }
    }
    // An equal reading earlier in the block was chosen: jump to the nearest point instead.
    if (!maxListed)
        out.maxPosition = nearestPosition(out.indexes, maxIndex);
    if (!minListed)
        out.minPosition = nearestPosition(out.indexes, minIndex);
}

int nearestPosition(const std::vector<qsizetype> &indexes, qsizetype index)
{
    if (indexes.empty())
        return 0;
    const auto after = std::lower_bound(indexes.begin(), indexes.end(), index);
    if (after == indexes.begin())
        return 0;
    if (after == indexes.end())
        return int(indexes.size()) - 1;
    const auto before = after - 1;
    return int((index - *before <= *after - index ? before : after) - indexes.begin());
}

std::pair<qsizetype, qsizetype> viewReadings(qsizetype n, const std::vector<qsizetype> &indexes, int firstPoint,
                                             int lastPoint)
{
    if (n <= 0 || lastPoint < firstPoint || firstPoint < 0)
        return {0, std::max<qsizetype>(n, 0)};
    if (!viewIsReduced(n)) {
        const qsizetype first = std::min<qsizetype>(firstPoint, n);
        return {first, std::min<qsizetype>(lastPoint, n - 1) - first + 1};
    }
    if (indexes.empty() || lastPoint >= qsizetype(indexes.size()))
        return {0, n};
    // A reduced point stands for its block: from the first point's block to the last point's.
    const qsizetype step = reductionStep(n);
    const qsizetype from = indexes[std::size_t(firstPoint)] / step * step;
    const qsizetype to = std::min(n, (indexes[std::size_t(lastPoint)] / step + 1) * step);
    return {from, to - from};
}

} // namespace orvel
