#include "meter/MeterReading.h"

#include "base/FloatText.h"
#include "meter/DisplayText.h"
#include "meter/Needle.h"
#include "resources/Strings.h"

#include <cmath>

namespace orvel {

namespace {
constexpr int kNoFormat = 2016; // "----"
constexpr int kAC = 2017, kDC = 2018, kDCAC = 2019;

double tenTo(int k)
{
    return std::pow(10.0, k);
}

int intPow10(int n)
{
    int v = 1;
    for (int i = 0; i < n; ++i)
        v *= 10;
    return v;
}

// The display text of a voltage or current: four digits with leading zeros,
// one column more for the sign.
QString signedFourDigits(const QString &sValue, double fValue, int iPointPos)
{
    const int precision = 3 - iPointPos;
    const double shown = fValue * tenTo(iPointPos);
    const bool minus = sValue.contains(QLatin1Char('-'));
    if (minus)
        return iPointPos == 3 ? formatC("%05.*f", precision, shown) : formatC("%06.*f", precision, shown);
    return iPointPos == 3 ? formatC("%04.*f", precision, shown) : formatC("%05.*f", precision, shown);
}
} // namespace

QString acDcMark(int iFunction)
{
    switch (iFunction) {
    case fn::VoltDCAC:
    case fn::AmpDCAC: return LoadStr(kDCAC);
    case fn::VoltDC:
    case fn::AmpDC: return LoadStr(kDC);
    case fn::VoltAC:
    case fn::AmpAC: return LoadStr(kAC);
    default: return {};
    }
}

void ReadingComputation::takeFrame(const DecodedFrame &frame)
{
    MeterReading.sValue = frame.sValue;
    MeterReading.sExponent = frame.sExponent;
    MeterReading.dwMode = frame.dwMode;
    MeterReading.iFunction = functionOf(frame.dwMode);
}

ReadingComputation::Outcome ReadingComputation::complete(double hiLimit, double lowLimit)
{
    TMeterReading &r = MeterReading;
    Outcome outcome;
    outcome.numeric = formatNumber();
    digital.SubDataPanel = QStringLiteral(" ");

    r.iPrefixExp = GetRangePrefixExp(r.iFunction, r.sExponent);
    r.szPrefix = GetPrefixLabel(r.iFunction, r.iPrefixExp);
    r.szUnit = GetUnitLabel(r.dwMode);
    digital.UnitPanel = r.szPrefix;
    digital.FuncPanel = r.szUnit;
    digital.style = labelStyleFor(r.iFunction);
    digital.pnlAcDc = acDcMark(r.iFunction);

    computeAnalog();
    outcome.comparatorUpdated = computeComparator(hiLimit, lowLimit);
    return outcome;
}

// Number, point position and display text by function. A value text that is not
// a number leaves fValue as it was and is shown as it stands.
bool ReadingComputation::formatNumber()
{
    TMeterReading &r = MeterReading;
    const int e = textToInt(r.sExponent).value_or(0);
    std::optional<double> number;
    switch (r.iFunction) {
    case fn::Volt:
    case fn::VoltAC:
    case fn::VoltDC:
        r.iPointPos = e < 0 ? e + 3 : e;
        if ((number = displayNumber(r.sValue))) {
            r.fValue = *number;
            r.szDisplay = signedFourDigits(r.sValue, r.fValue, r.iPointPos);
        }
        break;
    case fn::AmpAC:
    case fn::AmpDC:
        r.iPointPos = e < 0 ? e % 3 + 3 : e;
        if ((number = displayNumber(r.sValue))) {
            r.fValue = *number;
            r.szDisplay = signedFourDigits(r.sValue, r.fValue, r.iPointPos);
        }
        break;
    case fn::Capacitance:
        r.iPointPos = e == 3 ? 3 : (e + 3) % 3;
        if ((number = displayNumber(r.sValue))) {
            r.fValue = *number;
            r.szDisplay = r.iPointPos == 3 ? formatC("%04.0f", r.fValue * 1000)
                                           : formatC("%05.*f", 3 - r.iPointPos, r.fValue * tenTo(r.iPointPos));
        }
        break;
    case fn::Celsius:
    case fn::Fahrenheit:
        // Cut the unit letter; an overload text keeps its "L".
        if (r.sValue.endsWith(QLatin1Char('C')) || r.sValue.endsWith(QLatin1Char('F')))
            r.sValue.chop(1);
        r.iPointPos = e;
        if ((number = displayNumber(r.sValue))) {
            r.fValue = *number * tenTo(r.iPointPos);
            r.szDisplay = formatC("%03.0f", r.fValue);
        }
        break;
    case fn::Ohm:
    case fn::OhmFlag8:
        r.iPointPos = e % 3;
        if ((number = displayNumber(r.sValue))) {
            r.fValue = *number;
            r.szDisplay = formatC("%05.*f", 3 - r.iPointPos, r.fValue * tenTo(r.iPointPos));
        }
        break;
    case fn::Frequency:
        if ((number = displayNumber(r.sValue))) {
            r.iPointPos = e % 3;
            r.fValue = *number;
            r.szDisplay = formatC("%05.*f", 3 - r.iPointPos, r.fValue * tenTo(r.iPointPos));
        }
        break;
    default: // DC+AC, volt-amperes, unknown: no number format
        r.szDisplay = r.sValue;
        digital.DataPanel = LoadStr(kNoFormat);
        return false;
    }
    if (!number) {
        r.szDisplay = r.sValue;
        digital.DataPanel = r.sValue;
        return false;
    }
    digital.DataPanel = r.szDisplay;
    return true;
}

void ReadingComputation::computeAnalog()
{
    const TMeterReading &r = MeterReading;
    AnalogValues &a = analog;
    a.szPrefix = r.szPrefix;
    a.szUnit = r.szUnit;
    a.iFunction = r.iFunction;

    QString s = r.szDisplay;
    const qsizetype dash = s.indexOf(QLatin1Char('-'));
    a.negative = dash >= 0;
    if (a.negative)
        s = s.mid(dash + 1);

    QString digits;
    if (const qsizetype dot = s.indexOf(QLatin1Char('.')); dot >= 0) {
        digits = s.left(dot) + s.mid(dot + 1);
    } else {
        switch (r.iFunction) {
        case fn::Volt: // a whole-number voltage ("1000") moves the needle like the marked ones
        case fn::VoltAC:
        case fn::VoltDC:
        case fn::VoltDCAC:
        case fn::Capacitance:
        case fn::Celsius:
        case fn::Fahrenheit:
        case fn::AmpAC:
        case fn::AmpDC:
        case fn::AmpDCAC:
        case fn::VoltAmp: digits = s; break;
        default: break;
        }
    }

    if (const auto counts = digitsValue(digits)) {
        const int n = int(digits.size());
        a.reading = *counts;
        a.pointPos = r.iPointPos;
        switch (r.iFunction) {
        case fn::VoltAmp:
        case fn::Frequency: a.scaleEnd = intPow10(n); break;
        case fn::Celsius:
        case fn::Fahrenheit:
            a.scaleEnd = 2000;
            a.pointPos = 2;
            break;
        case fn::Capacitance: a.scaleEnd = a.pointPos == 3 ? intPow10(n) : 6 * intPow10(n - 1); break;
        default: a.scaleEnd = 6 * intPow10(n - 1); break;
        }
    } else if (r.sValue.contains(QLatin1Char('L'))) {
        // Overload: the needle stands just past full scale.
        a.scaleEnd = 6000;
        a.reading = 6500;
        a.pointPos = r.iPointPos;
    }
}

bool ReadingComputation::computeComparator(double hiLimit, double lowLimit)
{
    const TMeterReading &r = MeterReading;
    comparator.szPrefix = r.szPrefix;
    comparator.szUnit = r.szUnit;
    comparator.iFunction = r.iFunction;
    if (const auto v = displayNumber(r.szDisplay)) {
        comparator.reading = float(*v);
        return true;
    }
    if (r.sValue.contains(QLatin1Char('L'))) {
        // Overload: half a band beyond the limit on its side.
        const double half = (hiLimit - lowLimit) / 2;
        comparator.reading = toSingle(r.sValue.contains(QLatin1Char('-')) ? lowLimit - half : hiLimit + half);
        return true;
    }
    return false;
}

} // namespace orvel
