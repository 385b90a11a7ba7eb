#pragma once
// What the chart shows, apart from how it is painted: one line of points with
// values and labels, the null value, the Y range, the titles, the cursor and the
// zoom stack. Pure data and rules; no painting.

#include "chart/ChartScale.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace orvel {

/// How the Y range is chosen: from the data, or fixed by the caller (one or both limits).
enum ScaleControl { gNormal = 0, gManualMin = 1, gManualMax = 2, gManualMinAndMax = 3 };

/// Which points the unzoomed chart shows when fewer are to be graphed than there are.
enum PointsToGraphInit { gFirst = 0, gLast = 1 };

/// Decimal places of the Y values.
enum DataPrecision { gNoDecimals = 0, gOneDecimal = 1, gTwoDecimals = 2, gThreeDecimals = 3 };

/// What dragging a rectangle over the chart zooms.
enum Zooming { gNoZooming = 0, gHorzZooming = 1, gVertZooming = 2, gHorzPlusVertZooming = 3 };

/// Largest number of points the chart takes (far above the viewer's 5120).
inline constexpr int kMaxChartPoints = 1 << 20;

/// A note on a point: a thin line through it and its text at the graph's top.
struct ChartMark
{
    int point = 0;
    QString text;

    bool operator==(const ChartMark &) const = default;
};

/// The content set by the chart's callers.
struct ChartData
{
    QList<float> values; ///< Y value of each point (single precision, as the callers store readings)
    QStringList labels;  ///< X label of each point, the reading's time text
    double nullValue = -99999.0;
    int maxPointsToGraph = 0;
    int pointsToGraph = 0;
    PointsToGraphInit pointsToGraphInit = gLast;
    ScaleControl scaleControl = gNormal;
    double manualMinY = 0.0;
    double manualMaxY = 1.0;
    QString mainTitle;
    QString subTitle;
    QString xAxisLabel;
    QString yAxisLabel;
    QString maxDataString;        ///< template of the widest Y label; the chart keeps room for it
    QString maxPointLabel;        ///< template of the widest point label; the chart keeps room for it
    int decimals = 3;             ///< decimal places of Y values
    std::vector<ChartMark> marks; ///< in the order of their points

    int points() const { return static_cast<int>(values.size()); }
    /// Sets the number of points; new points are null with an empty label (marks beyond them go).
    void setPoints(int count);
    /// Out-of-range indexes are ignored.
    void setValue(int index, float value);
    void setLabel(int index, const QString &label);
    float value(int index) const;
    QString label(int index) const;
    bool isNull(int index) const;
    /// One value and label join at the right end; every point moves one place left and the
    /// first drops off, so the number of points stays the same. Marks move with their points.
    void appendPoint(float value, const QString &label);
};

/// A zoomed view: points first..last and, when the zoom was vertical too, a Y range.
struct ZoomWindow
{
    int first = 0;
    int last = 0;
    std::optional<ValueRange> y; ///< none: the Y range follows the unzoomed one
    bool operator==(const ZoomWindow &) const = default;
};

class ChartModel
{
public:
    const ChartData &data() const { return data_; }
    /// New content. The cursor keeps its point index and the zoom its window, both brought
    /// within the new points; a zoom window that no longer fits is dropped.
    void setData(const ChartData &data);

    // ---- the unzoomed view
    /// Points shown when not zoomed: PointsToGraph of them (at most MaxPointsToGraph and Points),
    /// the first or the last ones. baseLast() < baseFirst() when there are none.
    int baseFirst() const;
    int baseLast() const;
    /// The Y range when not zoomed vertically: the manual limits or the data's extent.
    ValueRange baseYRange() const;

    // ---- the view in force
    int firstShown() const;
    int lastShown() const;
    ValueRange yRange() const;
    bool hasPointsShown() const { return lastShown() >= firstShown(); }

    // ---- cursor
    int cursorPoint() const { return cursor_; }
    /// Puts the cursor on `point`, clamped to the points; true when it moved.
    bool setCursorPoint(int point);
    /// Moves the cursor by `delta` points within the points shown; true when it moved.
    bool moveCursor(int delta);
    /// The cursor to the first or last point shown; true when it moved.
    bool cursorToFirstShown();
    bool cursorToLastShown();

    // ---- zoom
    /// Zooms into `window` (clamped to the unzoomed points); false when it would show fewer than
    /// two points, an empty Y range, or nothing new.
    bool zoomIn(ZoomWindow window);
    /// Back to the unzoomed view.
    void undoZoom();
    bool isZoomed() const { return !zoom_.empty(); }
    int zoomDepth() const { return static_cast<int>(zoom_.size()); }

    /// The zoom for a rectangle selected in pixels over the plot whose axes are given; `mode` says
    /// which directions zoom. A rectangle narrower than `minSize` pixels does not zoom that way.
    /// Nothing when the selection zooms in no direction.
    std::optional<ZoomWindow> zoomForSelection(const QRectF &selection, const IndexAxis &x, const ValueAxis &y,
                                               Zooming mode, double minSize) const;

private:
    std::optional<ZoomWindow> fitted(ZoomWindow window) const;
    void clampCursor();

    ChartData data_;
    int cursor_ = 0;
    std::vector<ZoomWindow> zoom_;
};

} // namespace orvel
