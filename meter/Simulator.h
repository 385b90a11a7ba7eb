#pragma once
// What the meter simulator shows: a scenario is a list of display states, each
// repeated for a number of frames. Scenario files hold one state per line:
//
//     # count  display  annunciators…
//     20  1.234  DC V
//     5   _0.L_  ohm M
//     8   25C
//
// The display is up to four characters of the segment table with points
// ("_" is a blank digit, a leading "-" the minus sign); fewer than four digits
// are right-aligned. Annunciators: AC DC V A F ohm Hz, the prefixes n u m k M,
// flag8 flag13 and lowbat. Blank lines and lines starting with "#" are skipped.

#include "meter/FrameEncoder.h"

#include <QList>
#include <QString>

namespace orvel {

struct ScenarioStep
{
    DisplayState display;
    int repeat = 1; ///< frames in a row with this display
};

/// Reads a scenario file's text. On a bad line, nothing, and `error` names
/// the line and what is wrong with it.
std::optional<QList<ScenarioStep>> parseScenario(const QString &text, QString *error = nullptr);

/// The tour through every function: a slowly drifting DC voltage with a little
/// noise, then AC volts, millivolts, ohms with an overload, capacitance,
/// frequency, current, degrees Celsius and Fahrenheit, a few low-battery frames
/// and a blank display. The same every time (`seed` picks the noise).
QList<ScenarioStep> tourScenario(std::uint32_t seed = 1);

/// The default demonstration, a lithium cell measured in DC volts at one frame
/// every kBatteryFrameMs: it discharges through a load that switches between
/// light and heavy (a step each time, then a slow creep), sagging with a little
/// noise down to its cut-off; it rests, charges (constant current, then held at
/// 4.200 V), rests and starts again (about 32 minutes a round). Every
/// kLowBatteryEvery frames, from frame kFirstLowBattery on, the meter's own
/// battery reports low for two frames. The same every time (`seed` picks the noise).
QList<ScenarioStep> batteryScenario(std::uint32_t seed = 1);

inline constexpr int kBatteryFrameMs = 250;
inline constexpr int kFirstLowBattery = 160;
inline constexpr int kLowBatteryEvery = 800;

/// The built-in scenario called `name` ("battery", "tour"); none for another name.
std::optional<QList<ScenarioStep>> builtInScenario(const QString &name);

/// Ways a meter (or its cable) can misbehave, for trying the link out:
/// - Noise: one to six random bytes come just before every frame;
/// - Drop: one frame in two, at random, loses one of its bytes;
/// - Stall: after every kStallEvery frames the line falls silent for kStallMs;
/// - Burst: every period brings kBurstFrames frames back to back, more than the
///   line could carry, in pieces that do not keep to frame boundaries;
/// - HangUp: after kHangUpAfter frames the terminal closes as if the cable were
///   pulled; kHangUpMs later a new one opens and the frames go on.
enum class MeterFault { None, Noise, Drop, Stall, Burst, HangUp };

inline constexpr int kStallEvery = 20;
inline constexpr int kStallMs = 3000;
inline constexpr int kBurstFrames = 20;
inline constexpr int kHangUpAfter = 20;
inline constexpr int kHangUpMs = 2000;

/// The fault named `name` ("noise", "drop", "stall", "burst", "hangup").
std::optional<MeterFault> faultFromName(const QString &name);

/// Plays a scenario frame by frame, from the start again after its end.
class ScenarioPlayer
{
public:
    explicit ScenarioPlayer(QList<ScenarioStep> steps);

    /// The display of the next frame.
    const DisplayState &next();

private:
    QList<ScenarioStep> steps_;
    qsizetype step_ = 0;
    int shown_ = 0;
};

} // namespace orvel
