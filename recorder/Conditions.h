#pragma once
// Conditions that start and stop a recording and place alarm marks: one small
// language, parsed once, judged on each reading the acquisition tick brings in
// constant time. The recorder window's dialog and orvel-cli record pass the
// same texts.
//
//   condition  := test [ "for" duration ]
//   test       := "above" value | "below" value | "inside" range | "outside" range
//               | "outside limits" | "overload" | "silent" duration
//               | "after" duration | "readings" count | "at" clock        (words in any letter case)
//   range      := value ".." value                     (LO ≤ HI; blanks around ".." allowed)
//   value      := number [prefix] [unit]               (a blank may stand before prefix and unit)
//   number     := [+|-] digits [. digits] [e [+|-] digits]
//   prefix     := n | u | µ | m | k | K | M | G        (m is milli, M mega)
//   unit       := V | A | F | Hz | VA | ohm | Ω | C | °C | °F   (in any letter case)
//   duration   := number (ms | s | m | h)              (more than 0, at most 366 days)
//   count      := a whole number from 1
//   clock      := HH:MM[:SS]
//
// Values are compared with the reading's stored value, the number the
// logger file keeps (TARecord::fReading), in single precision: the value in
// its unit without prefix (150 mA is 0.15), a capacitance in microfarads. A
// threshold is made the same way from its decimal text, so "above 150mA" and
// a stored 150.0 mA are equal and the reading is not above. A unit given must
// be the reading's; for any other the test never holds (unitMismatch()). An
// overload lies beyond every number on its side; a reading that is no number
// (a blank display) leaves a value test as it was. "outside limits" judges as
// the comparator does: the number as shown, prefix not applied, against its
// upper and lower limit (a reading equal to a limit passes).
//
// A condition fires when its test becomes true (and, with "for", has held that
// long, judged at a reading); a test that holds when the condition is armed
// fires at once. It fires again only after the test was false in between.

#include <QDateTime>
#include <QString>

#include <cstdint>
#include <optional>
#include <utility>

namespace orvel {

struct TMeterReading;

enum class ConditionTest : std::uint8_t {
    Above,
    Below,
    Inside,
    Outside,
    OutsideLimits,
    Overload,
    Silent,   ///< no valid reading (a number or an overload) for `duration`
    After,    ///< `duration` since the start of the run
    Readings, ///< the run has stored `count` readings (those kept before a trigger too)
    At,       ///< the clock's time of day `clock` (the next one from the moment armed)
};

/// Where a condition is used: not every test makes sense everywhere.
enum class ConditionUse : std::uint8_t {
    Start, ///< starts a recording (no after, no readings)
    Stop,  ///< stops it (every test)
    Alarm, ///< places a mark while recording (no after, readings, at)
};

/// The units a condition may name, as the readings' unit labels give them.
enum class ConditionUnit : std::uint8_t { None, Volt, Ampere, Farad, Hertz, VoltAmpere, Ohm, Celsius };

/// A number as written: its digits, the exponent of its prefix and whether it named one.
struct ConditionValue
{
    QString digits;      ///< the number as written, without a "+" sign ("1.5", "-2e-3")
    char prefix = 0;     ///< 'n', 'u', 'm', 'k', 'M', 'G' or 0 for none
    float stored = 0.0f; ///< the threshold against stored values
    float microF = 0.0f; ///< the threshold against capacitances (stored in microfarads)
    double base = 0.0;   ///< the value in its unit without prefix (for messages and LO ≤ HI)

    bool operator==(const ConditionValue &o) const { return digits == o.digits && prefix == o.prefix; }
};

struct Condition
{
    ConditionTest test = ConditionTest::Above;
    ConditionValue low;  ///< above, inside and outside: the value (above) or LO
    ConditionValue high; ///< below, inside and outside: the value (below) or HI
    ConditionUnit unit = ConditionUnit::None;
    qint64 durationMs = 0; ///< silent, after
    qint64 count = 0;      ///< readings
    int clockSeconds = 0;  ///< at: seconds after midnight
    bool clockHasSeconds = false;
    qint64 forMs = 0; ///< how long the test must hold before the condition fires

    bool operator==(const Condition &) const = default;
};

/// A parsed condition, or what is wrong with the text.
struct ParsedCondition
{
    std::optional<Condition> condition;
    QString error; ///< names the word that is wrong and what was expected
};

/// Parses `text` for `use`.
ParsedCondition parseCondition(const QString &text, ConditionUse use);

/// The condition as text in its one written form (lower-case words, single
/// blanks, no blank before a unit), which parses back to the same condition.
QString conditionText(const Condition &c);

/// The condition as the status bar shows it: values with three decimals and
/// their prefix and unit ("above 1.500 V"); `readingUnit` (a unit label) stands
/// in where the condition names no unit.
QString conditionDisplay(const Condition &c, const QString &readingUnit = {});

/// A duration as written in a condition ("500ms", "10s", "5m", "2h").
QString durationText(qint64 ms);

/// What a condition looks at in a reading, worked out once per reading.
struct ConditionSample
{
    bool valid = false;       ///< a number or an overload (a blank display is not)
    bool number = false;      ///< a number (then `stored` holds it)
    bool overload = false;    ///< the display shows an overload
    bool negative = false;    ///< the overload is a negative one
    bool capacitance = false; ///< stored in microfarads
    bool shownNumber = false; ///< the display is a number (then `shown` holds it)
    float stored = 0.0f;      ///< the stored value
    float shown = 0.0f;       ///< the number as shown, prefix not applied
    ConditionUnit unit = ConditionUnit::None;
};

ConditionSample conditionSample(const TMeterReading &reading);

/// The unit a reading's unit label names.
ConditionUnit unitOfLabel(const QString &label);

/// What a condition is judged on: a reading, or the time passing alone.
struct ConditionMoment
{
    qint64 nowMs = 0;                         ///< the wall clock, ms since the epoch
    const ConditionSample *reading = nullptr; ///< null: no reading, only the time
    qint64 stored = 0;                        ///< readings stored in the run so far
    double hiLimit = 0.0;                     ///< the comparator's limits
    double lowLimit = 0.0;
};

/// One condition's state while armed. Each judgement costs the same,
/// whatever came before.
class ConditionJudge
{
public:
    explicit ConditionJudge(Condition condition = {})
        : c_(std::move(condition))
    {}

    const Condition &condition() const { return c_; }

    /// Armed at `now` (local time): nothing held before, "after" and "silent"
    /// count from here, "at" aims at the next such time of day (now included).
    void arm(const QDateTime &now);
    /// True when the condition fires at `moment`.
    bool judge(const ConditionMoment &moment);
    /// The last reading named another unit than the condition: it cannot hold.
    bool unitMismatch() const { return mismatch_; }
    /// The comparator's limits leave no room (upper not above lower): "outside limits" cannot hold.
    bool limitsUnset() const { return limitsUnset_; }
    /// The moment "at" aims at (ms since the epoch).
    qint64 targetMs() const { return targetMs_; }

private:
    enum class Truth : std::uint8_t { False, True, Unknown };
    Truth truth(const ConditionMoment &m);

    Condition c_;
    qint64 armedMs_ = 0;
    qint64 lastValidMs_ = 0; ///< silent: the last valid reading (or the arming)
    qint64 targetMs_ = 0;    ///< at
    qint64 sinceMs_ = 0;     ///< when the test began to hold
    bool held_ = false;      ///< the test held at the last judgement
    bool fired_ = false;     ///< fired since it began to hold
    bool mismatch_ = false;
    bool limitsUnset_ = false;
};

} // namespace orvel
