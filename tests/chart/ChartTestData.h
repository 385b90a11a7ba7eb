#pragma once
// Data for the chart's tests: readings with the recorder's time texts, the
// recorder's and the viewer's chart set-up, and the folder for exported files.

#include "chart/PEGraph.h"

#include <QColor>
#include <QDir>
#include <QImage>
#include <QString>

#include <cmath>

namespace orvel::test {

/// test-output/chart of the build tree, created on first use.
inline QString chartOutputDir()
{
    const QString dir = QStringLiteral(ORVEL_CHART_TEST_OUTPUT);
    QDir().mkpath(dir);
    return dir;
}

inline QString chartOutputPath(const QString &name)
{
    return chartOutputDir() + QLatin1Char('/') + name;
}

/// Time text of reading i, half a second apart from 9:05:00.0, as the recorder stores it.
inline QString demoTime(int i)
{
    const int tenths = 9 * 36000 + 5 * 600 + i * 5;
    return QString::asprintf("  %d:%02d:%02d.%d  ", tenths / 36000, tenths / 600 % 60, tenths / 10 % 60, tenths % 10);
}

/// A reading in volts: a slow swing with a ripple on it.
inline float demoValue(int i)
{
    return static_cast<float>(40.0 * std::sin(i / 30.0) + 6.0 * std::sin(i * 0.7) + 10.0);
}

/// n readings, the Y range fixed to lo..hi.
inline ChartData demoData(int n, double lo = -100.0, double hi = 100.0)
{
    ChartData d;
    d.setPoints(n);
    d.maxPointsToGraph = n;
    d.pointsToGraph = n;
    for (int i = 0; i < n; ++i) {
        d.setValue(i, demoValue(i));
        d.setLabel(i, demoTime(i));
    }
    d.scaleControl = gManualMinAndMax;
    d.manualMinY = lo;
    d.manualMaxY = hi;
    d.mainTitle = QStringLiteral("Data Logger");
    d.yAxisLabel = QStringLiteral("Reading(V)");
    d.xAxisLabel = QStringLiteral("Time");
    d.maxDataString = QStringLiteral("00000000.000");
    d.maxPointLabel = QStringLiteral("00:00:00.000");
    return d;
}

/// The recorder's chart set-up at window creation, with 200 empty points.
inline void setUpRecorderChart(PEGraph &g, const QColor &buttonFace)
{
    g.SetMainTitle(QStringLiteral("Data Logger"));
    g.SetSubTitle(QString());
    g.SetYAxisLabel(QStringLiteral("Reading"));
    g.SetXAxisLabel(QStringLiteral("Time"));
    g.SetNullDataValue(-99999.0);
    g.SetSubsets(1);
    g.SetPoints(200);
    g.SetMaxPointsToGraph(200);
    g.SetPointsToGraph(200);
    g.SetSubsetLineTypes(0, gThinSolid);
    g.SetPlottingMethod(gLine);
    g.SetManualMaxDataString(QStringLiteral("00000000.000"));
    g.SetManualMaxPointLabel(QStringLiteral("00:00:00.000"));
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
    g.SetPointLabels(199, QStringLiteral(" "));
    for (int i = 0; i < 200; ++i)
        g.SetYData(0, i, -99999.0f);
    g.SetGridLineControl(gYPlusXAxis);
    g.SetCursorMode(gVertLine);
    g.SetMouseCursorControl(true);
    g.SetCursorPromptStyle(gNoPrompt);
    g.SetGridStyle(gDot);
    g.SetAllowZooming(gHorzPlusVertZooming);
    g.SetPrepareImages(true);
    g.SetPEnarg1(0);
    g.SetPEnarg2(0);
    g.SetPEactions(gReinitAndReset);
}

/// The viewer's chart set-up.
inline void setUpViewerChart(PEGraph &g, const QColor &buttonFace)
{
    g.SetMainTitle(QStringLiteral("Data Logger"));
    g.SetSubTitle(QString());
    g.SetYAxisLabel(QStringLiteral("Reading"));
    g.SetXAxisLabel(QStringLiteral("Time"));
    g.SetDeskColor(buttonFace);
    g.SetGraphForeColor(buttonFace);
    g.SetGraphBackColor(Qt::white);
    g.SetSubsetColors(0, Qt::blue);
    g.SetPlottingMethod(gLine);
    g.SetSubsetLineTypes(0, 9);
    g.SetManualMaxDataString(QStringLiteral("00000000.000"));
    g.SetManualMaxPointLabel(QStringLiteral("00:00:00.000"));
    g.SetDataPrecision(gThreeDecimals);
    g.SetNullDataValue(-99999.0);
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

/// Loads n demonstration readings the way the recorder and the viewer do, then redraws.
inline void loadReadings(PEGraph &g, int n, double lo, double hi)
{
    g.SetSubsets(1);
    g.SetPoints(n);
    g.SetMaxPointsToGraph(n);
    g.SetPointsToGraph(n);
    g.SetManualMaxY(hi);
    g.SetManualMinY(lo);
    for (int i = 0; i < n; ++i) {
        g.SetYData(0, i, demoValue(i));
        g.SetPointLabels(i, demoTime(i));
    }
    g.SetPEnarg1(0);
    g.SetPEnarg2(0);
    g.SetPEactions(gReinitAndReset);
}

/// True when the pixel is a shade of grey (no colour).
inline bool isGrey(QRgb p)
{
    return qRed(p) == qGreen(p) && qGreen(p) == qBlue(p);
}

} // namespace orvel::test
