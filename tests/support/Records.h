#pragma once
// Readings as the recorder stores them, for tests and benchmarks.

#include "meter/FrameDecoder.h"
#include "recorder/StoredValue.h"
#include "recorder/Tarecord.h"

#include <QTime>

namespace orvel::test {

/// A reading of volts DC: `value`, shown as `shown` (the value's own digits
/// when null), taken at `time`, with the auxiliary text `aux`.
inline TARecord voltReading(float value, const QString &time, QString shown = {}, const QString &aux = {})
{
    if (shown.isNull())
        shown = QString::number(value);
    return TARecord(shown, QStringLiteral("0"), fn::VoltDC, time, shown, QString(), QStringLiteral("V"), value, aux);
}

/// The time stamp `tenths` tenths of a second after a midnight, as the recorder writes it.
inline QString timeOfTenths(int tenths)
{
    return formatTimeStamp(QTime(0, 0).addMSecs(tenths % 864000 * 100));
}

} // namespace orvel::test
