#pragma once
// How the recorder's and the graph viewer's charts look, as chart content
// without points (titles, null value, label templates, decimals, Y-range
// control) and a style. The windows set their charts up from them
// (chart/ChartSetup.h), and orvel-cli plot draws with them.

#include "chart/ChartModel.h"
#include "chart/ChartPainter.h"

#include <QColor>

namespace orvel {

/// The null value of both charts: a point without a reading.
inline constexpr double kChartNull = -99999.0;

/// The recorder's chart: titles, three decimals, a manual Y range (±100 until
/// a reading sets it), the newest points shown; no points yet.
ChartData recorderChartData();
/// Black background, purple dotted grid, a silver line, large points.
ChartStyle recorderChartStyle(const QColor &buttonFace);

/// The viewer's chart: as the recorder's, no points yet.
ChartData viewerChartData();
/// White background, grid and frame in the button face, a blue line 1.5 px wide.
ChartStyle viewerChartStyle(const QColor &buttonFace);

/// `n` points, every one of them shown (the points keep their values and labels).
void setShownPoints(ChartData &chart, int n);

} // namespace orvel
