#pragma once
// How the recorder and the graph viewer set up their charts.

#include <QColor>
#include <QString>

namespace orvel {

class PEGraph;

/// The recorder's chart: black background, purple dotted grid, a silver line,
/// 200 empty points, the Y range ±100, then a redraw.
void setUpRecorderChart(PEGraph &g, const QColor &buttonFace);

/// The viewer's chart: white background, a blue line; loaded later.
void setUpViewerChart(PEGraph &g, const QColor &buttonFace);

/// Makes the chart `n` points long, every one of them drawn.
void setPointCount(PEGraph &g, int n);
/// Point `point` of the line: `value` above the label `label`; a value that is
/// no number (a damaged file) is left out of the line.
void setChartPoint(PEGraph &g, int point, float value, const QString &label);
/// Point `point` without a reading: left out of the line, a blank label.
void setEmptyPoint(PEGraph &g, int point);
/// Takes the pending data and looks and redraws the chart at its own size.
void redraw(PEGraph &g);

} // namespace orvel
