#pragma once
// How the recorder and the graph viewer set up their charts.

#include <QColor>

namespace orvel {

class PEGraph;

/// The recorder's chart: black background, purple dotted grid, a silver line,
/// 200 empty points, the Y range ±100, then a redraw.
void setUpRecorderChart(PEGraph &g, const QColor &buttonFace);

/// The viewer's chart: white background, a blue line; loaded later.
void setUpViewerChart(PEGraph &g, const QColor &buttonFace);

} // namespace orvel
