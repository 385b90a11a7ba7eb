#include "recorder/Recovery.h"

#include "recorder/Tarecord.h"
#include "recorder/TempStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/file.h>

namespace orvel {

namespace {
// Whether another process holds the file locked (a recording that still runs).
bool lockedByOthers(QFile &file)
{
    if (::flock(file.handle(), LOCK_SH | LOCK_NB) != 0)
        return true;
    ::flock(file.handle(), LOCK_UN);
    return false;
}
} // namespace

QList<InterruptedRecording> findInterruptedRecordings(const QString &folder, const QString &stem)
{
    QFileInfoList candidates;
    for (const QFileInfo &info : QDir(folder).entryInfoList(QDir::Files | QDir::Hidden, QDir::Time))
        if (isTemporaryFileName(info.fileName(), stem))
            candidates.append(info);

    QList<InterruptedRecording> found;
    for (const QFileInfo &info : candidates) {
        QFile file(info.filePath());
        if (!file.open(QIODevice::ReadOnly) || lockedByOthers(file))
            continue;
        const qsizetype records = file.size() / kRecordSize;
        if (records == 0)
            continue;
        unsigned char last[kRecordSize];
        if (!file.seek(qint64(records - 1) * kRecordSize) ||
            file.read(reinterpret_cast<char *>(last), kRecordSize) != kRecordSize)
            continue;
        QString time = fieldText(readRecord(last).szTime).trimmed();
        time = time.section(QLatin1Char('.'), 0, 0); // the tenths are left out
        found.append({info.filePath(), records, time});
    }
    return found;
}

} // namespace orvel
