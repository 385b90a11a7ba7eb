#pragma once
// How the recorder's chart cuts the buffer into pages, scales its Y axis and
// finds the reading under the cursor; and which readings are the largest and
// the smallest. Pure arithmetic, shared by the recorder, the export and
// orvel-cli.
//
// Pages hold 200 points and are counted from the end of the buffer: the newest
// page holds the newest 200 readings, each earlier page the 200 before it, and
// page 1 what is left at the start — 1 to 200 readings, drawn right-aligned
// after empty points.

#include <QtGlobal>

#include <utility>

namespace orvel {

class ReadingBuffer;

inline constexpr int kPagePoints = 200;              ///< chart points on a page
inline constexpr float kEmptyPointValue = -99999.0f; ///< the chart's null value: a point without a reading

/// Number of pages for `n` readings: (n − 1) / 200 + 1, and 1 for none.
int pageCount(qsizetype n);

/// Which readings page `page` of `lastPage` shows for a buffer of `n` readings.
struct PageRange
{
    qsizetype first = 0; ///< buffer index of the reading on point emptyPoints
    int count = 0;       ///< readings on the page
    int emptyPoints = 0; ///< empty points before them (only page 1 has any)

    bool operator==(const PageRange &) const = default;
};

/// The readings of page `page` (1 .. lastPage). A page outside that range, or
/// one that would reach before the first reading, gives what exists of it:
/// never an index outside 0 .. n − 1.
PageRange pageRange(qsizetype n, int lastPage, int page);

/// Buffer indexes (first, count) of the readings on chart points
/// firstPoint..lastPoint of `page`; empty points hold none.
std::pair<qsizetype, qsizetype> pageReadings(const PageRange &page, int firstPoint, int lastPoint);

/// Buffer index of the reading on chart point `cursorPoint` while page
/// `shownPage` of `lastPage` is shown; −1 for an empty point or a point
/// without a reading.
qsizetype cursorIndex(int cursorPoint, qsizetype n, int lastPage, int shownPage);

/// The recorder's Y range: it starts at ±1.33 × the first reading (±1 for 0)
/// and only widens: a reading beyond 1/1.33 of a limit pushes that limit out to
/// 1.33 × its magnitude. A reading that is not a finite number changes nothing.
struct ScaleRange
{
    float fScaleMax = 100.0f;
    float fScaleMin = -100.0f;

    /// Takes reading `value`; `count` readings were taken before it since the last reset.
    void UpdateScale(float value, qsizetype count);
};

/// Indexes of the largest and the smallest reading.
struct Extremes
{
    qsizetype iMaxIndex = 0;
    qsizetype iMinIndex = 0;

    /// Takes the reading at `index` (the newest, `value`) of `buffer`. The first
    /// reading sets both to 0; later ones move the largest when not below it, or
    /// else the smallest when not above it: ties go to the newer reading.
    /// Readings that are not finite numbers are passed over.
    void UpdateExtremes(const ReadingBuffer &buffer, qsizetype index, float value);
};

} // namespace orvel
