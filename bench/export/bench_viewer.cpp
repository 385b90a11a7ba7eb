// The graph viewer (offscreen) opening on a large buffer: from the opening
// routine until the chart is loaded and redrawn, and the reduction of the
// buffer alone. The goal is a quarter of a second for ten million readings.
// Prints figures; decides nothing.

#include "app/Globalvar.h"
#include "app/Startup.h"
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

namespace {

// The buffer as a load leaves it: `n` readings of a slow wave with noise, with
// the recorder's extremes and scale.
void holdReadings(qsizetype n)
{
    if (readingBuffer().count() == n)
        return;
    TGraphicalForm &g = *GraphicalForm;
    g.ResetRecorder();
    ReadingBuffer &buffer = readingBuffer();
    buffer.clear();
    buffer.reserve(n);
    TARecord r(QStringLiteral("1.234"), QStringLiteral("0"), 6, QStringLiteral("  9:05:03.4  "),
               QStringLiteral("1.234"), QString(), QStringLiteral("V"), 0.0f, QString());
    for (qsizetype i = 0; i < n; ++i) {
        r.fReading = float(std::sin(double(i) * 1e-5) * 10.0 + double(i * 7919 % 1000) * 0.001);
        buffer.append(r);
        g.Scale.UpdateScale(r.fReading, i);
        g.Extreme.UpdateExtremes(buffer, i, r.fReading);
    }
    g.iStoredCount = int(n);
}

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
    const ReadingBuffer &buffer = readingBuffer();
    ViewReduction reduced;
    for (auto _ : state) {
        reduceReadings(std::span<const TARecord>(buffer.begin(), buffer.end()), GraphicalForm->Extreme.iMaxIndex,
                       GraphicalForm->Extreme.iMinIndex, reduced);
        benchmark::DoNotOptimize(reduced.indexes.data());
    }
    state.counters["points"] = double(reduced.indexes.size());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ViewReduction)->Arg(10'000'000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    for (int i = 1; i <= kComPortCount; ++i)
        qputenv(portEnvironmentVariable(comPortName(i)).toLatin1().constData(), "/nonexistent/orvel-bench");
    WindowSet windows;

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    readingBuffer().clear();
    GraphicalForm->bUnsaved = false;
    return 0;
}
