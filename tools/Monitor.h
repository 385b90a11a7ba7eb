#pragma once
// orvel-cli monitor: the acquisition tick without windows.

#include <QString>

namespace orvel::cli {

/// Links to the meter on `port` (a name COM1…COM10 or a device path) and prints
/// one line per tick: what the digital meter shows (number, prefix and unit,
/// AC/DC mark), or the warning a tick brings. Stops after `count` ticks
/// (-1: never). Returns the exit status.
int monitor(const QString &port, qint64 count);

} // namespace orvel::cli
