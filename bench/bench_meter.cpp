// Throughput of the meter side: frames decoded per second, and whole ticks
// (decode, reading, labels, needles, stored value) per second.

#include "meter/FrameDecoder.h"
#include "meter/MeterReading.h"
#include "meter/Simulator.h"
#include "recorder/StoredValue.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

std::vector<orvel::Frame> demoFrames()
{
    std::vector<orvel::Frame> frames;
    for (const orvel::ScenarioStep &s : orvel::tourScenario())
        if (const auto f = orvel::encodeFrame(s.display))
            frames.push_back(*f);
    return frames;
}

void BM_DecodeFrame(benchmark::State &state)
{
    const auto frames = demoFrames();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(orvel::decodeFrame(frames[i]));
        i = (i + 1) % frames.size();
    }
    state.SetItemsProcessed(state.iterations());
    state.SetLabel("frames");
}
BENCHMARK(BM_DecodeFrame);

void BM_WholeTick(benchmark::State &state)
{
    const auto frames = demoFrames();
    orvel::ReadingComputation rc;
    std::size_t i = 0;
    for (auto _ : state) {
        const auto d = orvel::decodeFrame(frames[i]);
        if (d) {
            rc.takeFrame(*d);
            rc.complete(300.0, 100.0);
            benchmark::DoNotOptimize(orvel::storedValue(rc.MeterReading));
        }
        i = (i + 1) % frames.size();
    }
    state.SetItemsProcessed(state.iterations());
    state.SetLabel("ticks");
}
BENCHMARK(BM_WholeTick);

} // namespace
