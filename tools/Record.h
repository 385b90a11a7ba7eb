#pragma once
// orvel-cli record: the recorder without windows.

#include "recorder/StoredValue.h"

#include <QString>

namespace orvel::cli {

struct RecordOptions
{
    QString port;            ///< COM1…COM10 or a device path
    int intervalSeconds = 0; ///< 0: every decoded reading ("Full Speed")
    qint64 count = -1;       ///< stop after this many stored readings; -1: no limit
    qint64 durationMs = -1;  ///< stop after this long; -1: no limit
    QString out;             ///< the ".g52" file the readings go to
    QString csv;             ///< the exported text of the readings, or empty for none
    bool force = false;      ///< replace existing output files
    bool json = false;       ///< a JSON object a stored reading and a warning on standard output
    WallClock clock;         ///< time stamps; the local wall clock when empty
};

/// Links to the meter and stores readings as the recorder does: each one is
/// appended to `out` at once (one write a record, so the file is a valid logger
/// file at every moment) and, with `csv`, its export line too (flushed). A line
/// a stored reading goes to standard error. Ends after the count or the
/// duration, or cleanly on SIGINT/SIGTERM. Returns the exit status.
int record(const RecordOptions &options);

} // namespace orvel::cli
