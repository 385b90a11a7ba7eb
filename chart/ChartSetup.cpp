#include "chart/ChartSetup.h"

#include "chart/ChartLooks.h"
#include "chart/PEGraph.h"

#include <cmath>

namespace orvel {

namespace {
constexpr int kPoints = 200;

// The looks of `data` and `style` as pending properties of `g`.
void setLooks(PEGraph &g, const ChartData &data, const ChartStyle &style)
{
    g.SetMainTitle(data.mainTitle);
    g.SetSubTitle(data.subTitle);
    g.SetYAxisLabel(data.yAxisLabel);
    g.SetXAxisLabel(data.xAxisLabel);
    g.SetNullDataValue(data.nullValue);
    g.SetManualMaxDataString(data.maxDataString);
    g.SetManualMaxPointLabel(data.maxPointLabel);
    g.SetDataPrecision(DataPrecision(data.decimals));
    g.SetManualScaleControlY(data.scaleControl);
    g.SetPointsToGraphInit(data.pointsToGraphInit);
    g.SetDeskColor(style.deskColor);
    g.SetGraphBackColor(style.graphBackColor);
    g.SetGraphForeColor(style.graphForeColor);
    g.SetSubsetColors(0, style.subsetColor);
    g.SetSubsetLineTypes(0, style.lineType);
    g.SetPlottingMethod(style.plottingMethod);
    g.SetPointSize(style.pointSize);
    g.SetGridLineControl(style.gridLines);
    g.SetGridStyle(style.gridStyle);
    g.SetCursorMode(style.cursorMode);
}

// What both charts do on the screen: a cursor the mouse and keys move, zooming.
void setInteraction(PEGraph &g)
{
    g.SetNoStackedData(true);
    g.SetAllowHistogram(false);
    g.SetAllowDataHotSpots(true);
    g.SetMouseCursorControl(true);
    g.SetCursorPromptStyle(gNoPrompt);
    g.SetAllowZooming(gHorzPlusVertZooming);
}
} // namespace

void setUpRecorderChart(PEGraph &g, const QColor &buttonFace)
{
    const ChartData looks = recorderChartData();
    setLooks(g, looks, recorderChartStyle(buttonFace));
    g.SetSubsets(1);
    setPointCount(g, kPoints);
    g.SetManualMaxY(looks.manualMaxY);
    g.SetManualMinY(looks.manualMinY);
    g.SetPointLabels(kPoints - 1, QStringLiteral(" "));
    for (int i = 0; i < kPoints; ++i)
        g.SetYData(0, i, float(kChartNull));
    setInteraction(g);
    g.SetPrepareImages(true);
    redraw(g);
}

void setUpViewerChart(PEGraph &g, const QColor &buttonFace)
{
    setLooks(g, viewerChartData(), viewerChartStyle(buttonFace));
    setInteraction(g);
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
    g.SetYData(0, point, std::isfinite(value) ? value : float(kChartNull));
    g.SetPointLabels(point, label);
}

void setEmptyPoint(PEGraph &g, int point)
{
    g.SetYData(0, point, float(kChartNull));
    g.SetPointLabels(point, QStringLiteral(" "));
}

void redraw(PEGraph &g)
{
    g.SetPEnarg1(0);
    g.SetPEnarg2(0);
    g.SetPEactions(gReinitAndReset);
}

} // namespace orvel
