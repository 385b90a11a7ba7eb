#include "recorder/StoredValue.h"

#include "base/FloatText.h"
#include "meter/DisplayText.h"
#include "meter/FrameDecoder.h"
#include "meter/MeterReading.h"

#include <cmath>

namespace orvel {

std::optional<float> OverloadValue(int iFunction, int e)
{
    const double scale = std::pow(10.0, e);
    switch (iFunction) {
    case fn::VoltAC:
    case fn::VoltDC:
    case fn::VoltDCAC:
    case fn::AmpAC:
    case fn::AmpDC:
    case fn::AmpDCAC: return float(6.6 * scale);
    case fn::Capacitance: return float(5.5 * scale);
    case fn::Celsius:
    case fn::Fahrenheit: return 1100.0f;
    case fn::Ohm:
    case fn::Frequency: return float(9.9 * scale);
    case fn::OhmFlag8: return 1000.0f;
    case 2048: return 110.0f;
    default: return std::nullopt;
    }
}

std::optional<float> storedValue(const TMeterReading &reading)
{
    if (const auto v = displayNumberTimesTen(reading.sValue, reading.sExponent))
        return float(*v);
    if (!reading.sValue.contains(QLatin1Char('L')))
        return std::nullopt;
    const auto overload = OverloadValue(reading.iFunction, textToInt(reading.sExponent).value_or(0));
    if (!overload)
        return std::nullopt;
    return reading.sValue.contains(QLatin1Char('-')) ? -*overload : *overload;
}

QString formatTimeStamp(const QTime &time)
{
    return formatC("%3d:%02d:%02d.%-3d", time.hour(), time.minute(), time.second(), time.msec() / 100);
}

QTime localTimeNow()
{
    return QTime::currentTime();
}

} // namespace orvel
