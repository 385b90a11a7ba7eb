#pragma once
// The acquisition interval as the user types it into the interval dialog.

#include <QString>

#include <limits>

namespace orvel {

/// Longest interval in seconds whose milliseconds still fit the recorder's
/// 32-bit timer interval (2147483 s, a little under 25 days).
inline constexpr int kMaxIntervalSeconds = std::numeric_limits<int>::max() / 1000;

struct IntervalAnswer
{
    enum Kind {
        Seconds,    ///< a usable interval; 0 means "Full Speed"
        OutOfRange, ///< a whole number, but negative or too long
        NotANumber, ///< not a decimal integer at all
    };
    Kind kind = NotANumber;
    int seconds = 0; ///< the interval when kind is Seconds
};

/// Reads a typed interval as a decimal integer number of seconds.
IntervalAnswer parseIntervalSeconds(const QString &text);

} // namespace orvel
