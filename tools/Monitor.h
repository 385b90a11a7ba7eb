#pragma once
// orvel-cli monitor: the acquisition tick without windows.

#include "meter/MeterProbe.h"
#include "meter/Rscomm.h"

#include <QString>

namespace orvel::cli {

inline constexpr int kHungUpText = 2051; ///< "The meter's line on %s hung up: …"
inline constexpr int kHungUpStatus = 3;  ///< exit status after a hang-up

/// Opens the port named `port` (COM1…COM10, any letter case) or the device at
/// the path `port`; null (after the port's error message) when it cannot be opened.
ComHandle openPort(const QString &port);

/// Links to the meter on `port` (a name COM1…COM10 or a device path) and prints
/// one line per tick: what the digital meter shows (number, prefix and unit,
/// AC/DC mark), or the warning a tick brings. Stops after `count` ticks
/// (-1: never). Returns the exit status.
int monitor(const QString &port, qint64 count);

} // namespace orvel::cli
