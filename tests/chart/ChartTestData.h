#pragma once
// Data for the chart's tests: readings with the recorder's time texts, the
// recorder's and the viewer's chart set-up, and the folder for exported files.

#include "chart/ChartSetup.h"
#include "chart/PEGraph.h"

#include <QColor>
#include <QDir>
#include <QImage>
#include <QString>

#include <cmath>

namespace orvel::test {

/// test-output/chart of the build tree (tests/support/BuildPaths.cpp).
QString chartTestOutput();

/// test-output/chart of the build tree, created on first use.
inline QString chartOutputDir()
{
    const QString dir = chartTestOutput();
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

/// The recorder's and the viewer's chart set-up are the program's own.
using orvel::setUpRecorderChart;
using orvel::setUpViewerChart;

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
