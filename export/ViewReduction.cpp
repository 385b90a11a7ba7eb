#include "export/ViewReduction.h"

#include <algorithm>
#include <cmath>

namespace orvel {

ViewReducer::ViewReducer(ViewReduction &out, qsizetype n, std::vector<TARecord> *chosen)
    : out_(out)
    , chosen_(chosen)
    , n_(n)
    , step_(std::max<qsizetype>(1, reductionStep(n)))
    , blockEnd_(std::min(step_, n))
{
    out_.indexes.clear();
    out_.indexes.reserve(std::size_t(2 * ((n + step_ - 1) / step_)));
    out_.maxPosition = 0;
    out_.minPosition = 0;
    if (chosen_) {
        chosen_->clear();
        chosen_->reserve(out_.indexes.capacity());
    }
}

void ViewReducer::take(const TARecord *records, qsizetype count, qsizetype first)
{
    for (qsizetype k = 0; k < count && first + k < n_;) {
        const qsizetype upTo = std::min(count, blockEnd_ - first); // this run's readings in the block
        float hiValue = hi_ < 0 ? 0.0f : hiRecord_.fReading;
        float loValue = lo_ < 0 ? 0.0f : loRecord_.fReading;
        qsizetype hi = -1, lo = -1; // positions in this run
        for (; k < upTo; ++k) {
            const float v = records[k].fReading;
            if (!std::isfinite(v))
                continue; // a damaged reading is never an extreme
            if (hi_ < 0 && hi < 0) {
                hi = lo = k;
                hiValue = loValue = v;
            } else if (v > hiValue) {
                hi = k;
                hiValue = v;
            } else if (v < loValue) {
                lo = k;
                loValue = v;
            }
        }
        if (hi >= 0) {
            hi_ = first + hi;
            hiRecord_ = records[hi];
        }
        if (lo >= 0) {
            lo_ = first + lo;
            loRecord_ = records[lo];
        }
        if (first + k == blockEnd_)
            endBlock();
    }
}

void ViewReducer::endBlock()
{
    if (hi_ >= 0) {
        const bool hiFirst = hi_ <= lo_;
        out_.indexes.push_back(hiFirst ? hi_ : lo_);
        out_.indexes.push_back(hiFirst ? lo_ : hi_);
        if (chosen_) {
            chosen_->push_back(hiFirst ? hiRecord_ : loRecord_);
            chosen_->push_back(hiFirst ? loRecord_ : hiRecord_);
        }
    }
    hi_ = lo_ = -1;
    blockEnd_ = std::min(blockEnd_ + step_, n_);
}

void ViewReducer::finish(qsizetype maxIndex, qsizetype minIndex)
{
    if (hi_ >= 0)
        endBlock();
    // The last point that shows an extreme, or, when an equal reading earlier
    // in its block was chosen instead, the nearest point.
    auto position = [this](qsizetype index) {
        const auto after = std::upper_bound(out_.indexes.begin(), out_.indexes.end(), index);
        if (after != out_.indexes.begin() && *(after - 1) == index)
            return int(after - out_.indexes.begin()) - 1;
        return nearestPosition(out_.indexes, index);
    };
    out_.maxPosition = position(maxIndex);
    out_.minPosition = position(minIndex);
}

void reduceReadings(std::span<const TARecord> readings, qsizetype maxIndex, qsizetype minIndex, ViewReduction &out)
{
    ViewReducer reducer(out, qsizetype(readings.size()));
    reducer.take(readings.data(), qsizetype(readings.size()), 0);
    reducer.finish(maxIndex, minIndex);
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
