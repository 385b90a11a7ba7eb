#pragma once
// Which readings the graph viewer draws. Up to 8191 readings it draws every
// one; from 8192 on it cuts the buffer into blocks of n / 2048 readings and
// draws only each block's largest and smallest reading, in buffer order, so the
// chart holds 4096 to 5120 points while every block's extremes stay visible.

#include "recorder/Tarecord.h"

#include <QtGlobal>

#include <span>
#include <utility>
#include <vector>

namespace orvel {

inline constexpr qsizetype kReduceFrom = 8192;      ///< readings from which the viewer reduces
inline constexpr qsizetype kReductionBlocks = 2048; ///< the block length is n / this

/// Whether `n` readings are drawn reduced.
inline bool viewIsReduced(qsizetype n)
{
    return n >= kReduceFrom;
}

/// Readings per block for `n` readings (reduced mode only).
inline qsizetype reductionStep(qsizetype n)
{
    return n / kReductionBlocks;
}

/// The reduced chart: point i shows buffer entry indexes[i].
struct ViewReduction
{
    std::vector<qsizetype> indexes; ///< buffer index of each chart point, never decreasing
    int maxPosition = 0;            ///< chart point of the recorder's largest reading
    int minPosition = 0;            ///< chart point of the recorder's smallest reading
};

/// The reduction a run of readings at a time, for readings that are not held
/// all at once (orvel-cli plot reads a file a block at a time); reduceReadings
/// runs it over its whole span. The runs may cut across the reduction's blocks.
class ViewReducer
{
public:
    /// Reduces `n` readings into `out` (overwritten; its memory reused); with
    /// `chosen`, a copy of the reading of each point goes there too.
    ViewReducer(ViewReduction &out, qsizetype n, std::vector<TARecord> *chosen = nullptr);

    /// The next `count` readings, the first of them buffer index `first`.
    void take(const TARecord *records, qsizetype count, qsizetype first);
    /// Ends the reduction (a block the readings stopped short in included)
    /// and places the recorder's extremes, as reduceReadings says.
    void finish(qsizetype maxIndex, qsizetype minIndex);

private:
    void endBlock();

    ViewReduction &out_;
    std::vector<TARecord> *chosen_;
    qsizetype n_;
    qsizetype step_;
    qsizetype blockEnd_;          ///< the index after the block being reduced
    qsizetype hi_ = -1, lo_ = -1; ///< the block's first largest and smallest so far
    TARecord hiRecord_, loRecord_;
};

/// Reduces `readings` (at least kReduceFrom of them) block by block: each
/// block gives the index of its first largest and its first smallest reading,
/// the smaller index first (the same index twice when they coincide). Readings
/// that are not finite numbers are never chosen; a block without a finite one
/// gives no point. `maxIndex` and `minIndex` (the recorder's extremes) are
/// found in the list — the last position that shows them — or, when an equal
/// reading earlier in their block was chosen instead, the position of the
/// nearest listed index. `out` is overwritten; its memory is reused.
void reduceReadings(std::span<const TARecord> readings, qsizetype maxIndex, qsizetype minIndex, ViewReduction &out);

/// Buffer indexes (first, count) of the readings behind chart points
/// firstPoint..lastPoint of a viewer chart over `n` readings: the points
/// themselves in full mode; in reduced mode every reading of the blocks the
/// points stand for (`indexes` is the reduction's list, empty in full mode).
std::pair<qsizetype, qsizetype> viewReadings(qsizetype n, const std::vector<qsizetype> &indexes, int firstPoint,
                                             int lastPoint);

/// The chart point whose listed index is nearest to `index` (the earlier one
/// when two are as near); 0 for an empty list. `indexes` must not decrease.
int nearestPosition(const std::vector<qsizetype> &indexes, qsizetype index);

} // namespace orvel
