// orvel-cli convert of a logger data file of a million readings to its
// exported text, and orvel-cli stats of the same file (the goal: within twice
// convert's time), through the same functions as the commands; for comparison
// a bare read of the same file into the reading buffer. Prints figures; decides nothing.

#include "recorder/LoggerFile.h"
#include "recorder/Tarecord.h"
#include "tools/Convert.h"
#include "tools/Stats.h"

#include <QString>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

using namespace orvel;

namespace {

constexpr int kRecords = 1'000'000;

// A million readings of varied values and time stamps, saved once per run.
const QString &bigFile()
{
    static const std::unique_ptr<QTemporaryDir> dir = std::make_unique<QTemporaryDir>();
    static const QString path = [] {
        const QString file = dir->filePath(QStringLiteral("big.g52"));
        ReadingBuffer buffer;
        buffer.reserve(kRecords);
        for (int i = 0; i < kRecords; ++i) {
            const int tenths = 9 * 36000 + i * 5;
            buffer.append(TARecord(QStringLiteral("1.234"), QStringLiteral("0"), 6,
                                   QString::asprintf("%3d:%02d:%02d.%d  ", tenths / 36000 % 24, tenths / 600 % 60,
                                                     tenths / 10 % 60, tenths % 10),
                                   QStringLiteral("1.234"), QString(), QStringLiteral("V"),
                                   float(i % 20000 - 10000) * 0.000123f,
                                   i % 100 == 0 ? QStringLiteral("x") : QString()));
        }
        saveLoggerFile(file, buffer);
        return file;
    }();
    return path;
}

void BM_ConvertToCsv(benchmark::State &state)
{
    const QString in = bigFile();
    QTemporaryDir out;
    const QString csv = out.filePath(QStringLiteral("big.csv"));
    for (auto _ : state)
        benchmark::DoNotOptimize(cli::convert(in, csv, std::nullopt));
    state.SetItemsProcessed(state.iterations() * kRecords);
    state.counters["seconds_per_file"] =
        benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ConvertToCsv)->Unit(benchmark::kMillisecond);

// The figures as text and as JSON, printed to /dev/null.
void BM_Stats(benchmark::State &state)
{
    const QString in = bigFile();
    std::FILE *null = std::fopen("/dev/null", "w");
    for (auto _ : state)
        benchmark::DoNotOptimize(cli::stats(in, std::nullopt, state.range(0) != 0, null, null));
    std::fclose(null);
    state.SetItemsProcessed(state.iterations() * kRecords);
    state.counters["seconds_per_file"] =
        benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_Stats)->Arg(0)->Arg(1)->ArgName("json")->Unit(benchmark::kMillisecond);

void BM_ReadLoggerFile(benchmark::State &state)
{
    const QString in = bigFile();
    for (auto _ : state) {
        ReadingBuffer buffer;
        benchmark::DoNotOptimize(loadLoggerFile(in, buffer));
        benchmark::DoNotOptimize(buffer.count());
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_ReadLoggerFile)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
