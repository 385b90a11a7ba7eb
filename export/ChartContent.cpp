#include "export/ChartContent.h"

#include "chart/ChartLooks.h"
#include "export/ViewReduction.h"

#include <cmath>

namespace orvel {

namespace {
void setPoint(ChartData &chart, int point, const TARecord &r)
{
    chart.setValue(point, std::isfinite(r.fReading) ? r.fReading : float(chart.nullValue));
    chart.setLabel(point, fieldText(r.szTime));
}
} // namespace

void setViewerPoints(ChartData &chart, int points, const std::function<const TARecord &(int)> &reading,
                     const MarkList &marks, qsizetype n, const std::vector<qsizetype> &reducedIndexes)
{
    setShownPoints(chart, points);
    for (int i = 0; i < points; ++i)
        setPoint(chart, i, reading(i));
    const bool reduced = viewIsReduced(n);
    chart.marks.clear();
    for (const Mark &m : marks.all())
        if (m.index < n)
            chart.marks.push_back({reduced ? nearestPosition(reducedIndexes, m.index) : int(m.index), m.text});
}

void setPagePoints(ChartData &chart, const PageRange &page, const std::function<const TARecord &(qsizetype)> &reading,
                   const MarkList &marks)
{
    setShownPoints(chart, kPagePoints);
    for (int point = 0; point < kPagePoints; ++point) {
        const int k = point - page.emptyPoints;
        if (point < page.emptyPoints || k >= page.count) {
            chart.setValue(point, float(chart.nullValue));
            chart.setLabel(point, QStringLiteral(" "));
        } else {
            setPoint(chart, point, reading(page.first + k));
        }
    }
    chart.marks.clear();
    const auto [from, to] = marks.within(page.first, page.count);
    for (qsizetype p = from; p < to; ++p)
        chart.marks.push_back({page.emptyPoints + int(marks.at(p).index - page.first), marks.at(p).text});
}

} // namespace orvel
