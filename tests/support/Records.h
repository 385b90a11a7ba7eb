#pragma once
// Readings as the recorder stores them, for tests and benchmarks.

#include "meter/FrameDecoder.h"
#include "meter/MeterReading.h"
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

/// The current reading of a meter that shows `shown` volts DC, as a tick leaves it.
inline TMeterReading voltMeterReading(const QString &shown)
{
    TMeterReading r;
    r.sValue = r.szDisplay = shown;
    r.sExponent = QStringLiteral("0");
    r.iFunction = fn::VoltDC;
    r.szUnit = QStringLiteral("V");
    return r;
}

/// The time stamp `tenths` tenths of a second after a midnight, as the recorder writes it.
inline QString timeOfTenths(int tenths)
{
    return formatTimeStamp(QTime(0, 0).addMSecs(tenths % 864000 * 100));
}

} // namespace orvel::test
