#include "recorder/RunWatch.h"

#include "meter/Getunitfuncstr.h"
#include "meter/MeterReading.h"
#include "meter/Needle.h"
#include "platform/Tone.h"
#include "recorder/Recording.h"
#include "resources/Strings.h"

#include <QFileInfo>

#include <charconv>

namespace orvel {

namespace {
namespace id {
constexpr int Waiting = 2420, OtherUnit = 2421, NoLimits = 2422, CannotHold = 2439, StartMark = 2423, StopMark = 2424,
              WithValue = 2425, CommandBusy = 2426, CommandStatus = 2427, CommandFailed = 2428;
} // namespace id

constexpr int kJudgeTimeMs = 100;
constexpr int kHighToneHz = 1047, kLowToneHz = 523; // the comparator's tones above and below its limits

// The reading as the meter shows it: "2.000 V", "12.34 mΩ".
QString shownValue(const TMeterReading &r)
{
    const LabelStyle style = labelStyleFor(r.iFunction);
    return r.szDisplay.trimmed() + QLatin1Char(' ') + labelText(r.szPrefix, style.prefixFace) +
           labelText(r.szUnit, style.unitFace);
}

// The reading's unit as shown: "V", "Ω".
QString shownUnit(const TMeterReading &r)
{
    return labelText(r.szUnit, labelStyleFor(r.iFunction).unitFace);
}

QByteArray numberText(float value)
{
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return QByteArray(buffer, end - buffer);
}
} // namespace

RunWatch::RunWatch(Recording &recording, QObject *parent)
    : QObject(parent)
    , rec_(recording)
{
    timer_.setInterval(kJudgeTimeMs);
    connect(&timer_, &QTimer::timeout, this, &RunWatch::judgeTime);
    connect(&rec_, &Recording::markPlaced, this, &RunWatch::runCommand);
    connect(&commands_, &ShellCommands::finished, this, &RunWatch::commandEnded);
}

RunWatch::~RunWatch() = default;

void RunWatch::setConditions(RunConditions conditions)
{
    c_ = std::move(conditions);
}

ConditionMoment RunWatch::moment(const ConditionSample *sample) const
{
    const auto [hi, lo] = limits();
    return {clock().toMSecsSinceEpoch(), sample, storedInRun(), hi, lo};
}

qint64 RunWatch::storedInRun() const
{
    return storedBefore_ + rec_.buffer().count() - runFirst_;
}

qsizetype RunWatch::newestOfRun() const
{
    const qsizetype newest = rec_.buffer().count() - 1;
    return newest >= runFirst_ ? newest : -1;
}

void RunWatch::arm(std::vector<Watched> &list, const std::vector<Condition> &conditions, const QDateTime &now)
{
    list.clear();
    for (const Condition &c : conditions) {
        list.push_back({ConditionJudge(c)});
        list.back().judge.arm(now);
    }
}

bool RunWatch::begin(const std::function<bool(int preTrigger)> &open)
{
    const QDateTime now = clock();
    pendingTrigger_.clear();
    stops_.clear();
    alarms_.clear();
    start_.reset();
    runFirst_ = rec_.buffer().count();
    storedBefore_ = 0;
    if (c_.start) {
        start_ = Watched{ConditionJudge(*c_.start)};
        start_->judge.arm(now);
    } else {
        arm(stops_, c_.stops, now);
        arm(alarms_, c_.alarms, now);
    }
    const bool opened = open(c_.start ? c_.preTrigger : -1);
    timer_.start();
    return opened;
}

bool RunWatch::continueInto(const std::function<bool()> &open)
{
    storedBefore_ = storedInRun();
    const bool opened = open();
    runFirst_ = rec_.buffer().count();
    if (opened)
        timer_.start();
    return opened;
}

StoreResult RunWatch::fire()
{
    const QString condition = conditionText(start_->judge.condition());
    pendingTrigger_ = LoadStr(id::StartMark).arg(condition);
    const QDateTime now = clock();
    arm(stops_, c_.stops, now);
    arm(alarms_, c_.alarms, now);
    runFirst_ = rec_.buffer().count(); // the kept readings belong to the run
    emit triggered(condition, rec_.state().iKept);
    return rec_.trigger();
}

StoreResult RunWatch::storeRequested(const TMeterReading &reading, const QTime &stamp)
{
    if (!rec_.state().bSampleRequest)
        return {StoreOutcome::Dropped, -1, {}}; // not one the interval asks for
    rec_.withdrawSampleRequest();
    if (storeEveryReading)
        rec_.requestSample();
    const StoreResult stored = rec_.takeSample(reading, stamp);
    if (stored.outcome == StoreOutcome::Stored && !pendingTrigger_.isEmpty())
        rec_.placeMark(stored.index, MarkKind::Trigger, std::exchange(pendingTrigger_, {}));
    return stored;
}

StoreResult RunWatch::take(const TMeterReading &reading, const QTime &stamp)
{
    const RecorderState &s = rec_.state();
    if (!s.running()) { // by hand, or nothing runs
        if (!s.bSampleRequest)
            return {StoreOutcome::Dropped, -1, {}};
        rec_.withdrawSampleRequest();
        return rec_.takeSample(reading, stamp);
    }
    lastUnit_ = reading.szUnit;
    const ConditionSample sample = conditionSample(reading);
    const ConditionMoment m = moment(&sample);
    if (s.bArmed) {
        if (!start_ || !start_->judge.judge(m)) {
            if (start_)
                tellMismatch(*start_, reading);
            return storeRequested(reading, stamp); // into the ring
        }
        const StoreResult flushed = fire();
        if (flushed.outcome != StoreOutcome::Stored)
            return flushed; // the file could not take them: the recording stopped
        // The reading that fired is the first after those kept; the stop
        // conditions look at the readings after it.
    } else if (judgeStops(m, &reading)) {
        return {StoreOutcome::Dropped, -1, {}}; // stopped before this reading
    }
    const StoreResult stored = storeRequested(reading, stamp);
    if (rec_.state().bRecording) { // not when the file could not take it
        judgeAlarms(moment(&sample), &reading, stored.index);
        judgeStops(moment(nullptr), nullptr); // "readings": this one counts
    }
    return stored;
}

bool RunWatch::judgeStops(const ConditionMoment &m, const TMeterReading *reading)
{
    for (Watched &w : stops_) {
        if (reading)
            tellMismatch(w, *reading);
        if (!w.judge.judge(m))
            continue;
        const QString condition = conditionText(w.judge.condition());
        const QString why = reading ? LoadStr(id::WithValue).arg(condition, shownValue(*reading)) : condition;
        // The planned end (a count, a duration, a time of day) is no event of the recording.
        const ConditionTest test = w.judge.condition().test;
        const bool planned =
            test == ConditionTest::Readings || test == ConditionTest::After || test == ConditionTest::At;
        if (const qsizetype newest = newestOfRun(); newest >= 0 && !planned)
            rec_.placeMark(newest, MarkKind::Trigger, LoadStr(id::StopMark).arg(why));
        rec_.stop();
        stops_.clear();
        alarms_.clear();
        emit stopped(condition);
        return true;
    }
    return false;
}

void RunWatch::judgeAlarms(const ConditionMoment &m, const TMeterReading *reading, qsizetype stored)
{
    for (Watched &w : alarms_) {
        if (reading)
            tellMismatch(w, *reading);
        if (!w.judge.judge(m))
            continue;
        const Condition &c = w.judge.condition();
        const QString condition = conditionText(c);
        const qsizetype on = stored >= 0 ? stored : newestOfRun();
        if (on >= 0)
            rec_.placeMark(on, MarkKind::Alarm,
                           reading ? LoadStr(id::WithValue).arg(condition, shownValue(*reading)) : condition);
        if (c_.alarmTone)
            playTone(c.test == ConditionTest::Below ? kLowToneHz : kHighToneHz, kToneMs);
    }
}

void RunWatch::judgeTime()
{
    const RecorderState &s = rec_.state();
    if (!s.running()) {
        timer_.stop();
        return;
    }
    if (s.frozen())
        return;
    const ConditionMoment m = moment(nullptr);
    if (s.bArmed) {
        if (!start_ || !start_->judge.judge(m))
            return;
        const StoreResult flushed = fire(); // the trigger mark waits for the next reading
        if (flushed.outcome == StoreOutcome::StoreFailed || flushed.outcome == StoreOutcome::NoMemory)
            emit storeFailed(flushed);
        return;
    }
    if (!judgeStops(m, nullptr))
        judgeAlarms(m, nullptr, -1);
}

void RunWatch::tellMismatch(Watched &w, const TMeterReading &reading)
{
    const bool mismatch = w.judge.unitMismatch();
    if (mismatch && !w.toldMismatch)
        emit warning(LoadStr(id::CannotHold).arg(conditionText(w.judge.condition()), shownUnit(reading)));
    w.toldMismatch = mismatch;
}

QString RunWatch::statusText() const
{
    if (!start_ || !rec_.state().bArmed)
        return {};
    const ConditionJudge &j = start_->judge;
    QString what = conditionDisplay(j.condition(), lastUnit_);
    if (j.unitMismatch())
        what = LoadStr(id::OtherUnit).arg(what, lastUnit_ == QLatin1String("W") ? QStringLiteral("Ω") : lastUnit_);
    else if (j.condition().test == ConditionTest::OutsideLimits && j.limitsUnset())
        what = LoadStr(id::NoLimits).arg(what);
    return LoadStr(id::Waiting).arg(what).arg(rec_.state().iKept);
}

// ---- the command on each mark ----------------------------------------------------

void RunWatch::runCommand(qsizetype position)
{
    if (c_.command.isEmpty() || !rec_.state().bRecording)
        return;
    const Mark &mark = rec_.marks().at(position);
    const TARecord &r = rec_.buffer().at(mark.index);
    const bool micro = r.iFunction == fn::Capacitance; // stored in microfarads
    const QString unit =
        micro ? QStringLiteral("µF") : labelText(fieldText(r.szUnit), labelStyleFor(r.iFunction).unitFace);
    const QString file = rec_.temporaryStore().currentPath();
    const ShellVariables variables{
        {"ORVEL_MARK_READING", QByteArray::number(mark.index + 1)},
        {"ORVEL_MARK_TIME", mark.time.toUtf8()},
        {"ORVEL_MARK_VALUE", numberText(r.fReading)},
        {"ORVEL_MARK_UNIT", unit.toUtf8()},
        {"ORVEL_MARK_KIND", markKindName(mark.kind).toUtf8()},
        {"ORVEL_MARK_TEXT", mark.text.toUtf8()},
        {"ORVEL_MARK_FILE", file.isEmpty() ? QByteArray() : QFileInfo(file).absoluteFilePath().toUtf8()},
    };
    const ShellCommands::Start started = commands_.run(c_.command.toUtf8(), variables, mark.index + 1);
    if (started.outcome == ShellCommands::Outcome::Busy)
        emit warning(LoadStr(id::CommandBusy).arg(mark.index + 1).arg(commands_.running()));
    else if (started.outcome == ShellCommands::Outcome::Failed)
        emit warning(LoadStr(id::CommandFailed).arg(mark.index + 1).arg(started.error));
}

void RunWatch::commandEnded(qint64 reading, int status)
{
    if (status != 0)
        emit warning(LoadStr(id::CommandStatus).arg(reading).arg(status));
}

} // namespace orvel
