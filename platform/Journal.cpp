#include "platform/Journal.h"

#include <QList>

#include <sys/stat.h>
#include <unistd.h>

namespace orvel {

bool namesStream(const QByteArray &journalStream, quint64 device, quint64 inode)
{
    const QList<QByteArray> parts = journalStream.split(':');
    bool deviceOk = false, inodeOk = false;
    return parts.size() == 2 && parts[0].toULongLong(&deviceOk) == device && deviceOk &&
           parts[1].toULongLong(&inodeOk) == inode && inodeOk;
}

bool stderrIsJournal()
{
    static const bool journal = [] {
        struct stat st = {};
        return ::fstat(STDERR_FILENO, &st) == 0 && namesStream(qgetenv("JOURNAL_STREAM"), st.st_dev, st.st_ino);
    }();
    return journal;
}

QString journalText(const QString &text, Severity severity)
{
    if (severity == Severity::Info || !stderrIsJournal())
        return text;
    // sd-daemon's priorities: 3 an error, 4 a warning.
    const QString prefix = severity == Severity::Error ? QStringLiteral("<3>") : QStringLiteral("<4>");
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString &line : lines)
        if (!line.isEmpty())
            line.prepend(prefix);
    return lines.join(QLatin1Char('\n'));
}

} // namespace orvel
