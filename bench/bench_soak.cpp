// A long recording compressed in time: a million readings at full speed
// through the core, as the program takes them: the acquisition tick's
// computation from the meter's frames, then the recording (the stored value,
// the reading buffer, the extremes and the temporary store's file). Prints the memory the run grew by per
// reading (the goal is at most 1.1 × 76 bytes, one record and a little
// slack), the records the temporary file holds against those stored, and the
// rate. Prints figures; decides nothing.

#include "bench/support/Memory.h"
#include "meter/Acquisition.h"
#include "meter/FrameEncoder.h"
#include "recorder/Recording.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTime>

#include <benchmark/benchmark.h>

#include <cstdio>

using namespace orvel;
using orvel::bench::residentBytes;

namespace {

constexpr qsizetype kReadings = 1'000'000;

// A thousand frames of different readings and functions, as the meter sends them.
QList<QByteArray> meterFrames()
{
    const char *annunciators[] = {"DC V", "AC V", "DC V m", "ohm k", "F n", "Hz", "DC A m", "AC A"};
    QList<QByteArray> frames;
    for (int i = 0; i < 1000; ++i) {
        DisplayState s = displayFromText(QString::asprintf("%d.%03d", i % 10, (i * 37) % 1000)).value();
        for (const QString &w : QString::fromLatin1(annunciators[i % 8]).split(QLatin1Char(' '))) {
            s.dc |= w == QLatin1String("DC");
            s.ac |= w == QLatin1String("AC");
            s.volt |= w == QLatin1String("V");
            s.amp |= w == QLatin1String("A");
            s.ohm |= w == QLatin1String("ohm");
            s.farad |= w == QLatin1String("F");
            s.hertz |= w == QLatin1String("Hz");
            if (w == QLatin1String("m"))
                s.prefixes = kPrefixMilli;
            if (w == QLatin1String("k"))
                s.prefixes = kPrefixKilo;
            if (w == QLatin1String("n"))
                s.prefixes = kPrefixNano;
        }
        const Frame f = encodeFrame(s).value();
        frames.append(QByteArray(reinterpret_cast<const char *>(f.data()), kFrameSize));
    }
    return frames;
}

void BM_MillionReadingsThroughTheCore(benchmark::State &state)
{
    const QList<QByteArray> frames = meterFrames();
    QTemporaryDir dir;
    for (auto _ : state) {
        Recording rec(QStringLiteral("~VORDL"));
        if (!rec.start(dir.path())) {
            state.SkipWithError("no temporary file");
            return;
        }
        AcquisitionCycle cycle;
        qsizetype stored = 0, written = 0, i = 0;
        const QTime start(9, 0);
        QObject::connect(&cycle, &AcquisitionCycle::readingReady, [&] {
            const StoreResult result =
                rec.takeSample(cycle.computation.MeterReading, start.addMSecs(int((i * 100) % 86'400'000)));
            stored += result.outcome == StoreOutcome::Stored || result.outcome == StoreOutcome::StoreFailed;
            written += result.outcome == StoreOutcome::Stored;
        });

        const double before = residentBytes();
        for (i = 0; i < kReadings; ++i) {
            const QByteArray &frame = frames[i % frames.size()];
            cycle.finishTick(kFrameSize, frame);
        }
        const double after = residentBytes();
        rec.stop();
        const qint64 fileBytes = QFileInfo(rec.temporaryStore().currentPath()).size();

        state.counters["readings"] = double(kReadings);
        state.counters["stored"] = double(stored);
        state.counters["written"] = double(written);
        state.counters["records_in_file"] = double(fileBytes / kRecordSize);
        state.counters["file_whole"] = fileBytes % kRecordSize == 0 && fileBytes / kRecordSize == stored ? 1 : 0;
        state.counters["bytes_per_reading"] = (after - before) / double(stored);
        state.counters["goal_bytes_per_reading"] = 1.1 * kRecordSize;
        state.counters["readings_per_s"] = benchmark::Counter(double(kReadings), benchmark::Counter::kIsRate);
        std::printf("%lld readings, %lld stored, the temporary file holds %lld records (%s); memory grew by %.1f bytes "
                    "a reading (goal %.1f)\n",
                    static_cast<long long>(kReadings), static_cast<long long>(stored),
                    static_cast<long long>(fileBytes / kRecordSize),
                    fileBytes == qint64(stored) * kRecordSize ? "every one" : "NOT every one",
                    (after - before) / double(stored), 1.1 * kRecordSize);
        rec.DeleteTemporaryStores();
    }
}
BENCHMARK(BM_MillionReadingsThroughTheCore)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
