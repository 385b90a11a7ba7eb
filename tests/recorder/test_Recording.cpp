#include "recorder/Recording.h"

#include "meter/MeterReading.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTime>

#include <functional>

#include <gtest/gtest.h>

namespace orvel {
namespace {

TMeterReading meterShowing(const char *value)
{
    TMeterReading r;
    r.sValue = r.szDisplay = QString::fromLatin1(value);
    r.sExponent = QStringLiteral("0");
    r.iFunction = 6;
    r.szUnit = QStringLiteral("V");
    return r;
}

QString text(const CommandStates &c)
{
    auto bits = [](std::initializer_list<bool> b) {
        QString s;
        for (bool on : b)
            s += on ? '1' : '0';
        return s;
    };
    return bits({c.startButton, c.stopButton, c.startMenu, c.stopMenu}) + ' ' +
           bits({c.manual, c.interval, c.open, c.import, c.printerSetup}) + ' ' +
           bits({c.save, c.print, c.clear, c.exportData}) + ' ' +
           bits({c.firstPage, c.pageUp, c.pageDown, c.lastPage}) + ' ' + bits({c.fitView, c.undoZoom});
}

// Start and Stop (button, button, menu, menu); Manual, Interval, Open, Import,
// Printer set-up; Save, Print, Clear, Export; First, Up, Down, Last; Fit, Undo zoom.
TEST(RecorderCommands, OneRuleFromTheState)
{
    struct Row
    {
        const char *name;
        RecorderState s;
        bool zoomed;
        const char *expected;
    };
    auto state = [](auto change) {
        RecorderState s;
        change(s);
        return s;
    };
    auto data = [](int last, int shown) {
        return [=](RecorderState &s) {
            s.bBufferEmpty = false;
            s.iLastPage = last;
            s.iShownPage = shown;
        };
    };
    const Row rows[] = {
        {"empty", RecorderState{}, false, "1110 01111 0000 0000 00"},
        {"one page", state(data(1, 1)), false, "1110 01111 1111 0000 00"},
        {"newest of three", state(data(3, 3)), false, "1110 01111 1111 1100 10"},
        {"first of three", state(data(3, 1)), false, "1110 01111 1111 0011 10"},
        {"second of three", state(data(3, 2)), false, "1110 01111 1111 1111 10"},
        {"zoomed", state(data(3, 3)), true, "1110 01111 1111 1100 11"},
        {"recording", state([&](RecorderState &s) { data(3, 3)(s), s.bRecording = true; }), false,
         "1101 00000 0000 0000 00"},
        {"recording, PgUp to page 1", state([&](RecorderState &s) { data(3, 1)(s), s.bRecording = true; }), false,
         "1101 00000 0000 0011 00"},
        {"recording, empty", state([](RecorderState &s) { s.bRecording = true; }), false, "1101 00000 0000 0000 00"},
        {"manual", state([&](RecorderState &s) { data(3, 3)(s), s.bManualMode = true; }), false,
         "0000 11111 1111 1100 10"},
        {"manual, loading", state([](RecorderState &s) { s.bManualMode = s.LoadInProgress = true; }), false,
         "0000 00000 0000 0000 00"},
        {"loading", state([&](RecorderState &s) { data(3, 2)(s), s.LoadInProgress = true; }), true,
         "0000 00000 0000 0000 00"},
        {"exporting", state([&](RecorderState &s) { data(3, 2)(s), s.ExportInProgress = true; }), true,
         "0100 00000 0000 0000 00"},
        {"exporting while recording", state([](RecorderState &s) { s.bRecording = s.ExportInProgress = true; }), false,
         "0101 00000 0000 0000 00"},
    };
    for (const Row &r : rows)
        EXPECT_EQ(text(commandStates(r.s, r.zoomed)), QString::fromLatin1(r.expected)) << r.name;
}

TEST(Recording, StartStopAndEveryWayOutOfARecordingLeaveNoTimerRunning)
{
    QTemporaryDir dir;
    Recording rec(QStringLiteral("~VORDL"));
    auto stoppedWholly = [&] {
        return !rec.state().bRecording && !rec.loggerTimer().isActive() && !rec.temporaryStore().isOpen();
    };
    ASSERT_TRUE(rec.start(dir.path()));
    EXPECT_TRUE(rec.state().bRecording && rec.loggerTimer().isActive() && rec.state().bSampleRequest);
    rec.setMode(true, kFullSpeedMs); // manual mode stores by hand only
    EXPECT_TRUE(stoppedWholly());

    rec.setMode(false, 5000);
    ASSERT_TRUE(rec.start(dir.path()));
    EXPECT_EQ(rec.loggerTimer().interval(), 5000);
    EXPECT_EQ(rec.takeSample(meterShowing("1.000"), QTime(9, 0)).outcome, StoreOutcome::Stored);
    rec.clear(); // nothing records without a buffer to record into
    EXPECT_TRUE(stoppedWholly());
    EXPECT_EQ(rec.temporaryStore().createdFiles().size(), 2);

    // A folder where no file can be made: stopped again, the request of the start pending.
    EXPECT_FALSE(rec.start(dir.filePath(QStringLiteral("no/such/folder"))));
    EXPECT_TRUE(stoppedWholly());
    EXPECT_TRUE(rec.state().bSampleRequest);
    EXPECT_TRUE(rec.temporaryStore().errorText().contains(QStringLiteral("no/such/folder")));
}

TEST(Recording, AFailedWriteStopsTheRecordingAfterTheReadingIsStoredWhole)
{
    Recording rec(QStringLiteral("~VORDL"));
    QList<qsizetype> stored;
    QList<StoreOutcome> nested;
    QObject::connect(&rec, &Recording::readingStored, [&](qsizetype index) {
        stored << index;
        // Whatever a view does while a reading is stored, no other reading gets in.
        nested << rec.takeSample(meterShowing("9.999"), QTime(9, 0, 1)).outcome;
        EXPECT_EQ(rec.state().iStoredCount, index + 1) << "counted before anyone hears of it";
    });
    ASSERT_TRUE(rec.startInto(QStringLiteral("/dev/full"), true)); // every write finds the disk full
    const StoreResult result = rec.takeSample(meterShowing("2.000"), QTime(9, 0));
    EXPECT_EQ(result.outcome, StoreOutcome::StoreFailed);
    EXPECT_EQ(result.index, 0);
    EXPECT_TRUE(result.error.startsWith(QStringLiteral("/dev/full: "))) << result.error.toStdString();
    EXPECT_FALSE(rec.state().bRecording);
    EXPECT_FALSE(rec.loggerTimer().isActive());
    EXPECT_EQ(stored, QList<qsizetype>{0});
    EXPECT_EQ(nested, QList<StoreOutcome>{StoreOutcome::Waiting});
    EXPECT_EQ(rec.buffer().count(), 1);
    EXPECT_EQ(rec.buffer().at(0).fReading, 2.0f);
    EXPECT_TRUE(rec.state().bUnsaved);

    // While an export runs readings wait; afterwards they are taken again.
    rec.beginExport();
    EXPECT_EQ(rec.takeSample(meterShowing("3.000"), QTime(9, 0, 2)).outcome, StoreOutcome::Waiting);
    rec.endExport();
    EXPECT_EQ(rec.takeSample(meterShowing("    "), QTime(9, 0, 3)).outcome, StoreOutcome::Dropped);
    EXPECT_EQ(rec.takeSample(meterShowing("3.000"), QTime(9, 0, 4)).outcome, StoreOutcome::Stored);
    EXPECT_EQ(rec.buffer().count(), 2);
    EXPECT_EQ(fieldText(rec.buffer().at(1).szTime), QStringLiteral("  9:00:04.0  "));
}

TEST(Recording, LoadingIsAJobThatReportsProgressAndStopsWhenCancelled)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("run.g52"));
    constexpr int n = 50000;
    {
        ReadingBuffer file;
        for (int i = 0; i < n; ++i)
            file.append(TARecord(QStringLiteral("1"), QStringLiteral("0"), 6, QStringLiteral("t"), QStringLiteral("1"),
                                 QString(), QStringLiteral("V"), float(i % 1000), QString()));
        ASSERT_TRUE(saveLoggerFile(path, file));
    }
    Recording rec(QStringLiteral("~VORDL"));
    ASSERT_EQ(rec.takeSample(meterShowing("5.000"), QTime(9, 0)).outcome, StoreOutcome::Stored);
    int resets = 0;
    QObject::connect(&rec, &Recording::bufferReset, [&] { ++resets; });

    // The whole file: progress before the first block, counted in one pass afterwards.
    LoadJob whole;
    QList<qsizetype> progress;
    whole.budgetMs = 0;
    whole.onProgress = [&](qsizetype read, qsizetype total) {
        progress << read;
        EXPECT_EQ(total, n);
        EXPECT_TRUE(rec.state().LoadInProgress);
        EXPECT_FALSE(rec.canStore()) << "a reading waits while the file loads";
    };
    const LoadResult all = rec.load(path, whole);
    EXPECT_TRUE(all.opened);
    EXPECT_EQ(all.end, LoadEnd::Complete);
    EXPECT_EQ(resets, 1) << "the reading held before is gone, and its views are told";
    ASSERT_GE(progress.size(), 2);
    EXPECT_EQ(progress.first(), 0);
    EXPECT_EQ(rec.buffer().count(), n);
    EXPECT_EQ(rec.state().iStoredCount, n);
    EXPECT_EQ(rec.state().iLastPage, pageCount(n));
    EXPECT_EQ(rec.state().Extreme.iMaxIndex, n - 1); // the newest of the readings of 999
    EXPECT_FALSE(rec.state().LoadInProgress);
    EXPECT_TRUE(rec.state().bUnsaved);

    // Cancelled at its second look at the clock: what was read stays, counted.
    LoadJob cancelled;
    cancelled.budgetMs = 0;
    int calls = 0;
    cancelled.onProgress = [&](qsizetype, qsizetype) {
        if (++calls == 2)
            cancelled.cancel();
    };
    const LoadResult part = rec.load(path, cancelled);
    EXPECT_EQ(part.end, LoadEnd::Cancelled);
    EXPECT_GT(part.count, 0);
    EXPECT_LT(part.count, n);
    EXPECT_EQ(rec.state().iStoredCount, part.count);

    // A file that cannot be opened changes nothing.
    LoadJob missing;
    const LoadResult none = rec.load(dir.filePath(QStringLiteral("missing.g52")), missing);
    EXPECT_FALSE(none.opened);
    EXPECT_EQ(rec.buffer().count(), part.count);
}

TEST(Recording, AnOpenedInterruptedRecordingGoesAtExitOnlyOnceSavedOrGivenUp)
{
    QTemporaryDir dir;
    auto file = [&](const char *name) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        return path;
    };
    struct Row
    {
        const char *name;
        std::function<void(Recording &)> then;
        bool goes;
    };
    const Row rows[] = {
        {"left as it is", [](Recording &) {}, false},
        {"saved", [&](Recording &r) { r.save(dir.filePath(QStringLiteral("saved.g52"))); }, true},
        {"given up at the close question", [](Recording &r) { r.abandonUnsaved(); }, true},
        {"cleared, then something else saved",
         [&](Recording &r) {
             r.clear();
             r.save(dir.filePath(QStringLiteral("other.g52")));
         },
         false},
    };
    for (const Row &row : rows) {
        const QString adopted = file("~VORDL1.TMP");
        const QString stranger = file("~VORDL7.TMP");
        {
            Recording rec(QStringLiteral("~VORDL"));
            rec.adoptInterrupted(adopted);
            row.then(rec);
            rec.deleteTemporaryStores();
        }
        EXPECT_EQ(!QFile::exists(adopted), row.goes) << row.name;
        EXPECT_TRUE(QFile::exists(stranger)) << row.name;
    }
}

} // namespace
} // namespace orvel
