#pragma once
// One acquisition tick's computation, without windows: the decoded frame becomes
// the current reading (number, display text, labels), what the digital meter
// shows, and the values the analog meter and the comparator draw. Some values
// carry from tick to tick: a reading whose text is not a number leaves the
// number, the point position and the needles where they were.

#include "meter/FrameDecoder.h"
#include "meter/Getunitfuncstr.h"

#include <QString>

#include <cstdint>

namespace orvel {

/// The one current reading.
struct TMeterReading
{
    QString sValue;           ///< value text as decoded; a temperature's unit letter cut off
    QString sExponent;        ///< decimal exponent text of sValue (degrees: "2"; capacitance: in µF)
    std::uint32_t dwMode = 0; ///< annunciators; bit 31 low battery
    int iFunction = 0;        ///< dwMode without the low-battery bit
    QString sAux;             ///< auxiliary text; no frame fills it
    double fValue = 0.0;      ///< the number in sValue (degrees already scaled)
    int iPointPos = 0;        ///< decimals shown: the display is fValue × 10^iPointPos with 3 − iPointPos decimals
    int iPrefixExp = 0;       ///< exponent of the prefix label
    QString szDisplay;        ///< the number as the meter shows it ('12.34', '-0600', "025"), or sValue
    QString szPrefix;         ///< prefix label
    QString szUnit;           ///< unit label
};

/// What the digital meter's panels show after a tick.
struct DigitalPanels
{
    QString DataPanel;    ///< the display text, sValue when that is not a number, "----" without a number format
    QString SubDataPanel; ///< auxiliary line: one blank
    QString UnitPanel;    ///< prefix label
    QString FuncPanel;    ///< unit label
    QString pnlAcDc;      ///< "AC", "DC", "DC+AC" or empty
    LabelStyle style;     ///< faces and alignment of UnitPanel (prefix) and FuncPanel (unit)
};

/// The analog meter's needle values.
struct AnalogValues
{
    QString szPrefix;
    QString szUnit;
    int iFunction = fn::VoltAC;
    int reading = 0;       ///< the displayed digits as a whole number (counts), sign and point removed
    int scaleEnd = 6000;   ///< counts that put the needle at full scale
    int pointPos = 2;      ///< iPointPos of the reading
    bool negative = false; ///< the display has a minus sign
};

/// The comparator's needle value.
struct ComparatorValues
{
    QString szPrefix;
    QString szUnit;
    int iFunction = 0;
    float reading = 0.0f; ///< the displayed number, prefix not applied
};

/// Texts the meter's AC/DC mark shows for a function.
QString acDcMark(int iFunction);

class ReadingComputation
{
public:
    TMeterReading MeterReading;
    AnalogValues analog;
    ComparatorValues comparator;
    DigitalPanels digital;

    /// The decoded frame becomes the reading's sValue, sExponent, dwMode and iFunction.
    void takeFrame(const DecodedFrame &frame);

    /// The meter reports a low battery.
    bool lowBattery() const { return (MeterReading.dwMode & kModeLowBattery) != 0; }

    struct Outcome
    {
        bool numeric = false;           ///< sValue was a number in the function's format
        bool comparatorUpdated = false; ///< the comparator got a new reading
    };

    /// The rest of the tick: number and display text, labels, the digital panels,
    /// the analog meter's and the comparator's values (the comparator places an
    /// overload half a band outside the limits `hiLimit` / `lowLimit`).
    Outcome complete(double hiLimit, double lowLimit);

private:
    bool formatNumber();
    void computeAnalog();
    bool computeComparator(double hiLimit, double lowLimit);
};

} // namespace orvel
