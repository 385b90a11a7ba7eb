#pragma once
// An unattended recording: the recorder's conditions judged on each reading
// the acquisition tick brings, for the recorder window and orvel-cli record
// alike. It arms the recording on a start condition (the readings it would
// have stored go to the pre-trigger ring) or starts it at once; when the start
// condition fires, the kept readings are stored and the reading that fired is
// the first after them, with a trigger mark naming the condition. While it
// records, the first stop condition that fires stops it as Stop does, before
// that reading is stored, with a mark naming why on the newest reading (none
// for the planned end: a count of readings, a duration, a time of day); each
// alarm that fires places an alarm mark with the condition and the value on
// the reading that fired it (or, at an interval, the newest one stored) and
// may sound the comparator's tone. Every mark placed while recording (by hand
// too) runs the plan's command, if any.
//
// The stop conditions and the alarms are armed when the recording starts; the
// stop conditions are judged from the reading after the one that started it
// (a start and a stop that fire on one reading give a recording of that
// reading and those kept before it), except "readings", which is judged as
// each reading is stored. Conditions of time alone (silent, after, at) are
// also judged between readings, every tenth of a second.

#include "platform/ShellCommand.h"
#include "recorder/Recording.h"
#include "recorder/RunPlan.h"

#include <QDateTime>
#include <QObject>
#include <QTimer>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace orvel {

struct TMeterReading;

inline constexpr int kMarkCommandsAtOnce = 4; ///< mark commands running at once, at most

class RunWatch : public QObject
{
    Q_OBJECT

public:
    explicit RunWatch(Recording &recording, QObject *parent = nullptr);
    ~RunWatch() override;

    /// The conditions of the runs begun from now on.
    void setConditions(RunConditions conditions);
    const RunConditions &conditions() const { return c_; }

    /// Local date and time (tests put in their own).
    std::function<QDateTime()> clock = [] { return QDateTime::currentDateTime(); };
    /// The comparator's upper and lower limit, for "outside limits".
    std::function<std::pair<double, double>()> limits = [] { return std::pair<double, double>{0.0, 0.0}; };
    /// Every reading is stored, not only those the logger timer asks for (orvel-cli at full speed).
    bool storeEveryReading = false;

    /// Begins a run: `open(preTrigger)` opens the store and arms the recording
    /// (preTrigger ≥ 0) or starts it (−1); false when it could not.
    bool begin(const std::function<bool(int preTrigger)> &open);
    /// Goes on into another store: `open()` ends the recording and starts it
    /// again; the run's conditions stay armed, its count goes on. False when
    /// the new store could not be opened.
    bool continueInto(const std::function<bool()> &open);
    /// A reading the tick brought, taken at `stamp`: judged, and stored when
    /// the recording asks for one (or kept while armed).
    StoreResult take(const TMeterReading &reading, const QTime &stamp);
    /// Judges the conditions of time alone (the watch's timer calls it).
    void judgeTime();

    /// While armed: what it waits for ("Waiting: above 1.500 V, 20 readings kept").
    QString statusText() const;

signals:
    /// The start condition `condition` fired; `kept` readings go in before the next.
    void triggered(const QString &condition, int kept);
    /// The stop condition `condition` stopped the recording.
    void stopped(const QString &condition);
    /// Something the user should hear of that does not stop the recording.
    void warning(const QString &text);
    /// Between readings, the start condition fired but the kept readings could
    /// not all be stored (the recording stopped); a reading's store says so itself.
    void storeFailed(const orvel::StoreResult &result);

private:
    struct Watched
    {
        ConditionJudge judge;
        bool toldMismatch = false;
    };
    ConditionMoment moment(const ConditionSample *sample) const;
    qint64 storedInRun() const;
    void arm(std::vector<Watched> &list, const std::vector<Condition> &conditions, const QDateTime &now);
    /// The start condition fired: the kept readings go in.
    StoreResult fire();
    /// Stores `reading` when the recording asks for one; places a trigger mark that waits.
    StoreResult storeRequested(const TMeterReading &reading, const QTime &stamp);
    /// Judges the stop conditions at `m`; true when one stopped the recording.
    bool judgeStops(const ConditionMoment &m, const TMeterReading *reading);
    void judgeAlarms(const ConditionMoment &m, const TMeterReading *reading, qsizetype stored);
    /// Warns once each time a condition starts to meet another unit than its own.
    void tellMismatch(Watched &w, const TMeterReading &reading);
    /// The newest reading of this run, or −1.
    qsizetype newestOfRun() const;
    void runCommand(qsizetype position);
    void commandEnded(qint64 reading, int status);

    Recording &rec_;
    RunConditions c_;
    std::optional<Watched> start_;
    std::vector<Watched> stops_, alarms_;
    qsizetype runFirst_ = 0;  ///< buffer index of the run's first reading in this store
    qint64 storedBefore_ = 0; ///< readings of the run stored in the stores before this one
    QString pendingTrigger_;  ///< the trigger mark's text, waiting for the next stored reading
    QString lastUnit_;        ///< the unit label of the last reading
    QTimer timer_;
    ShellCommands commands_{kMarkCommandsAtOnce};
};

} // namespace orvel
