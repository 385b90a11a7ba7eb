#pragma once
// Pure arithmetic of the chart: Y ranges and tick steps, the texts of values,
// thinning of point labels, the mapping between point index or value and
// pixel, and the line pieces that are drawn. No painting and no widgets here.

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <span>
#include <vector>

namespace orvel {

/// A closed range of values, min < max once normalised.
struct ValueRange
{
    double min = 0.0;
    double max = 1.0;

    double span() const { return max - min; }
    bool operator==(const ValueRange &) const = default;
};

/// A range the chart can draw: finite limits in ascending order and a width above zero.
/// Reversed limits are swapped; an empty range is widened around its value.
ValueRange normalizedRange(double lo, double hi);

/// Evenly spaced tick values first, first + step, … (count of them), all within a range.
struct TickSet
{
    double first = 0.0;
    double step = 1.0;
    int count = 0;

    double at(int k) const;
};

/// Ticks at whole multiples of a 1-2-5 step (…, 0.1, 0.2, 0.5, 1, 2, 5, 10, …) inside `range`,
/// at most `maxCount` of them (at least 2 are allowed for). The step is never finer than the
/// last shown decimal place, so no two tick texts read the same.
TickSet niceTicks(ValueRange range, int maxCount, int decimals);

/// `range` widened outwards to whole multiples of its 1-2-5 tick step (automatic Y scale).
ValueRange niceRange(ValueRange range, int maxCount, int decimals);

/// Text of a Y value: fixed point with `decimals` places ("12.500" for three), no "-0.000";
/// magnitudes of a thousand million and more in exponent form so that the text stays short,
/// with as many digits as tell values `step` apart.
QString formatValue(double value, int decimals, double step = 0.0);

/// Smallest stride of the series 1, 2, 5, 10, 20, 50, … at which labels `labelWidth` wide, centred
/// on points `spacing` apart, keep at least `gap` between neighbours.
int labelStride(double spacing, double labelWidth, double gap);

/// The horizontal extent of one candidate label.
struct LabelBox
{
    int index = 0;
    double left = 0.0;
    double right = 0.0;
};

/// Of the candidate labels (left to right), those that can be shown: each lies within
/// [minX, maxX] and keeps at least `gap` to the one kept before it. Returns their indexes.
QList<int> keepApartLabels(std::span<const LabelBox> boxes, double gap, double minX, double maxX);

/// Maps point indexes first..last onto the pixels left..left + width: the first point on the
/// left edge, the last on the right edge, a single point in the middle.
class IndexAxis
{
public:
    IndexAxis() = default;
    IndexAxis(int first, int last, double left, double width);

    int first() const { return first_; }
    int last() const { return last_; }
    double left() const { return left_; }
    double width() const { return width_; }
    /// Pixels between neighbouring points (the whole width for a single point).
    double spacing() const;

    double toPixel(double index) const;
    /// The (fractional) index at pixel x.
    double toIndex(double x) const;
    /// The point nearest to pixel x, within first..last.
    int nearestIndex(double x) const;

private:
    int first_ = 0;
    int last_ = 0;
    double left_ = 0.0;
    double width_ = 0.0;
};

/// Maps values of a range onto pixels, the range's maximum at `top`, its minimum at `top + height`.
class ValueAxis
{
public:
    ValueAxis() = default;
    ValueAxis(ValueRange range, double top, double height);

    ValueRange range() const { return range_; }
    double toPixel(double value) const;
    double toValue(double y) const;

private:
    ValueRange range_;
    double top_ = 0.0;
    double height_ = 0.0;
};

/// Clips the segment a–b to `rect` (edges included). False when no part of it is inside.
bool clipSegment(QPointF &a, QPointF &b, const QRectF &rect);

/// Consecutive drawable points first..last (inclusive).
struct IndexRun
{
    int first = 0;
    int last = 0;
    bool operator==(const IndexRun &) const = default;
};

/// True when the value of a point is not drawn: it equals the null value or is not a finite number.
bool isNullPoint(float value, double nullValue);

/// The runs of drawable points among values[first..last]; a null point ends a run, so the
/// line breaks there. Limits outside the values are clamped.
std::vector<IndexRun> drawableRuns(std::span<const float> values, int first, int last, double nullValue);

/// Pieces of the polyline through `points` that lie inside `rect`; the line is cut where it
/// leaves the rectangle and resumes where it comes back.
std::vector<std::vector<QPointF>> clipPolyline(std::span<const QPointF> points, const QRectF &rect);

} // namespace orvel
