#include "meter/DisplayText.h"

#include "base/FloatText.h"

#include <cmath>

namespace orvel {

namespace {
bool isDisplayNumber(QStringView t)
{
    if (t.startsWith(QLatin1Char('-')))
        t = t.mid(1);
    int digits = 0;
    int points = 0;
    for (QChar ch : t) {
        if (ch.unicode() >= '0' && ch.unicode() <= '9')
            ++digits;
        else if (ch == QLatin1Char('.'))
            ++points;
        else
            return false;
    }
    return digits > 0 && points <= 1;
}
} // namespace

std::optional<double> displayNumber(const QString &text)
{
    const QString t = text.trimmed();
    if (!isDisplayNumber(t))
        return std::nullopt;
    return textToFloat(t);
}

std::optional<double> displayNumberTimesTen(const QString &text, const QString &exponent)
{
    const auto mantissa = displayNumber(text);
    const auto e = textToInt(exponent);
    if (!mantissa || !e)
        return std::nullopt;
    // Read the whole text at once so that "1.234E-3" rounds like one decimal number.
    return textToFloat(text.trimmed() + QLatin1Char('E') + QString::number(*e));
}

std::optional<int> digitsValue(const QString &digits)
{
    if (digits.isEmpty() || digits.size() > 9)
        return std::nullopt;
    int value = 0;
    for (QChar ch : digits) {
        if (ch.unicode() < '0' || ch.unicode() > '9')
            return std::nullopt;
        value = value * 10 + (ch.unicode() - '0');
    }
    return value;
}

} // namespace orvel
