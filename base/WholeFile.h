#pragma once
// Files that appear whole or not at all: the bytes go to a file beside the
// target, which replaces it only when every byte was written, so a failure
// leaves an earlier file as it was.

#include <QByteArray>
#include <QString>

#include <functional>

namespace orvel {

/// Takes `size` bytes at `data`; false when they could not be written.
using ByteSink = std::function<bool(const char *data, qint64 size)>;

/// Writes `path` with what `produce` hands to the sink it is given. False, and
/// `path` untouched, when the file could not be created, a write or the final
/// replace failed (`error` then says why), or `produce` returned false (its own
/// failure; it stops at the first write that fails).
bool writeWholeFile(const QString &path, const std::function<bool(const ByteSink &)> &produce,
                    QString *error = nullptr);

/// Writes `bytes` as the whole of `path`, the same way.
bool writeWholeFile(const QString &path, const QByteArray &bytes, QString *error = nullptr);

} // namespace orvel
