#pragma once
// Painting of the chart. One routine, paintChart, lays the chart out from its
// target rectangle and paints it onto any QPainter: the screen, a QImage, a
// metafile, an SVG or PDF picture, a printer page. Every output shows the
// same picture; a style flag leaves the cursor out of print-outs and pictures.

#include "chart/ChartModel.h"
#include "chart/ChartScale.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QPen>
#include <QRectF>
#include <QString>

#include <vector>

class QPainter;
class QPaintDevice;
class QRegion;

namespace orvel {

/// Colours as set, or black, white and greys only.
enum ViewingStyle { gColor = 0, gMonochrome = 1 };

/// How the subset is drawn: a line, a point at each value, or both.
enum PlottingMethod { gLine = 0, gPoints = 1, gPointsPlusLine = 2 };

/// Diameter of the point marks (also used for a reading that stands alone between null points).
enum PointSize { gMicroPoints = 0, gSmallPoints = 1, gMediumPoints = 2, gLargePoints = 3 };

/// Which grid lines are drawn: at the Y ticks, at the labelled points, or both.
enum GridLineControl { gNoGrid = 0, gYAxis = 1, gXAxis = 2, gYPlusXAxis = 3 };

enum GridStyle { gThin = 0, gThick = 1, gDot = 2, gDash = 3 };

/// The point cursor: none, or a vertical line through the cursor point.
enum CursorMode { gNoCursor = 0, gVertLine = 1 };

/// The cursor shows no text of its own; callers show the reading under it themselves.
enum CursorPromptStyle { gNoPrompt = 0 };

/// Line types of the subset (widths at 96 dots per inch; wider on finer devices).
enum LineType {
    gThinSolid = 0,       ///< 1 px solid
    gDashLine = 1,        ///< 1 px dashed
    gDotLine = 2,         ///< 1 px dotted
    gDashDotLine = 3,     ///< 1 px dash-dot
    gDashDotDotLine = 4,  ///< 1 px dash-dot-dot
    gMediumSolid = 5,     ///< 2 px solid
    gThickSolid = 6,      ///< 3 px solid
    gMediumDashLine = 7,  ///< 2 px dashed
    gMediumDotLine = 8,   ///< 2 px dotted
    gMediumThinSolid = 9, ///< 1.5 px solid
};

struct ChartStyle
{
    QColor deskColor{0xF0, 0xF0, 0xF0}; ///< around the graph: titles, labels
    QColor graphBackColor{Qt::white};   ///< inside the graph
    QColor graphForeColor{Qt::gray};    ///< grid and frame of the graph
    QColor subsetColor{Qt::blue};       ///< the line
    int lineType = gThinSolid;
    PlottingMethod plottingMethod = gLine;
    PointSize pointSize = gMediumPoints;
    GridLineControl gridLines = gYPlusXAxis;
    GridStyle gridStyle = gDot;
    ViewingStyle viewingStyle = gColor;
    CursorMode cursorMode = gVertLine;
    bool showCursor = true; ///< false for print-outs and exported pictures
    QString fontFamily;     ///< empty: the application's font

    bool operator==(const ChartStyle &) const = default;
};

/// The colours actually painted, after the viewing style and legibility rules.
struct ChartColors
{
    QColor desk;
    QColor back;
    QColor grid;
    QColor frame;
    QColor text; ///< titles and labels, on the desk
    QColor line;
    QColor cursor;
    QColor mark; ///< the marks' lines and texts
};

ChartColors chartColors(const ChartStyle &style);

/// The pen of a line type, `unit` device pixels to a pixel at 96 dots per inch.
QPen linePen(int lineType, const QColor &color, double unit);

/// A text placed by the layout.
struct PlacedLabel
{
    QRectF rect;
    QString text;

    bool operator==(const PlacedLabel &) const = default;
};

/// Where everything goes in a target rectangle.
struct ChartLayout
{
    QRectF target;
    double unit = 1.0;     ///< device pixels per pixel at 96 dots per inch
    double tickHeight = 0; ///< a line of the labels' font: the X and Y labels, the marks' texts
    bool hasPlot = false;  ///< false when the target is too small for a graph
    QRectF plot;           ///< the graph area
    IndexAxis x;           ///< point index ↔ pixel, for the points shown
    ValueAxis y;           ///< value ↔ pixel, for the Y range shown
    TickSet ticks;         ///< Y ticks
    int labelStride = 1;   ///< every how many points an X label may stand
    QList<int> gridPoints; ///< points with a vertical grid line
    std::vector<PlacedLabel> xLabels;
    std::vector<PlacedLabel> yLabels;
    QRectF mainTitle;
    QRectF subTitle;
    QRectF xAxisTitle;
    QRectF yAxisTitle; ///< the column of the rotated Y-axis title
};

/// Lays the chart out in `target` (device units of `device`; null: the screen).
ChartLayout layoutChart(const QRectF &target, const ChartModel &model, const ChartStyle &style,
                        const QPaintDevice *device);

/// Paints the chart into `target` on `painter`, laid out from the target alone.
/// The painter must not be scaled: `target` is in the device's own units.
/// It is paintChartBackground, then paintChartData.
void paintChart(QPainter &painter, const QRectF &target, const ChartModel &model, const ChartStyle &style);

/// The part of a painting that stays while readings come and go: the desk,
/// the titles, the graph's background, grid and frame, the Y labels and the
/// axis titles.
void paintChartBackground(QPainter &painter, const ChartLayout &layout, const ChartModel &model,
                          const ChartStyle &style);
/// The part painted over it anew for each reading: the X labels, the line and
/// the cursor. It paints nothing outside chartDataArea().
void paintChartData(QPainter &painter, const ChartLayout &layout, const ChartModel &model, const ChartStyle &style);
/// Where paintChartData paints (device units, whole pixels): the box of the
/// line with room for its width and its points, a column for the cursor and
/// each mark, the band of the marks' texts, and the band of the X labels.
QRegion chartDataArea(const ChartLayout &layout, const ChartModel &model, const ChartStyle &style);

/// What the background is painted from: two paintings with equal keys have
/// the same background pixels.
struct ChartBackgroundKey
{
    QRectF target;
    double unit = 1.0;
    QRectF plot;
    std::vector<PlacedLabel> yLabels;
    QList<int> gridPoints;
    QStringList titles; ///< main, sub, X-axis and Y-axis titles
    ChartStyle style;

    bool operator==(const ChartBackgroundKey &) const = default;
};
ChartBackgroundKey chartBackgroundKey(const ChartLayout &layout, const ChartModel &model, const ChartStyle &style);

} // namespace orvel
