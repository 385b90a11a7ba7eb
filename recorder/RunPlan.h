#pragma once
// The plan of an unattended recording: what starts it (at once, a condition,
// a time of day) and how many readings before the start it keeps, what stops
// it (any of several conditions: a count of readings, a duration, a time, a
// reading), the alarms that mark it, whether they sound the comparator's tone,
// and the command run on each mark. The recorder window keeps it between runs
// in a file of its own in the start-up folder ("ZEVRUN.ini", so that the
// settings file stays as it is): UTF-8 lines "name=value", one "stop=" and one
// "alarm=" line a condition.
//
//     start=above 1.5
//     pre=20
//     stop=readings 1000
//     stop=below 1.5 for 5s
//     alarm=outside limits
//     tone=1
//     command=notify-send "$ORVEL_MARK_TEXT"

#include "recorder/Conditions.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace orvel {

inline constexpr int kMaxPreTrigger = 100000; ///< readings kept before a start, at most

/// The plan as written: the conditions as texts.
struct RunPlan
{
    QString start;      ///< the start condition; empty: at once
    int preTrigger = 0; ///< readings kept before the start
    QStringList stops;  ///< any of them stops the recording; none: by hand
    QStringList alarms; ///< each places a mark while recording
    bool alarmTone = false;
    QString command; ///< run by the shell on each mark; empty: none

    bool operator==(const RunPlan &) const = default;
};

/// The plan with its conditions parsed.
struct RunConditions
{
    std::optional<Condition> start;
    int preTrigger = 0;
    std::vector<Condition> stops;
    std::vector<Condition> alarms;
    bool alarmTone = false;
    QString command;
};

/// The plan's conditions parsed; none, with the first wrong one named in
/// `error` ("stop, line 2: …"), when one does not parse.
std::optional<RunConditions> parseRunPlan(const RunPlan &plan, QString *error = nullptr);

/// The plan's file in `workDir`.
QString runPlanFilePath(const QString &workDir);
/// The plan in `path`; an empty plan when there is none. Lines it does not
/// know are passed over.
RunPlan readRunPlan(const QString &path);
/// Writes the plan whole (a failed write keeps the file as it was).
bool writeRunPlan(const QString &path, const RunPlan &plan, QString *error = nullptr);

} // namespace orvel
