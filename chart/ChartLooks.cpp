#include "chart/ChartLooks.h"

#include "resources/Strings.h"

#include <algorithm>

namespace orvel {

namespace {
constexpr int kMainTitle = 2030; // "Data Logger"
constexpr int kYAxis = 2031;     // "Reading"
constexpr int kXAxis = 2032;     // "Time"
const QString kWidestValue = QStringLiteral("00000000.000");
const QString kWidestLabel = QStringLiteral("00:00:00.000");

ChartData commonData()
{
    ChartData d;
    d.mainTitle = LoadStr(kMainTitle);
    d.yAxisLabel = LoadStr(kYAxis);
    d.xAxisLabel = LoadStr(kXAxis);
    d.nullValue = kChartNull;
    d.maxDataString = kWidestValue;
    d.maxPointLabel = kWidestLabel;
    d.decimals = gThreeDecimals;
    d.scaleControl = gManualMinAndMax;
    d.pointsToGraphInit = gLast;
    return d;
}

ChartStyle commonStyle(const QColor &buttonFace)
{
    ChartStyle s;
    s.deskColor = buttonFace;
    s.plottingMethod = gLine;
    s.pointSize = gLargePoints;
    s.gridLines = gYPlusXAxis;
    s.gridStyle = gDot;
    s.cursorMode = gVertLine;
    return s;
}
} // namespace

ChartData recorderChartData()
{
    ChartData d = commonData();
    d.manualMaxY = 100.0;
    d.manualMinY = -100.0;
    return d;
}

ChartStyle recorderChartStyle(const QColor &buttonFace)
{
    ChartStyle s = commonStyle(buttonFace);
    s.graphBackColor = Qt::black;
    s.graphForeColor = QColor(0x80, 0x00, 0x80);
    s.subsetColor = QColor(0xC0, 0xC0, 0xC0);
    s.lineType = gThinSolid;
    return s;
}

ChartData viewerChartData()
{
    return commonData();
}

ChartStyle viewerChartStyle(const QColor &buttonFace)
{
    ChartStyle s = commonStyle(buttonFace);
    s.graphBackColor = Qt::white;
    s.graphForeColor = buttonFace;
    s.subsetColor = Qt::blue;
    s.lineType = gMediumThinSolid;
    return s;
}

void setShownPoints(ChartData &chart, int n)
{
    chart.setPoints(n);
    chart.maxPointsToGraph = std::clamp(n, 0, kMaxChartPoints);
    chart.pointsToGraph = chart.maxPointsToGraph;
}

} // namespace orvel
