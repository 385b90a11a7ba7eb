#include "chart/ChartModel.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace orvel {

// ---- ChartData ------------------------------------------------------------------------

void ChartData::setPoints(int count)
{
    count = std::clamp(count, 0, kMaxChartPoints);
    const int old = points();
    values.resize(count);
    labels.resize(count);
    for (int i = old; i < count; ++i)
        values[i] = static_cast<float>(nullValue);
    std::erase_if(marks, [count](const ChartMark &m) { return m.point >= count; });
}

void ChartData::setValue(int index, float value)
{
    if (index >= 0 && index < points())
        values[index] = value;
}

void ChartData::setLabel(int index, const QString &label)
{
    if (index >= 0 && index < points())
        labels[index] = label;
}

float ChartData::value(int index) const
{
    return index >= 0 && index < points() ? values[index] : static_cast<float>(nullValue);
}

QString ChartData::label(int index) const
{
    return index >= 0 && index < points() ? labels[index] : QString();
}

bool ChartData::isNull(int index) const
{
    return isNullPoint(value(index), nullValue);
}

void ChartData::appendPoint(float value, const QString &label)
{
    if (values.isEmpty())
        return;
    values.removeFirst();
    values.append(value);
    labels.removeFirst();
    labels.append(label);
    std::erase_if(marks, [](const ChartMark &m) { return m.point == 0; });
    for (ChartMark &m : marks)
        --m.point;
}

// ---- ChartModel -----------------------------------------------------------------------

void ChartModel::setData(const ChartData &data)
{
    data_ = data;
    clampCursor();
    std::vector<ZoomWindow> kept;
    for (const ZoomWindow &window : zoom_)
        if (auto f = fitted(window))
            kept.push_back(*f);
    zoom_ = std::move(kept);
}

int ChartModel::baseFirst() const
{
    const int n = data_.points();
    const int shown = std::clamp(std::min(data_.pointsToGraph, data_.maxPointsToGraph), 0, n);
    return data_.pointsToGraphInit == gLast ? n - shown : 0;
}

int ChartModel::baseLast() const
{
    const int n = data_.points();
    const int shown = std::clamp(std::min(data_.pointsToGraph, data_.maxPointsToGraph), 0, n);
    return baseFirst() + shown - 1;
}

ValueRange ChartModel::baseYRange() const
{
    const ScaleControl control = data_.scaleControl;
    if (control == gManualMinAndMax)
        return normalizedRange(data_.manualMinY, data_.manualMaxY);

    double lo = std::numeric_limits<double>::infinity();
    double hi = -std::numeric_limits<double>::infinity();
    for (int i = std::max(baseFirst(), 0); i <= baseLast(); ++i) {
        if (data_.isNull(i))
            continue;
        lo = std::min(lo, static_cast<double>(data_.values[i]));
        hi = std::max(hi, static_cast<double>(data_.values[i]));
    }
    if (lo > hi) { // nothing to draw
        lo = -1.0;
        hi = 1.0;
    }
    const ValueRange automatic = niceRange(normalizedRange(lo, hi), 6, data_.decimals);
    if (control == gManualMin)
        return normalizedRange(data_.manualMinY, std::max(automatic.max, data_.manualMinY));
    if (control == gManualMax)
        return normalizedRange(std::min(automatic.min, data_.manualMaxY), data_.manualMaxY);
    return automatic;
}

int ChartModel::firstShown() const
{
    return zoom_.empty() ? baseFirst() : zoom_.back().first;
}

int ChartModel::lastShown() const
{
    return zoom_.empty() ? baseLast() : zoom_.back().last;
}

ValueRange ChartModel::yRange() const
{
    if (!zoom_.empty() && zoom_.back().y)
        return *zoom_.back().y;
    return baseYRange();
}

void ChartModel::clampCursor()
{
    cursor_ = std::clamp(cursor_, 0, std::max(data_.points() - 1, 0));
}

bool ChartModel::setCursorPoint(int point)
{
    const int old = cursor_;
    cursor_ = point;
    clampCursor();
    return cursor_ != old;
}

bool ChartModel::moveCursor(int delta)
{
    if (!hasPointsShown())
        return false;
    const long long target = static_cast<long long>(cursor_) + delta;
    return setCursorPoint(static_cast<int>(std::clamp<long long>(target, firstShown(), lastShown())));
}

bool ChartModel::cursorToFirstShown()
{
    return hasPointsShown() && setCursorPoint(firstShown());
}

bool ChartModel::cursorToLastShown()
{
    return hasPointsShown() && setCursorPoint(lastShown());
}

std::optional<ZoomWindow> ChartModel::fitted(ZoomWindow window) const
{
    const int lo = baseFirst();
    const int hi = baseLast();
    if (hi < lo)
        return std::nullopt;
    window.first = std::clamp(window.first, lo, hi);
    window.last = std::clamp(window.last, lo, hi);
    if (window.last < window.first)
        return std::nullopt;
    // A horizontal zoom keeps at least two points; only a chart of one point shows one.
    if (window.last == window.first && hi > lo)
        return std::nullopt;
    if (window.y) {
        const ValueRange y = *window.y;
        if (!std::isfinite(y.min) || !std::isfinite(y.max) || !(y.max > y.min))
            return std::nullopt;
    }
    return window;
}

bool ChartModel::zoomIn(ZoomWindow window)
{
    const auto f = fitted(window);
    if (!f)
        return false;
    if (f->first == firstShown() && f->last == lastShown() && f->y.value_or(baseYRange()) == yRange())
        return false;
    zoom_.push_back(*f);
    return true;
}

void ChartModel::undoZoom()
{
    zoom_.clear();
}

std::optional<ZoomWindow> ChartModel::zoomForSelection(const QRectF &selection, const IndexAxis &x, const ValueAxis &y,
                                                       Zooming mode, double minSize) const
{
    if (!hasPointsShown())
        return std::nullopt;
    const QRectF s = selection.normalized();
    const bool horizontal = (mode == gHorzZooming || mode == gHorzPlusVertZooming) && s.width() >= minSize;
    const bool vertical = (mode == gVertZooming || mode == gHorzPlusVertZooming) && s.height() >= minSize;
    if (!horizontal && !vertical)
        return std::nullopt;

    ZoomWindow window{firstShown(), lastShown(), zoom_.empty() ? std::nullopt : zoom_.back().y};
    if (horizontal) {
        // The points inside the selection; a selection between two neighbours takes both.
        const double a = x.toIndex(s.left());
        const double b = x.toIndex(s.right());
        int first = static_cast<int>(std::ceil(a - 1e-9));
        int last = static_cast<int>(std::floor(b + 1e-9));
        if (last - first < 1) {
            first = static_cast<int>(std::floor(a));
            last = first + 1;
        }
        window.first = std::clamp(first, firstShown(), lastShown());
        window.last = std::clamp(last, firstShown(), lastShown());
        if (window.last - window.first < 1 && lastShown() > firstShown()) {
            // At an end of the points shown: keep two, counted inwards.
            if (window.first == lastShown())
                window.first = window.last - 1;
            else
                window.last = window.first + 1;
        }
    }
    if (vertical)
        window.y = ValueRange{y.toValue(s.bottom()), y.toValue(s.top())};
    return fitted(window);
}

} // namespace orvel
