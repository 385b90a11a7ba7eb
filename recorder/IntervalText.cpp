#include "recorder/IntervalText.h"

#include <QRegularExpression>

namespace orvel {

IntervalAnswer parseIntervalSeconds(const QString &text)
{
    const QString trimmed = text.trimmed();
    bool ok = false;
    const qlonglong value = trimmed.toLongLong(&ok, 10);
    if (!ok) {
        // Digits beyond the range of a 64-bit number are still a number, only far too large.
        static const QRegularExpression digits(QStringLiteral("^[+-]?[0-9]+$"));
        if (digits.match(trimmed).hasMatch())
            return {IntervalAnswer::OutOfRange, 0};
        return {IntervalAnswer::NotANumber, 0};
    }
    if (value < 0 || value > kMaxIntervalSeconds)
        return {IntervalAnswer::OutOfRange, 0};
    return {IntervalAnswer::Seconds, int(value)};
}

} // namespace orvel
