// The conditions of an unattended recording, judged on each reading: what one
// reading costs with ten alarms and a stop condition (a sample of the reading,
// then each judge), on readings that make them change, and what the whole
// watch costs a reading it stores, without conditions and with them. Prints
// figures; decides nothing.

#include "meter/MeterReading.h"
#include "recorder/Conditions.h"
#include "recorder/Recording.h"
#include "recorder/RunWatch.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace orvel;

namespace {

const char *const kAlarms[] = {"above 1.5",         "below 0.5V",        "outside 4.9..5.1", "inside 1..2 for 5s",
                               "outside limits",    "overload",          "silent 10s",       "above 150mV for 2s",
                               "below -1.5 for 1s", "outside 0.5V..1.5V"};

std::vector<Condition> alarms()
{
    std::vector<Condition> list;
    for (const char *text : kAlarms)
        list.push_back(*parseCondition(QString::fromLatin1(text), ConditionUse::Alarm).condition);
    return list;
}

// Readings that step around the thresholds, so that the judges change state.
std::vector<TMeterReading> readings()
{
    std::vector<TMeterReading> list;
    for (const char *value : {"0.400", "1.000", "1.600", "5.000", "1.200", "-1.600", "O.L"}) {
        TMeterReading r;
        r.sValue = r.szDisplay = QString::fromLatin1(value);
        r.sExponent = QStringLiteral("0");
        r.iFunction = 6;
        r.szUnit = QStringLiteral("V");
        list.push_back(r);
    }
    return list;
}

void BM_JudgeTenAlarmsAndAStop(benchmark::State &state)
{
    std::vector<ConditionJudge> judges;
    for (const Condition &c : alarms())
        judges.emplace_back(c);
    judges.emplace_back(*parseCondition(QStringLiteral("below 0.1 for 10s"), ConditionUse::Stop).condition);
    const QDateTime armed = QDateTime::currentDateTime();
    for (ConditionJudge &j : judges)
        j.arm(armed);
    const std::vector<TMeterReading> list = readings();
    qint64 now = armed.toMSecsSinceEpoch();
    std::size_t i = 0, fired = 0;
    for (auto _ : state) {
        const ConditionSample sample = conditionSample(list[i++ % list.size()]);
        const ConditionMoment m{now += 500, &sample, qint64(i), 3.0, 1.0};
        for (ConditionJudge &j : judges)
            fired += j.judge(m);
    }
    benchmark::DoNotOptimize(fired);
    state.counters["judges"] = double(judges.size());
}
BENCHMARK(BM_JudgeTenAlarmsAndAStop)->Unit(benchmark::kMicrosecond);

// The whole watch while recording at full speed, with no alarm and with ten
// that a steady reading does not fire: judged and stored (in the buffer and
// its file, a write a reading). The difference is what judging costs.
void BM_WatchTakesAReading(benchmark::State &state)
{
    Recording rec;
    RunWatch watch(rec);
    RunConditions run;
    if (state.range(0) > 0) {
        run.alarms = alarms();
        run.stops.push_back(*parseCondition(QStringLiteral("below -100"), ConditionUse::Stop).condition);
    }
    watch.setConditions(run);
    watch.storeEveryReading = true;
    QTemporaryDir dir;
    watch.begin([&](int) { return rec.startInto(dir.filePath(QStringLiteral("bench.g52")), true); });
    const TMeterReading steady = readings()[1]; // 1.000 V: inside every range, beyond no threshold
    const QTime stamp(12, 0);
    for (auto _ : state)
        benchmark::DoNotOptimize(watch.take(steady, stamp));
    state.counters["conditions"] = double(run.alarms.size() + run.stops.size());
    state.counters["marks"] = double(rec.marks().size());
}
BENCHMARK(BM_WatchTakesAReading)->Arg(0)->Arg(10)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
