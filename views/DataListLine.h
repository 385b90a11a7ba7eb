#pragma once
// The lines of the data list: the text of one stored reading, and which buffer
// entry each line of a sheet shows.

#include "recorder/Tarecord.h"

#include <QString>

#include <vector>

namespace orvel {

/// Lines a sheet of the data list holds before the next sheet is started.
inline constexpr int kLinesPerSheet = 32000;

/// The line of buffer entry `index` (0-based): number (index + 1), time, the
/// displayed number with its prefix, the unit (" Ohm" for resistance) and, when
/// there is one, the auxiliary text.
QString dataListLine(const TARecord &record, qsizetype index);

/// The buffer index behind each line of a sheet, kept as runs of consecutive
/// indexes: lines normally arrive as 0, 1, 2, … so a full sheet is one run.
class LineIndexRuns
{
public:
    int count() const { return count_; }
    /// Makes room so that the next append() cannot fail. Throws std::bad_alloc.
    void reserveNext();
    /// Adds a line showing buffer entry `index`. Throws std::bad_alloc when a
    /// new run cannot be stored (never right after reserveNext()); the lines
    /// then stay as they were.
    void append(qsizetype index);
    /// Buffer index of line `row` (0 .. count() − 1).
    qsizetype indexAt(int row) const;
    /// Runs held (for memory accounting and tests).
    std::size_t runCount() const { return runs_.size(); }

private:
    struct Run
    {
        qsizetype firstIndex; ///< buffer index of the run's first line
        int firstRow;         ///< line number of the run's first line
    };
    std::vector<Run> runs_;
    int count_ = 0;
};

} // namespace orvel
