#include "base/FloatText.h"

#include <QLocale>

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include <locale.h>

namespace orvel {

QString floatToText(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");

    // The general format at precision 15 makes the fixed/exponent choice we want
    // (and, unlike printf, ignores the C locale); only the exponent is written
    // differently ("1e-05" becomes "1E-5").
    char buffer[40];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    QString text = QString::fromLatin1(buffer, result.ptr - buffer);
    const qsizetype e = text.indexOf(QLatin1Char('e'));
    if (e < 0)
        return text;
    QString mantissa = text.left(e);
    QString exponent = text.mid(e + 1);
    const bool negative = exponent.startsWith(QLatin1Char('-'));
    if (exponent.startsWith(QLatin1Char('+')) || negative)
        exponent.remove(0, 1);
    while (exponent.size() > 1 && exponent.startsWith(QLatin1Char('0')))
        exponent.remove(0, 1);
    return mantissa + QLatin1Char('E') + (negative ? QStringLiteral("-") : QString()) + exponent;
}

namespace {
QLocale pointLocale()
{
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator | QLocale::OmitGroupSeparator);
    return c;
}
} // namespace

std::optional<double> textToFloat(const QString &text)
{
    bool ok = false;
    const double value = pointLocale().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<int> textToInt(const QString &text)
{
    bool ok = false;
    const int value = pointLocale().toInt(text.trimmed(), &ok);
    if (!ok)
        return std::nullopt;
    return value;
}

QString formatC(const char *format, ...)
{
    // The thread uses the C locale for the one call, so the point stays a point.
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    const locale_t previous = uselocale(cLocale);
    char buffer[128];
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    uselocale(previous);
    if (n < 0)
        return {};
    return QString::fromLatin1(buffer, std::min<int>(n, int(sizeof buffer) - 1));
}

namespace {
constexpr int kExportDigits = 7;

// Drops trailing zeros of a fraction, and the point when nothing follows it.
void trimFraction(char *begin, char *&end)
{
    char *point = static_cast<char *>(std::memchr(begin, '.', std::size_t(end - begin)));
    if (!point)
        return;
    while (end > point + 1 && end[-1] == '0')
        --end;
    if (end == point + 1)
        --end;
}

} // namespace

int formatExportNumber(float value, char *out)
{
    auto literal = [out](const char *text) {
        const std::size_t n = std::strlen(text);
        std::memcpy(out, text, n);
        return static_cast<int>(n);
    };
    if (std::isnan(value))
        return literal("NAN");
    if (std::isinf(value))
        return literal(value > 0 ? "INF" : "-INF");
    if (value == 0.0f)
        return literal("0");
    const double v = value;
    // The decimal exponent after rounding to 7 significant digits.
    char sci[40];
    auto r = std::to_chars(sci, sci + sizeof sci, v, std::chars_format::scientific, kExportDigits - 1);
    const char *e = static_cast<const char *>(std::memchr(sci, 'e', std::size_t(r.ptr - sci)));
    int exponent = 0;
    std::from_chars(e + 1 + (e[1] == '+'), r.ptr, exponent);
    if (exponent >= -5 && exponent < kExportDigits) {
        // Fixed notation from the same 7 rounded digits: the point moved by the exponent.
        const char *sign = sci[0] == '-' ? "-" : "";
        const char *digits = sci + (*sign ? 1 : 0); // "d.dddddd"
        char *o = out;
        if (*sign)
            *o++ = '-';
        if (exponent < 0) {
            *o++ = '0';
            *o++ = '.';
            for (int z = -1; z > exponent; --z)
                *o++ = '0';
            *o++ = digits[0];
            std::memcpy(o, digits + 2, kExportDigits - 1);
            o += kExportDigits - 1;
        } else {
            *o++ = digits[0];
            std::memcpy(o, digits + 2, std::size_t(exponent));
            o += exponent;
            *o++ = '.';
            std::memcpy(o, digits + 2 + exponent, std::size_t(kExportDigits - 1 - exponent));
            o += kExportDigits - 1 - exponent;
        }
        trimFraction(out, o);
        return static_cast<int>(o - out);
    }
    // Mantissa without trailing zeros, then the exponent with a sign and at least two digits.
    char *mantissaEnd = const_cast<char *>(e);
    trimFraction(sci, mantissaEnd);
    const int mantissa = static_cast<int>(mantissaEnd - sci);
    std::memcpy(out, sci, std::size_t(mantissa));
    return mantissa + std::snprintf(out + mantissa, 64 - std::size_t(mantissa), "e%c%02d", exponent < 0 ? '-' : '+',
                                    std::abs(exponent));
}

QByteArray exportNumber(float value)
{
    char out[64];
    return QByteArray(out, formatExportNumber(value, out));
}

} // namespace orvel
