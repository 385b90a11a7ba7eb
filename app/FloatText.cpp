#include "app/FloatText.h"

#include <QLocale>

#include <charconv>
#include <clocale>
#include <cstdarg>
#include <cstdio>

#include <locale.h>
#include <cmath>

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

} // namespace orvel
