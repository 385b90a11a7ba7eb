#pragma once
// Lines on standard error as the system journal reads them. A service that
// systemd runs may have standard error connected to the journal; it then says
// so in JOURNAL_STREAM ("DEVICE:INODE" of that stream), and a line that begins
// with "<3>" or "<4>" is logged as an error or a warning. Anywhere else the
// lines stay as they are.

#include <QString>

namespace orvel {

enum class Severity { Info, Warning, Error };

/// Whether standard error is the journal's stream (found once, at the first call).
bool stderrIsJournal();

/// `text` for standard error: each of its lines with the journal's priority
/// for `severity` in front when standard error is the journal and the
/// severity is above Info; as it is otherwise.
QString journalText(const QString &text, Severity severity);

/// Whether `journalStream` (a JOURNAL_STREAM value) names the file of `device` and `inode`.
bool namesStream(const QByteArray &journalStream, quint64 device, quint64 inode);

} // namespace orvel
