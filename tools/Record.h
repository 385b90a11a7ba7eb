#pragma once
// orvel-cli record: the recorder without windows.

#include "meter/Acquisition.h"
#include "recorder/RunPlan.h"
#include "recorder/StoredValue.h"

#include <QString>

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
};

/// Links to the meter and stores readings as the recorder does: each one is
/// appended to `out` at once (one write a record, so the file is a valid logger
/// file at every moment) and, with `csv`, its export line too (flushed). A line
/// a stored reading goes to standard error. With a start condition it waits,
/// keeping the readings it would store, until the condition fires; it ends
/// when a stop condition fires (the count and the duration are such), or
/// cleanly on SIGINT/SIGTERM. Returns the exit status.
int record(const RecordOptions &options);

} // namespace orvel::cli
