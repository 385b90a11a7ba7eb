// The data list filled with a million readings the way the recorder lists
// them: one UM_LIST_ADD per stored reading, then one turn of the event loop
// (the selection of the newest line, the layout and painting of the visible
// sheet). Prints the time and the memory the lines take; decides nothing.

#include "app/Globalvar.h"
#include "app/Startup.h"
#include "base/Messages.h"
#include "bench/support/BenchWindows.h"
#include "platform/PortNames.h"
#include "views/Datapagelist.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>

using namespace orvel;
using namespace orvel::bench;

namespace {

void fillBuffer(int n)
{
    holdRecords(n, [](qsizetype i) {
        TARecord r = recordOf(int(i), 1.234f);
        r.iFunction = i % 2 ? 6 : 384;
        setFieldText(r.szPrefix, QStringLiteral("K"));
        setFieldText(r.szUnit, QStringLiteral("W"));
        setFieldText(r.szAux, i % 7 ? QString() : QStringLiteral("0.87"));
        return r;
    });
}

void BM_DataListAdd(benchmark::State &state)
{
    const int n = int(state.range(0));
    fillBuffer(n);
    double bytesPerLine = -1;
    for (auto _ : state) {
        state.PauseTiming();
        SendMessage(DataPageListForm, UM_LIST_RESET);
        QCoreApplication::processEvents();
        const double before = residentBytes();
        state.ResumeTiming();

        for (int i = 0; i < n; ++i)
            SendMessage(DataPageListForm, UM_LIST_ADD, i);
        QCoreApplication::processEvents();

        state.PauseTiming();
        // Freed sheets stay with the allocator after a reset, so only the first
        // filling shows what the lines cost.
        if (bytesPerLine < 0)
            bytesPerLine = (residentBytes() - before) / n;
        benchmark::DoNotOptimize(DataPageListForm->lineText(DataPageListForm->sheetCount(), 0));
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * n);
    state.counters["bytes_per_line"] = bytesPerLine;
    state.counters["sheets"] = DataPageListForm->sheetCount();
}
BENCHMARK(BM_DataListAdd)->Arg(1000000)->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return orvel::bench::runWithWindows(argc, argv);
}
