#pragma once
// Where the needles of the analog meter and the comparator stand, and what the
// comparator's alarm sounds. Angles are in degrees, counter-clockwise from the
// right: 90 is straight up.

#include <QPoint>
#include <QString>

namespace orvel {

inline constexpr double kDegree = 0.017453292444444442; ///< radians per degree, as the needles have always used
inline constexpr int kAnalogNeedleLength = 100;         ///< pixels
inline constexpr int kAnalogPivotY = 132;               ///< pivot's height in the analog meter window
inline constexpr double kAnalogZeroAngle = 150.0;       ///< needle at 0 counts
inline constexpr double kAnalogFullAngle = 30.0;        ///< needle at the scale end
inline constexpr double kAnalogStopAngle = 25.0;        ///< the needle stops 5° past full scale
inline constexpr int kComparatorNeedleLength = 70;
inline constexpr int kComparatorPivotY = 99;
inline constexpr double kComparatorInitialAngle = 130.0;
inline constexpr int kHighTone = 1047; ///< Hz, above the upper limit
inline constexpr int kLowTone = 523;   ///< Hz, below the lower limit
inline constexpr int kToneMs = 100;

/// The analog needle for `reading` counts of `scaleEnd`: 150° at zero, 30° at the
/// scale end, linear between; the sign does not matter; never below 25°.
double analogNeedleAngle(int reading, int scaleEnd);

/// The end of a needle `length` long at `angle`, relative to its pivot, each
/// coordinate truncated toward zero (y grows downward).
QPoint needleEnd(double angle, int length);

/// The comparator works in single precision, like the reading it judges: `x`
/// as a float, rounded to nearest; beyond the float range it becomes an
/// infinity of its sign (a plain conversion would be undefined there).
float toSingle(double x);

/// Whether a limit can be used as the comparator's: a finite number that single
/// precision holds without overflow, and zero or at least the smallest normal
/// float (about 1.2E-38) in magnitude. Smaller magnitudes are refused rather
/// than held as denormals: they keep only a few significant bits, and a band
/// that narrow divides the needle's sweep by nothing.
bool singleCanHold(double x);

/// The comparator's needle for reading `v` between lower limit `low` and upper
/// limit `high`, worked in single precision: 110° at the lower limit, 70° at
/// the upper, 90° half-way, held at 130° and 50° half a band beyond each limit.
/// Limits that give no band to sweep over (out of order, equal, or beyond what
/// single precision holds, as an edited settings file may have them) give 130°,
/// 90° or 50° by comparison. The result always lies within [50, 130].
double comparatorNeedleAngle(float v, double high, double low);

/// The alarm tone for `v`: 1047 Hz above the upper limit, 523 Hz below the
/// lower one, 0 (none) between them, both limits included. The limits are
/// taken in single precision, so a reading equal to a limit as both are shown
/// ("12.34" against 12.34) is a pass.
int alarmFrequency(float v, double high, double low);

/// The analog meter's scale picture for a function: 13 (0–10), 15 (0–20) or 30 (0–6).
int analogScaleFor(int iFunction, int pointPos);

/// The multiplier shown under the analog scale: "x1", "x10", "x100", "x1000".
QString multiplierText(int pointPos);

} // namespace orvel
