#pragma once
// The number and the time stamp a stored reading keeps.

#include <QString>
#include <QTime>

#include <functional>
#include <optional>

namespace orvel {

struct TMeterReading;

/// What an overload display of function `iFunction` stores, for exponent `e`;
/// nothing for a function without one (the sample is then dropped).
std::optional<float> OverloadValue(int iFunction, int e);

/// The value a sample of `reading` stores, in single precision: the value text
/// times ten to its exponent; for an overload the function's overload value
/// (negated under a minus sign); nothing when the sample is to be dropped
/// (a blank display, or any other text that is not a number).
std::optional<float> storedValue(const TMeterReading &reading);

/// The time stamp of a sample taken at `time`: hour right-aligned in three
/// columns, minutes, seconds, then tenths and two blanks: 09:05:03.456 gives
/// '  9:05:03.4  ' (13 characters).
QString formatTimeStamp(const QTime &time);

/// Where the time of a sample comes from (the local wall clock, or a test's).
using WallClock = std::function<QTime()>;

/// The local wall clock.
QTime localTimeNow();

} // namespace orvel
