// Costs of the core pieces: string look-ups (every caption and message), the
// settings file round trip, the number format. The meter's are in bench_meter.cpp.

#include "base/FloatText.h"
#include "base/SettingsFile.h"
#include "resources/Strings.h"

#include <benchmark/benchmark.h>

namespace {

void BM_LoadStr(benchmark::State &state)
{
    const auto table = orvel::stringTable();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(orvel::LoadStr(table[i].id));
        i = (i + 1) % table.size();
    }
}
BENCHMARK(BM_LoadStr);

void BM_SettingsRoundTrip(benchmark::State &state)
{
    for (auto _ : state) {
        QStringList lines;
        orvel::storeSettings(lines, 5, 12.5, -0.001);
        benchmark::DoNotOptimize(orvel::parseSettings(lines));
    }
}
BENCHMARK(BM_SettingsRoundTrip);

void BM_FloatToText(benchmark::State &state)
{
    double v = 0.000123;
    for (auto _ : state) {
        benchmark::DoNotOptimize(orvel::floatToText(v));
        v *= 1.7;
        if (v > 1e20)
            v = 0.000123;
    }
}
BENCHMARK(BM_FloatToText);

} // namespace

BENCHMARK_MAIN();
