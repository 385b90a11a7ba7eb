#include "chart/ChartScale.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace orvel {

namespace {

// Limits beyond this are pulled in so that spans and steps stay finite.
constexpr double kLargest = 1e300;

double clampFinite(double v)
{
    if (std::isnan(v))
        return 0.0;
    return std::clamp(v, -kLargest, kLargest);
}

/// Smallest 1-2-5 step not below `raw`.
double niceStep(double raw)
{
    if (!(raw > 0.0) || !std::isfinite(raw))
        return 1.0;
    const double base = std::pow(10.0, std::floor(std::log10(raw)));
    const double f = raw / base;
    double nice = 10.0;
    if (f <= 1.0 + 1e-9)
        nice = 1.0;
    else if (f <= 2.0 + 1e-9)
        nice = 2.0;
    else if (f <= 5.0 + 1e-9)
        nice = 5.0;
    return nice * base;
}

double tickStep(ValueRange range, int maxCount, int decimals)
{
    maxCount = std::max(maxCount, 2);
    const double finest = std::pow(10.0, -std::clamp(decimals, 0, 9));
    return std::max(niceStep(range.span() / (maxCount - 1)), finest);
}

} // namespace

ValueRange normalizedRange(double lo, double hi)
{
    lo = clampFinite(lo);
    hi = clampFinite(hi);
    if (lo > hi)
        std::swap(lo, hi);
    if (hi - lo <= std::abs(hi) * 1e-12 || hi - lo < 1e-300) {
        // An empty range: widen it by a tenth of its value, or by one around zero.
        const double half = std::abs(lo) > 1e-9 ? std::abs(lo) * 0.1 : 1.0;
        return {lo - half, lo + half};
    }
    return {lo, hi};
}

double TickSet::at(int k) const
{
    const double v = first + k * step;
    return std::abs(v) < step * 1e-9 ? 0.0 : v;
}

TickSet niceTicks(ValueRange range, int maxCount, int decimals)
{
    range = normalizedRange(range.min, range.max);
    maxCount = std::max(maxCount, 2);
    const double step = tickStep(range, maxCount, decimals);
    const double kFirst = std::ceil(range.min / step - 1e-9);
    const double kLast = std::floor(range.max / step + 1e-9);
    TickSet ticks;
    ticks.step = step;
    ticks.first = kFirst * step;
    const double count = kLast - kFirst + 1;
    ticks.count = count < 0 ? 0 : static_cast<int>(std::min<double>(count, maxCount));
    return ticks;
}

ValueRange niceRange(ValueRange range, int maxCount, int decimals)
{
    range = normalizedRange(range.min, range.max);
    const double step = tickStep(range, maxCount, decimals);
    return normalizedRange(std::floor(range.min / step + 1e-9) * step, std::ceil(range.max / step - 1e-9) * step);
}

QString formatValue(double value, int decimals, double step)
{
    if (!std::isfinite(value))
        return {};
    decimals = std::clamp(decimals, 0, 9);
    if (std::abs(value) >= 1e9) {
        int digits = decimals;
        if (step > 0.0 && std::isfinite(step))
            digits = std::max(digits, static_cast<int>(std::ceil(std::log10(std::abs(value) / step) - 1e-9)));
        return QString::number(value, 'e', std::clamp(digits, 0, 15));
    }
    // Rounds to zero: no "-0.000".
    if (std::abs(value) < 0.5 * std::pow(10.0, -decimals))
        value = 0.0;
    return QString::number(value, 'f', decimals);
}

int labelStride(double spacing, double labelWidth, double gap)
{
    if (!(spacing > 0.0))
        return std::numeric_limits<int>::max();
    const double needed = labelWidth + gap;
    for (long long decade = 1; decade <= 100'000'000; decade *= 10)
        for (int m : {1, 2, 5})
            if (static_cast<double>(m * decade) * spacing >= needed)
                return static_cast<int>(m * decade);
    return std::numeric_limits<int>::max();
}

QList<int> keepApartLabels(std::span<const LabelBox> boxes, double gap, double minX, double maxX)
{
    QList<int> kept;
    double lastRight = -std::numeric_limits<double>::infinity();
    for (const LabelBox &box : boxes) {
        if (box.left < minX || box.right > maxX)
            continue;
        if (box.left < lastRight + gap)
            continue;
        kept.append(box.index);
        lastRight = box.right;
    }
    return kept;
}

IndexAxis::IndexAxis(int first, int last, double left, double width)
    : first_(first)
    , last_(std::max(first, last))
    , left_(left)
    , width_(std::max(width, 0.0))
{}

double IndexAxis::spacing() const
{
    return last_ > first_ ? width_ / (last_ - first_) : width_;
}

double IndexAxis::toPixel(double index) const
{
    if (last_ == first_)
        return left_ + width_ / 2.0;
    return left_ + (index - first_) * width_ / (last_ - first_);
}

double IndexAxis::toIndex(double x) const
{
    if (last_ == first_ || width_ <= 0.0)
        return first_;
    return first_ + (x - left_) * (last_ - first_) / width_;
}

int IndexAxis::nearestIndex(double x) const
{
    const double index = std::clamp(toIndex(x), static_cast<double>(first_), static_cast<double>(last_));
    return static_cast<int>(std::lround(index));
}

ValueAxis::ValueAxis(ValueRange range, double top, double height)
    : range_(range)
    , top_(top)
    , height_(height)
{}

double ValueAxis::toPixel(double value) const
{
    if (range_.span() <= 0.0)
        return top_ + height_ / 2.0;
    return top_ + (range_.max - value) / range_.span() * height_;
}

double ValueAxis::toValue(double y) const
{
    if (height_ <= 0.0)
        return range_.min;
    return range_.max - (y - top_) / height_ * range_.span();
}

bool clipSegment(QPointF &a, QPointF &b, const QRectF &rect)
{
    // Liang–Barsky: the segment is a + t (b − a), t in [0, 1].
    const double dx = b.x() - a.x();
    const double dy = b.y() - a.y();
    double t0 = 0.0;
    double t1 = 1.0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - rect.left(), rect.right() - a.x(), a.y() - rect.top(), rect.bottom() - a.y()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0)
                return false; // parallel to this edge and outside it
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0) {
            if (t > t1)
                return false;
            t0 = std::max(t0, t);
        } else {
            if (t < t0)
                return false;
            t1 = std::min(t1, t);
        }
    }
    const QPointF start = a;
    if (t1 < 1.0)
        b = QPointF(start.x() + t1 * dx, start.y() + t1 * dy);
    if (t0 > 0.0)
        a = QPointF(start.x() + t0 * dx, start.y() + t0 * dy);
    return true;
}

bool isNullPoint(float value, double nullValue)
{
    return !std::isfinite(value) || value == static_cast<float>(nullValue);
}

std::vector<IndexRun> drawableRuns(std::span<const float> values, int first, int last, double nullValue)
{
    std::vector<IndexRun> runs;
    first = std::max(first, 0);
    last = std::min(last, static_cast<int>(values.size()) - 1);
    int start = -1;
    for (int i = first; i <= last; ++i) {
        const bool drawable = !isNullPoint(values[static_cast<std::size_t>(i)], nullValue);
        if (drawable && start < 0)
            start = i;
        if (!drawable && start >= 0) {
            runs.push_back({start, i - 1});
            start = -1;
        }
    }
    if (start >= 0)
        runs.push_back({start, last});
    return runs;
}

std::vector<std::vector<QPointF>> clipPolyline(std::span<const QPointF> points, const QRectF &rect)
{
    std::vector<std::vector<QPointF>> pieces;
    std::vector<QPointF> piece;
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        QPointF a = points[i];
        QPointF b = points[i + 1];
        if (!clipSegment(a, b, rect)) {
            if (!piece.empty())
                pieces.push_back(std::move(piece));
            piece.clear();
            continue;
        }
        if (!piece.empty() && piece.back() != a) {
            pieces.push_back(std::move(piece));
            piece.clear();
        }
        if (piece.empty())
            piece.push_back(a);
        piece.push_back(b);
    }
    if (!piece.empty())
        pieces.push_back(std::move(piece));
    return pieces;
}

} // namespace orvel
