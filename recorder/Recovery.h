#pragma once
// Recordings a crashed run left behind: temporary store files in the start-up
// folder that no running copy of the program still writes (a run that writes
// one holds a lock on it). They are offered for opening at start-up; nothing
// is ever deleted here.

#include <QList>
#include <QString>

namespace orvel {

struct InterruptedRecording
{
    QString path;
    qsizetype records = 0; ///< whole records in the file
    QString lastTime;      ///< time of its last reading, "14:03:21"
};

/// Temporary store files (`stem` + number + ".TMP") in `folder` that hold at
/// least one reading and that no running program holds locked; the newest
/// (the most recently written) first.
QList<InterruptedRecording> findInterruptedRecordings(const QString &folder, const QString &stem);

} // namespace orvel
