#include "meter/Needle.h"

#include "meter/FrameDecoder.h"
#include "resources/Strings.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

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

float toSingle(double x)
{
    // From the largest float plus half a unit in its last place on, no float is
    // nearest: round-to-nearest overflows, which a plain conversion leaves undefined.
    constexpr double kBeyond = double(std::numeric_limits<float>::max()) + 0x1p103;
    if (x >= kBeyond)
        return std::numeric_limits<float>::infinity();
    if (x <= -kBeyond)
        return -std::numeric_limits<float>::infinity();
    return float(x); // NaN stays NaN
}

bool singleCanHold(double x)
{
    const double magnitude = std::abs(x);
    return x == 0.0 || (magnitude >= double(std::numeric_limits<float>::min()) &&
                        magnitude <= double(std::numeric_limits<float>::max()));
}

double comparatorNeedleAngle(float v, double high, double low)
{
    const float hi = toSingle(high);
    const float lo = toSingle(low);
    // Half of each limit first: the difference of two large limits may not fit a float.
    const float half = hi * 0.5f - lo * 0.5f;
    const float k = 20.0f / half;
    const float e0 = lo - half;
    const float e1 = hi + half;
    if (!(half > 0.0f) || !std::isfinite(k) || !std::isfinite(e0) || !std::isfinite(e1) || !std::isfinite(e1 - e0)) {
        // No band that single precision can place the needle in.
        return v > hi ? 50.0 : v < lo ? 130.0 : 90.0;
    }
    float d = v - e0;
    if (!(d >= 0)) // below the left end, or no number at all
        d = 0;
    if (!(d < e1 - e0))
        d = e1 - e0;
    return std::clamp(180.0 - double(d * k + 50.0f), 50.0, 130.0);
}

int alarmFrequency(float v, double high, double low)
{
    if (v > toSingle(high))
        return kHighTone;
    if (v < toSingle(low))
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
