// The graph viewer (offscreen) opening on a large buffer: from the opening
// routine until the chart is loaded and redrawn, and the reduction of the
// buffer alone. The goal is a quarter of a second for ten million readings.
// Beside it, a file of a million readings: opened as Open opens it and shown
// in the viewer, against orvel-cli plot drawing the same file into a PNG and
// an SVG picture (the same function as the command). Prints figures; decides
// nothing.

#include "app/Globalvar.h"
#include "app/Startup.h"
#include "bench/support/BenchWindows.h"
#include "chart/ChartExport.h"
#include "chart/PEGraph.h"
#include "export/ViewReduction.h"
#include "export/Viewgraphunit.h"
#include "platform/PortNames.h"
#include "recorder/Graphicalrecord.h"
#include "recorder/LoggerFile.h"
#include "recorder/Tarecord.h"
#include "tools/Plot.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
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
BENCHMARK(BM_ViewerOpening)->Arg(8191)->Arg(1'000'000)->Arg(10'000'000)->Unit(benchmark::kMillisecond)->UseRealTime();

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

constexpr qsizetype kFileReadings = 1'000'000;

// A logger file of a million readings, written once per run into the start-up folder.
const QString &millionFile()
{
    static const QString path = [] {
        const QString file = QDir::current().filePath(QStringLiteral("million.g52"));
        ReadingBuffer buffer;
        buffer.reserve(kFileReadings);
        for (qsizetype i = 0; i < kFileReadings; ++i)
            buffer.append(recordOf(int(i), float(i % 1000) * 0.01f - 3.0f));
        saveLoggerFile(file, buffer);
        return file;
    }();
    return path;
}

// Open (the recorder's load), the viewer's opening on what it loaded, and its
// chart painted at plot's size (the screen paints it through the same routine).
void BM_OpenAndView(benchmark::State &state)
{
    const QString file = millionFile();
    TFormViewGraphic &v = *FormViewGraphic;
    for (auto _ : state) {
        recording().clear();
        GraphicalForm->LoadFile(file);
        v.FormShow();
        const QImage shown = chartImage(QSize(1280, 800), v.PEGraphView->model(), v.PEGraphView->outputStyle());
        benchmark::DoNotOptimize(shown.constBits());
    }
    state.counters["readings"] = double(recording().buffer().count());
    v.FormClose();
    recording().clear();
}
BENCHMARK(BM_OpenAndView)->Unit(benchmark::kMillisecond)->UseRealTime();

// orvel-cli plot of the same file: read a block at a time, reduced, painted, written.
void BM_Plot(benchmark::State &state)
{
    cli::PlotOptions options;
    options.in = millionFile();
    options.out = QDir::current().filePath(state.range(0) ? QStringLiteral("plot.svg") : QStringLiteral("plot.png"));
    for (auto _ : state)
        if (cli::plot(options) != 0)
            state.SkipWithError("plot failed");
    state.counters["bytes"] = double(QFileInfo(options.out).size());
    state.SetLabel(state.range(0) ? "svg" : "png");
}
BENCHMARK(BM_Plot)->Arg(0)->Arg(1)->ArgName("svg")->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    return orvel::bench::runWithWindows(argc, argv);
}
