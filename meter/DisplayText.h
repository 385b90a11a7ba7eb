#pragma once
// What counts as a number on the meter's display. Every conversion of a display
// text (the value text, the formatted display, the analog meter's digits, the
// stored value) goes through these, so they all agree, and "." is the decimal
// point whatever the locale.

#include <QString>

#include <optional>

namespace orvel {

/// The number a display text shows: after blanks around it are removed, an
/// optional "-", then digits with at most one point and at least one digit.
/// Overload texts, blanks, "?" digits and a blank after the sign are not numbers.
std::optional<double> displayNumber(const QString &text);

/// A display text followed by a decimal exponent ("1.234" and "-3" read as
/// 0.001234); nothing when either part is not a number.
std::optional<double> displayNumberTimesTen(const QString &text, const QString &exponent);

/// The whole number a string of digits (and nothing else) spells; nothing for
/// an empty string, any other character, or a number too large for an int.
std::optional<int> digitsValue(const QString &digits);

} // namespace orvel
