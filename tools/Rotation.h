#pragma once
// record --rotate: when a recording closes its file and begins the next, and
// the names its files get (each carries the date and time it began).

#include <QDate>
#include <QDateTime>
#include <QString>

#include <optional>

namespace orvel::cli {

/// How often a recording begins a new file.
struct Rotation
{
    enum Kind {
        Never, ///< one file, its name carrying the start
        Daily, ///< at each local midnight
        Every, ///< after every `everyMs` from the start
    };
    Kind kind = Never;
    qint64 everyMs = 0;
};

/// "never", "daily", or a duration: seconds, or a number with a unit s, m, h
/// or d ("90", "90s", "15m", "1h", "7d"), from one second to 366 days. None for
/// anything else.
std::optional<Rotation> parseRotation(const QString &text);

/// Decides, for each reading about to be stored, whether it begins a new file.
/// The seams of Every are counted on a steady clock (milliseconds since the
/// start), so a wall clock set while recording (a small box's first network
/// time) moves none of them; Daily follows the local date of the reading.
class RotationClock
{
public:
    RotationClock(const Rotation &rotation, const QDate &startDate);

    /// A reading taken `elapsedMs` after the start on local date `date`: true
    /// when it is the first of a new file — it was taken at a seam or after
    /// one. The next seam then counts from there.
    bool beginsFile(qint64 elapsedMs, const QDate &date);

private:
    Rotation rotation_;
    QDate fileDate_;        ///< the local date of the file being written
    qint64 nextSeamMs_ = 0; ///< Every: the next seam after the start
};

/// The name of a file begun at `at`: `path` with "-YYYYMMDD-HHMMSS" before its
/// extension (run.g52 begun 14:03:21 on 1 May 2024 is run-20240501-140321.g52),
/// and "-2", "-3", … after that for `attempt` 2, 3, …
QString stampedName(const QString &path, const QDateTime &at, int attempt = 1);

} // namespace orvel::cli
