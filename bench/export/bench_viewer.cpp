// The graph viewer (offscreen) opening on a large buffer: from the opening
// routine until the chart is loaded and redrawn, and the reduction of the
// buffer alone. The goal is a quarter of a second for ten million readings.
// Prints figures; decides nothing.

#include "app/Globalvar.h"
#include "app/Startup.h"
#include "bench/support/BenchWindows.h"
#include "chart/PEGraph.h"
#include "export/ViewReduction.h"
#include "export/Viewgraphunit.h"
#include "platform/PortNames.h"
#include "recorder/Graphicalrecord.h"
#include "recorder/Tarecord.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cmath>

using namespace orvel;
using namespace orvel::bench;

namespace {

void BM_ViewerOpening(benchmark::State &state)
{
    holdReadings(state.range(0));
    TFormViewGraphic &v = *FormViewGraphic;
    for (auto _ : state) {
        v.FormShow();
        benchmark::DoNotOptimize(v.PEGraphView->model().data().points());
    }
    state.counters["points"] = double(v.iPointCount);
    state.counters["readings"] = double(state.range(0));
    v.FormClose();
}
BENCHMARK(BM_ViewerOpening)->Arg(8191)->Arg(10'000'000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ViewReduction(benchmark::State &state)
{
    holdReadings(state.range(0));
    const ReadingBuffer &buffer = recording().buffer();
    ViewReduction reduced;
    for (auto _ : state) {
        reduceReadings(std::span<const TARecord>(buffer.begin(), buffer.end()), recording().state().Extreme.iMaxIndex,
                       recording().state().Extreme.iMinIndex, reduced);
        benchmark::DoNotOptimize(reduced.indexes.data());
    }
    state.counters["points"] = double(reduced.indexes.size());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ViewReduction)->Arg(10'000'000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    return orvel::bench::runWithWindows(argc, argv);
}
