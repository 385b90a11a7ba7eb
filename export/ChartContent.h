#pragma once
// What the graph viewer and the recorder's pages put in their charts: the
// readings as points with their time labels, and the marks on them. The viewer
// and orvel-cli plot fill their charts through these, so a picture of a
// recording shows what the viewer shows.

#include "chart/ChartModel.h"
#include "recorder/Marks.h"
#include "recorder/Pages.h"
#include "recorder/Tarecord.h"

#include <functional>
#include <vector>

namespace orvel {

/// The viewer's chart of `n` readings: `points` points, every one shown, point
/// i showing `reading(i)` (a value that is no number is left out of the line),
/// and the marks on readings 0 .. n − 1, each on its reading's point — when the
/// chart is reduced (viewIsReduced(n); `reducedIndexes` the reduction's list),
/// on the point nearest to it.
void setViewerPoints(ChartData &chart, int points, const std::function<const TARecord &(int)> &reading,
                     const MarkList &marks, qsizetype n, const std::vector<qsizetype> &reducedIndexes);

/// Page `page` as the recorder shows it: kPagePoints points, the page's empty
/// points first (no value, a blank label), then its readings, `reading(index)`
/// giving the one of buffer index `index`, and the marks on them.
void setPagePoints(ChartData &chart, const PageRange &page, const std::function<const TARecord &(qsizetype)> &reading,
                   const MarkList &marks);

} // namespace orvel
