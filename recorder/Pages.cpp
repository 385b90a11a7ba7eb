#include "recorder/Pages.h"

#include "recorder/Tarecord.h"

#include <algorithm>
#include <cmath>

namespace orvel {

namespace {
constexpr float kScaleMargin = 1.33f;
constexpr double kScaleK = 1.0 / 1.33; // 0.7518796992481203

float widened(float value, float sign)
{
    const float v = std::fabs(value) * kScaleMargin;
    return v == 0.0f ? sign : sign * v;
}
} // namespace

int pageCount(qsizetype n)
{
    return n <= 0 ? 1 : int((n - 1) / kPagePoints + 1);
}

PageRange pageRange(qsizetype n, int lastPage, int page)
{
    PageRange r;
    if (n <= 0 || page < 1 || page > lastPage)
        return r;
    // Readings up to and including this page, counted from the start.
    const qsizetype a = n - qsizetype(lastPage - page) * kPagePoints;
    if (a <= 0)
        return r;
    if (a >= kPagePoints) {
        r.first = a - kPagePoints;
        r.count = kPagePoints;
        return r;
    }
    r.first = 0;
    r.count = int(a);
    r.emptyPoints = kPagePoints - int(a);
    return r;
}

std::pair<qsizetype, qsizetype> pageReadings(const PageRange &page, int firstPoint, int lastPoint)
{
    const qsizetype from = std::max<qsizetype>(firstPoint - page.emptyPoints, 0);
    const qsizetype to = std::min<qsizetype>(lastPoint - page.emptyPoints, page.count - 1);
    return {page.first + from, std::max<qsizetype>(to - from + 1, 0)};
}

qsizetype cursorIndex(int cursorPoint, qsizetype n, int lastPage, int shownPage)
{
    if (n <= 0 || cursorPoint < 0 || cursorPoint >= kPagePoints)
        return -1;
    const qsizetype index = cursorPoint + n - qsizetype(kPagePoints) * (lastPage - shownPage + 1);
    return index >= 0 && index < n ? index : -1;
}

void ScaleRange::UpdateScale(float value, qsizetype count)
{
    if (!std::isfinite(value))
        return;
    if (count == 0) {
        fScaleMax = widened(value, 1.0f);
        fScaleMin = widened(value, -1.0f);
        return;
    }
    if (value >= double(fScaleMax) * kScaleK)
        fScaleMax = widened(value, 1.0f);
    if (value <= double(fScaleMin) * kScaleK)
        fScaleMin = widened(value, -1.0f);
}

void Extremes::UpdateExtremes(const ReadingBuffer &buffer, qsizetype index, float value)
{
    if (index == 0) {
        iMaxIndex = iMinIndex = 0;
        return;
    }
    if (!std::isfinite(value))
        return;
    // A reading that is not a number (a damaged file) never stays an extreme
    // once a real one comes.
    const bool maxKnown = std::isfinite(buffer.at(iMaxIndex).fReading);
    const bool minKnown = std::isfinite(buffer.at(iMinIndex).fReading);
    if (!maxKnown || !minKnown) {
        if (!maxKnown)
            iMaxIndex = index;
        if (!minKnown)
            iMinIndex = index;
        return;
    }
    if (!(buffer.at(iMaxIndex).fReading > value))
        iMaxIndex = index;
    else if (!(buffer.at(iMinIndex).fReading < value))
        iMinIndex = index;
}

} // namespace orvel
