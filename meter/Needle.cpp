#include "meter/Needle.h"

#include "meter/FrameDecoder.h"
#include "resources/Strings.h"

#include <cmath>
#include <cstdlib>

namespace orvel {

namespace {
constexpr int kScale0to6 = 30, kScale0to10 = 13, kScale0to20 = 15;
constexpr int kTimes = 2020; // "x"
} // namespace

double analogNeedleAngle(int reading, int scaleEnd)
{
    if (scaleEnd <= 0)
        return kAnalogZeroAngle;
    const double angle = 180.0 - (std::abs(double(reading)) * (120.0 / scaleEnd) + 30.0);
    return angle < kAnalogStopAngle ? kAnalogStopAngle : angle;
}

QPoint needleEnd(double angle, int length)
{
    const double r = angle * kDegree;
    return {int(std::trunc(std::cos(r) * length)), int(std::trunc(-std::sin(r) * length))};
}

double comparatorNeedleAngle(float v, double high, double low)
{
    const float half = float(high - low) * 0.5f;
    if (!(half > 0.0f)) // limits out of order: no band to place the needle in
        return v > high ? 50.0 : v < low ? 130.0 : 90.0;
    const float k = 20.0f / half;
    const float e0 = float(low) - half;
    const float e1 = float(high) + half;
    float d = v - e0;
    if (d < 0)
        d = 0;
    if (!(d < e1 - e0))
        d = e1 - e0;
    return 180.0 - double(d * k + 50.0f);
}

int alarmFrequency(float v, double high, double low)
{
    if (double(v) > high)
        return kHighTone;
    if (double(v) < low)
        return kLowTone;
    return 0;
}

int analogScaleFor(int iFunction, int pointPos)
{
    switch (iFunction) {
    case fn::Volt:
    case fn::VoltAmp:
    case fn::Frequency: return kScale0to10;
    case fn::Capacitance: return pointPos == 3 ? kScale0to10 : kScale0to6;
    case fn::Celsius:
    case fn::Fahrenheit: return kScale0to20;
    default: return kScale0to6;
    }
}

QString multiplierText(int pointPos)
{
    int m = 1;
    for (int i = 0; i < pointPos && i < 9; ++i)
        m *= 10;
    return LoadStr(kTimes) + QString::number(m);
}

} // namespace orvel
