// The recorder window (offscreen) storing readings and paging: what one
// stored reading costs with 10 and with a million readings already held, and
// with a million lines in the data list (the same, when nothing walks the
// whole buffer or the list's sheet per reading), the memory a stored reading
// takes, and what showing a page costs. Prints figures; decides nothing.

#include "app/Globalvar.h"
#include "app/Main4.h"
#include "app/Startup.h"
#include "base/Messages.h"
#include "bench/support/BenchWindows.h"
#include "platform/PortNames.h"
#include "recorder/Graphicalrecord.h"
#include "recorder/LoggerFile.h"
#include "recorder/Statistics.h"
#include "recorder/Tarecord.h"
#include "views/Datapagelist.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>

using namespace orvel;
using namespace orvel::bench;

namespace {

void BM_TakeSample(benchmark::State &state)
{
    holdReadings(state.range(0));
    const bool listed = state.range(2) != 0;
    if (listed) // as after Open: every reading held has its line
        DataPageListForm->addLines(0, recording().buffer().count());
    TMeterReading &r = FormMain->Acquisition->computation.MeterReading;
    r.sValue = r.szDisplay = QStringLiteral("1.234");
    r.sExponent = QStringLiteral("0");
    r.iFunction = 6;
    r.szUnit = QStringLiteral("V");
    const bool toFile = state.range(1) != 0;
    if (toFile)
        recording().start(QDir::currentPath());
    for (auto _ : state) {
        GraphicalForm->TakeSample();
        QCoreApplication::processEvents(); // the repaint of the chart and the list
    }
    recording().stop();
    state.SetLabel(std::string(toFile ? "with temporary file" : "in memory only") +
                   (listed ? ", every reading in the data list" : ""));
    SendMessage(DataPageListForm, UM_LIST_RESET);
}
BENCHMARK(BM_TakeSample)
    ->Args({10, 0, 0})
    ->Args({1000000, 0, 0})
    ->Args({10, 1, 0})
    ->Args({1000000, 1, 0})
    ->Args({1000000, 0, 1})
    ->Iterations(2000)
    ->Unit(benchmark::kMicrosecond);

void BM_MemoryPerReading(benchmark::State &state)
{
    const qsizetype n = state.range(0);
    double perReading = 0;
    ReadingBuffer buffer;
    for (auto _ : state) {
        buffer.clear();
        const double before = residentBytes();
        for (qsizetype i = 0; i < n; ++i)
            buffer.append(recordOf(int(i), float(i % 1000) * 0.01f));
        perReading = (residentBytes() - before) / double(n);
    }
    state.counters["bytes_per_reading_rss"] = perReading;
    state.counters["bytes_per_reading_held"] = double(buffer.bytesReserved()) / double(n);
}
BENCHMARK(BM_MemoryPerReading)->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_ShowPage(benchmark::State &state)
{
    holdReadings(5000 * 200);
    int page = 0;
    for (auto _ : state) {
        recording().setShownPage(page % recording().state().iLastPage + 1);
        GraphicalForm->ShowPage();
        QCoreApplication::processEvents();
        ++page;
    }
    state.counters["pages"] = recording().state().iLastPage;
}
BENCHMARK(BM_ShowPage)->Iterations(5000)->Unit(benchmark::kMicrosecond);

QString millionRecordFile()
{
    static const QString path = [] {
        ReadingBuffer file;
        file.reserve(1000000);
        for (int i = 0; i < 1000000; ++i)
            file.append(recordOf(i, float(i % 1000) * 0.01f));
        const QString p = QDir::current().filePath(QStringLiteral("million.g52"));
        saveLoggerFile(p, file);
        return p;
    }();
    return path;
}

// `count` marks, spread evenly over the readings, every tenth with a text.
MarkList spreadMarks(qsizetype readings, qsizetype count)
{
    MarkList marks;
    for (qsizetype k = 0; k < count; ++k) {
        const qsizetype index = k * readings / count;
        marks.add({index, QStringLiteral("9:00:00.0"), MarkKind::User,
                   k % 10 == 0 ? QStringLiteral("load step %1").arg(k) : QString()});
    }
    return marks;
}

// Open as the recorder does it, from the file to chart, extremes, pages and
// data list ready; without marks and with a marks file of 10,000 beside it.
void BM_OpenMillionRecordFile(benchmark::State &state)
{
    const QString path = millionRecordFile();
    const qsizetype markCount = state.range(0);
    const QString marksPath = marksFilePath(path);
    QFile::remove(marksPath);
    if (markCount > 0 && !writeMarksFile(marksPath, spreadMarks(1000000, markCount), 0, 1000000))
        state.SkipWithError("cannot write the marks file");
    for (auto _ : state) {
        state.PauseTiming();
        recording().markSaved();
        GraphicalForm->sbtnClearClick();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        GraphicalForm->LoadFile(path);
        QCoreApplication::processEvents(); // the page and the list drawn
    }
    state.counters["records"] = double(recording().buffer().count());
    state.counters["marks"] = double(recording().marks().size());
    QFile::remove(marksPath);
}
BENCHMARK(BM_OpenMillionRecordFile)->Arg(0)->Arg(10000)->Iterations(5)->Unit(benchmark::kMillisecond);

// Placing a mark (M) on a reading of a million with 10,000 marks, the chart
// and the data list shown again, and removing it.
void BM_PlaceAndRemoveMark(benchmark::State &state)
{
    holdReadings(1000000);
    const MarkList marks = spreadMarks(1000000, 10000);
    for (const Mark &mark : marks.all())
        recording().placeMark(mark.index, mark.kind, mark.text);
    QCoreApplication::processEvents();
    qsizetype index = 7;
    for (auto _ : state) {
        index = (index * 7919 + 13) % 1000000;
        const MarkResult placed = recording().placeMark(index, MarkKind::User, QStringLiteral("note"));
        QCoreApplication::processEvents();
        recording().removeMark(placed.position);
        QCoreApplication::processEvents();
    }
    state.counters["marks"] = double(recording().marks().size());
}
BENCHMARK(BM_PlaceAndRemoveMark)->Iterations(1000)->Unit(benchmark::kMicrosecond);

// The same file's bytes read through one reused 1 MB block and nothing else.
void BM_BareReadMillionRecordFile(benchmark::State &state)
{
    const QString path = millionRecordFile();
    QByteArray chunk(1 << 20, Qt::Uninitialized);
    for (auto _ : state) {
        QFile f(path);
        f.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
        qint64 total = 0;
        for (qint64 n; (n = f.read(chunk.data(), chunk.size())) > 0;)
            total += n;
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_BareReadMillionRecordFile)->Iterations(5)->Unit(benchmark::kMillisecond);

// The file's bytes read into fresh memory of their size (what holding them costs at least).
void BM_BareReadIntoMemory(benchmark::State &state)
{
    const QString path = millionRecordFile();
    for (auto _ : state) {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        benchmark::DoNotOptimize(f.readAll());
    }
}
BENCHMARK(BM_BareReadIntoMemory)->Iterations(5)->Unit(benchmark::kMillisecond);

// Statistics of a zoomed range of a 10,000,000-reading recording: the blocks
// inside it are merged, only its two ends are walked.
void BM_StatisticsOfAZoomedRange(benchmark::State &state)
{
    ReadingBuffer buffer;
    buffer.reserve(10000000);
    TARecord r = recordOf(0, 0.0f);
    for (int i = 0; i < 10000000; ++i) {
        r.fReading = float(i % 9973) * 0.001f;
        buffer.append(r);
    }
    StatisticsIndex index;
    index.update(buffer, {5.0, 1.0});
    qsizetype first = 1234567;
    for (auto _ : state) {
        benchmark::DoNotOptimize(index.range(buffer, first, 7654321));
        first = (first + 4099) % 2000000; // a different range each time
    }
}
BENCHMARK(BM_StatisticsOfAZoomedRange)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    return orvel::bench::runWithWindows(argc, argv);
}
