#pragma once
// Finding the meter: listening on a port, without ever writing to it, for a
// frame that decodes into a reading.

#include <QString>

#include <optional>

namespace orvel {

struct DigitalPanels;

/// "12.34 mV DC": the number, the prefix and unit as drawn, the AC/DC mark.
QString displayLine(const DigitalPanels &p);

/// Opens the device at `path` (no message boxes), listens up to `timeoutMs`
/// for a valid frame and returns what the meter shows ("1.234 V DC"); nothing
/// when the device does not open or no valid frame came in time. Blocks the
/// calling thread; safe to run on a worker thread.
std::optional<QString> listenForMeter(const QString &path, int timeoutMs = 1000);

/// What listening heard, as the port list shows it: "meter: 12.37 mV DC", or
/// that no meter was heard.
QString heardText(const std::optional<QString> &heard);

} // namespace orvel
