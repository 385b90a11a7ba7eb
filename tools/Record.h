#pragma once
// orvel-cli record: the recorder without windows.

#include "meter/Acquisition.h"
#include "recorder/RunPlan.h"
#include "recorder/StoredValue.h"
#include "tools/Rotation.h"

#include <QString>

#include <optional>

namespace orvel::cli {

struct RecordOptions
{
    QString port;            ///< COM1…COM10 or a device path
    int intervalSeconds = 0; ///< 0: every decoded reading ("Full Speed")
    qint64 count = -1;       ///< stop after this many stored readings; -1: no limit
    qint64 durationMs = -1;  ///< stop after this long; -1: no limit
    RunConditions run;       ///< the start and its readings kept before it, the stops, the alarms, the command
    QString out;             ///< the ".g52" file the readings go to
    QString csv;             ///< the exported text of the readings, or empty for none
    bool force = false;      ///< replace existing output files
    bool json = false;       ///< a JSON object a stored reading and a warning on standard output
    int tickMs = kTickMs;    ///< the acquisition tick's period
    WallClock clock;         ///< time stamps; the local wall clock when empty
    /// New files as it goes, each named after the time it began (`out` with
    /// "-YYYYMMDD-HHMMSS" before its extension; `csv` likewise); none: `out` itself.
    std::optional<Rotation> rotation;
    bool quiet = false; ///< no line a stored reading on standard error (warnings and the summary stay)
};

/// Links to the meter and stores readings as the recorder does: each one is
/// appended to `out` at once (one write a record, so the file is a valid logger
/// file at every moment) and, with `csv`, its export line too (flushed). A line
/// a stored reading goes to standard error. With a start condition it waits,
/// keeping the readings it would store, until the condition fires; it ends
/// when a stop condition fires (the count and the duration are such), or
/// cleanly on SIGINT/SIGTERM. With a rotation, every file is new (a name that
/// exists is never taken, whatever `force` says), and a reading that comes at a
/// seam or after it goes to the next file, its marks with it. Returns the exit
/// status.
int record(RecordOptions options);

} // namespace orvel::cli
