#include "base/WholeFile.h"

#include <QSaveFile>

namespace orvel {

bool writeWholeFile(const QString &path, const std::function<bool(const ByteSink &)> &produce, QString *error)
{
    QSaveFile file(path);
    // Unbuffered: a write must fail where it is made. A buffered QSaveFile
    // flushes at commit, and a failure there can go unnoticed.
    bool written = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    const ByteSink sink = [&](const char *data, qint64 size) {
        written = written && file.write(data, size) == size;
        return written;
    };
    const bool produced = written && produce(sink);
    if (produced && file.commit())
        return true;
    if (error && (!written || produced))
        *error = file.errorString();
    file.cancelWriting();
    return false;
}

bool writeWholeFile(const QString &path, const QByteArray &bytes, QString *error)
{
    return writeWholeFile(
        path, [&](const ByteSink &sink) { return sink(bytes.constData(), bytes.size()); }, error);
}

} // namespace orvel
