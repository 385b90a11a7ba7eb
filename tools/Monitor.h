#pragma once
// orvel-cli monitor: the acquisition tick without windows.

#include "meter/MeterProbe.h"
#include "meter/Rscomm.h"

#include <QString>

#include <cstdio>

namespace orvel::cli {

inline constexpr int kHungUpText = 2051; ///< "The meter's line on %s hung up: …"
inline constexpr int kHungUpStatus = 3;  ///< exit status after a hang-up

/// Opens the port named `port` (COM1…COM10, any letter case) or the device at
/// the path `port`; null (after the port's error message) when it cannot be opened.
ComHandle openPort(const QString &port);

/// Links to the meter on `port` (a name COM1…COM10, a device path or a network
/// port) and prints one line per tick: what the digital meter shows (number,
/// prefix and unit, AC/DC mark), or the warning a tick brings. With `json`, one
/// JSON object a reading that came and one a warning, nothing else on standard
/// output. Stops after `count` ticks (-1: never). Returns the exit status.
int monitor(const QString &port, qint64 count, bool json = false);

/// An acquisition warning: with `json` its object on standard output, otherwise
/// "Warning[W8004]: text" on `textTo`.
void reportWarning(int textId, bool json, std::FILE *textTo);

/// The line of `device` on `port` is gone: says why on standard error (a network
/// port that could not be reached, or a hang-up) and sets the exit status.
void reportLineLost(const SerialDevice *device, const QString &port, int &status);

} // namespace orvel::cli
