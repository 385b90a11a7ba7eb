#include "chart/ChartSetup.h"

#include "chart/PEGraph.h"
#include "resources/Strings.h"

#include <cmath>

namespace orvel {

namespace {
constexpr int kMainTitle = 2030; // "Data Logger"
constexpr int kYAxis = 2031;     // "Reading"
constexpr int kXAxis = 2032;     // "Time"
constexpr int kPoints = 200;
constexpr double kNull = -99999.0;
const QString kWidestValue = QStringLiteral("00000000.000");
const QString kWidestLabel = QStringLiteral("00:00:00.000");
} // namespace

void setUpRecorderChart(PEGraph &g, const QColor &buttonFace)
{
    g.SetMainTitle(LoadStr(kMainTitle));
    g.SetSubTitle(QString());
    g.SetYAxisLabel(LoadStr(kYAxis));
    g.SetXAxisLabel(LoadStr(kXAxis));
    g.SetNullDataValue(kNull);
    g.SetSubsets(1);
    setPointCount(g, kPoints);
    g.SetSubsetLineTypes(0, gThinSolid);
    g.SetPlottingMethod(gLine);
    g.SetManualMaxDataString(kWidestValue);
    g.SetManualMaxPointLabel(kWidestLabel);
    g.SetDataPrecision(gThreeDecimals);
    g.SetDeskColor(buttonFace);
    g.SetGraphBackColor(Qt::black);
    g.SetGraphForeColor(QColor(0x80, 0x00, 0x80));
    g.SetSubsetColors(0, QColor(0xC0, 0xC0, 0xC0));
    g.SetManualScaleControlY(gManualMinAndMax);
    g.SetManualMaxY(100.0);
    g.SetManualMinY(-100.0);
    g.SetNoStackedData(true);
    g.SetAllowHistogram(false);
    g.SetAllowDataHotSpots(true);
    g.SetPointsToGraphInit(gLast);
    g.SetPointSize(gLargePoints);
    g.SetPointLabels(kPoints - 1, QStringLiteral(" "));
    for (int i = 0; i < kPoints; ++i)
        g.SetYData(0, i, float(kNull));
    g.SetGridLineControl(gYPlusXAxis);
    g.SetCursorMode(gVertLine);
    g.SetMouseCursorControl(true);
    g.SetCursorPromptStyle(gNoPrompt);
    g.SetGridStyle(gDot);
    g.SetAllowZooming(gHorzPlusVertZooming);
    g.SetPrepareImages(true);
    redraw(g);
}

void setUpViewerChart(PEGraph &g, const QColor &buttonFace)
{
    g.SetMainTitle(LoadStr(kMainTitle));
    g.SetSubTitle(QString());
    g.SetYAxisLabel(LoadStr(kYAxis));
    g.SetXAxisLabel(LoadStr(kXAxis));
    g.SetDeskColor(buttonFace);
    g.SetGraphForeColor(buttonFace);
    g.SetGraphBackColor(Qt::white);
    g.SetSubsetColors(0, Qt::blue);
    g.SetPlottingMethod(gLine);
    g.SetSubsetLineTypes(0, 9);
    g.SetManualMaxDataString(kWidestValue);
    g.SetManualMaxPointLabel(kWidestLabel);
    g.SetDataPrecision(gThreeDecimals);
    g.SetNullDataValue(kNull);
    g.SetManualScaleControlY(gManualMinAndMax);
    g.SetNoStackedData(true);
    g.SetAllowHistogram(false);
    g.SetAllowDataHotSpots(true);
    g.SetPointsToGraphInit(gLast);
    g.SetPointSize(gLargePoints);
    g.SetGridLineControl(gYPlusXAxis);
    g.SetCursorMode(gVertLine);
    g.SetMouseCursorControl(true);
    g.SetCursorPromptStyle(gNoPrompt);
    g.SetAllowZooming(gHorzPlusVertZooming);
    g.SetAllowPopup(false);
}

void setPointCount(PEGraph &g, int n)
{
    g.SetPoints(n);
    g.SetMaxPointsToGraph(n);
    g.SetPointsToGraph(n);
}

void setChartPoint(PEGraph &g, int point, float value, const QString &label)
{
    g.SetYData(0, point, std::isfinite(value) ? value : float(kNull));
    g.SetPointLabels(point, label);
}

void setEmptyPoint(PEGraph &g, int point)
{
    g.SetYData(0, point, float(kNull));
    g.SetPointLabels(point, QStringLiteral(" "));
}

void redraw(PEGraph &g)
{
    g.SetPEnarg1(0);
    g.SetPEnarg2(0);
    g.SetPEactions(gReinitAndReset);
}

} // namespace orvel
