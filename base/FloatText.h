#pragma once
// Number <-> text conversions that must not depend on the user's locale.

#include <QByteArray>
#include <QString>

#include <optional>

namespace orvel {

/// The general float-to-text conversion used for every value the program shows
/// or stores as text: up to 15 significant digits, no trailing zeros, "." as the
/// decimal point, exponent form ("1E-5", "1.5E20") only below 1E-4 or from 1E15 on.
QString floatToText(double value);

/// Reads a decimal floating-point number with "." as the decimal point.
/// Blanks around the number are allowed; anything else that is not part of
/// the number makes the conversion fail. Infinity and NaN texts are refused.
std::optional<double> textToFloat(const QString &text);

/// Reads a decimal integer (optional sign, blanks around allowed).
std::optional<int> textToInt(const QString &text);

/// C's printf in the "C" locale, whatever the process's locale: "%05.*f" and
/// friends with C's rounding, width and precision rules.
QString formatC(const char *format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

/// A reading as the export writes it: 7 significant digits, no trailing zeros,
/// "." only when needed, fixed notation from 0.00001 up to below 10^7,
/// otherwise scientific with at least two exponent digits ("1.234568e+07",
/// "1e-06"); "0" for zero.
QByteArray exportNumber(float value);

/// The same into `out`, which has room for 64 characters; returns the length.
int formatExportNumber(float value, char *out);

} // namespace orvel
