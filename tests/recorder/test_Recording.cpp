#include "recorder/Recording.h"
#include "tests/support/Records.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace orvel {
namespace {

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
           bits({c.firstPage, c.pageUp, c.pageDown, c.lastPage}) + ' ' + bits({c.fitView, c.undoZoom}) + ' ' +
           bits({c.mark});
}

// Start and Stop (button, button, menu, menu); Manual, Interval, Open, Import,
// Printer set-up; Save, Print, Clear, Export; First, Up, Down, Last; Fit, Undo zoom; Mark.
TEST(RecorderCommands, OneRuleFromTheState)
{
    struct Row
    {
        bool manual;
        int recording; ///< 1: recording, 2: armed (waiting for its start condition)
        bool empty;
        int lastPage, shownPage;
        bool loading, exporting, zoomed;
        const char *expected;
    };
    const Row rows[] = {
        {0, 0, 1, 1, 1, 0, 0, 0, "1110 01111 0000 0000 00 0"}, // nothing stored
        {0, 0, 0, 1, 1, 0, 0, 0, "1110 01111 1111 0000 00 1"}, // one page: no paging, no viewer
        {0, 0, 0, 3, 3, 0, 0, 0, "1110 01111 1111 1100 10 1"}, // the newest of three pages
        {0, 0, 0, 3, 1, 0, 0, 0, "1110 01111 1111 0011 10 1"}, // the first
        {0, 0, 0, 3, 2, 0, 0, 0, "1110 01111 1111 1111 10 1"}, // between
        {0, 0, 0, 3, 3, 0, 0, 1, "1110 01111 1111 1100 11 1"}, // zoomed
        {0, 1, 0, 3, 3, 0, 0, 0, "1101 00000 0000 0000 00 1"}, // recording: Start stays usable
        {0, 1, 0, 3, 1, 0, 0, 0, "1101 00000 0000 0011 00 1"}, // recording, PgUp paged to page 1
        {0, 1, 0, 3, 3, 0, 0, 1, "1101 00000 0000 0000 01 1"}, // recording, zoomed: Undo zoom stays usable
        {0, 1, 1, 1, 1, 0, 0, 0, "1101 00000 0000 0000 00 0"}, // recording, nothing stored yet
        {1, 0, 0, 3, 3, 0, 0, 0, "0000 11111 1111 1100 10 1"}, // manual
        {1, 0, 0, 1, 1, 1, 0, 0, "0000 00000 0000 0000 00 0"}, // manual, a file loading
        {0, 0, 0, 3, 2, 1, 0, 1, "0000 00000 0000 0000 00 0"}, // a file loading
        {0, 2, 0, 3, 3, 0, 0, 0, "1101 00000 0000 1100 00 1"}, // armed: Stop disarms, the pages follow the page shown
        {0, 2, 1, 1, 1, 0, 0, 0, "1101 00000 0000 0000 00 0"}, // armed, nothing stored
        {0, 0, 0, 3, 2, 0, 1, 1, "0100 00000 0000 0000 00 0"}, // exporting
        {0, 1, 1, 1, 1, 0, 1, 0, "0101 00000 0000 0000 00 0"}, // exporting while recording
    };
    for (const Row &r : rows) {
        RecorderState s;
        s.bManualMode = r.manual;
        s.bRecording = r.recording == 1;
        s.bArmed = r.recording == 2;
        s.bBufferEmpty = r.empty;
        s.iLastPage = r.lastPage;
        s.iShownPage = r.shownPage;
        s.LoadInProgress = r.loading;
        s.ExportInProgress = r.exporting;
        EXPECT_EQ(text(commandStates(s, r.zoomed)), QString::fromLatin1(r.expected)) << &r - rows;
    }
}

// Armed, readings are kept, not stored; the trigger stores those there are
// (fewer than asked for here) in the buffer and the temporary file, in order.
TEST(Recording, TheTriggerStoresTheKeptReadingsFirst)
{
    QTemporaryDir dir;
    Recording rec(QStringLiteral("~VORDL"));
    ASSERT_TRUE(rec.arm(dir.path(), 5));
    TMeterReading r;
    r.sExponent = QStringLiteral("0");
    for (const char *v : {"1.5", "2.5"}) {
        r.sValue = QString::fromLatin1(v);
        EXPECT_EQ(rec.takeSample(r, QTime(9, 0, 1)).outcome, StoreOutcome::Kept);
    }
    EXPECT_EQ(rec.buffer().count(), 0);
    EXPECT_EQ(rec.state().iKept, 2);
    EXPECT_EQ(rec.trigger().outcome, StoreOutcome::Stored);
    ASSERT_EQ(rec.buffer().count(), 2);
    EXPECT_EQ(rec.buffer().at(0).fReading, 1.5f);
    EXPECT_EQ(rec.buffer().at(1).fReading, 2.5f);
    EXPECT_TRUE(rec.state().bRecording && rec.state().bSampleRequest && !rec.state().bArmed);
    EXPECT_EQ(QFileInfo(rec.temporaryStore().currentPath()).size(), 2 * kRecordSize);
}

TEST(Recording, LoadingIsAJobThatReportsProgressAndStopsWhenCancelled)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("run.g52"));
    constexpr int n = 50000;
    {
        ReadingBuffer file;
        for (int i = 0; i < n; ++i)
            file.append(test::voltReading(float(i % 1000), QStringLiteral("t"), QStringLiteral("1")));
        ASSERT_TRUE(saveLoggerFile(path, file));
    }
    Recording rec(QStringLiteral("~VORDL"));
    int resets = 0;
    QObject::connect(&rec, &Recording::bufferReset, [&] { ++resets; });

    // The whole file: progress from before the first block; readings wait meanwhile.
    LoadJob whole;
    QList<qsizetype> progress;
    whole.budgetMs = 0;
    whole.onProgress = [&](qsizetype read, qsizetype total) {
        progress << read;
        EXPECT_EQ(total, n);
        EXPECT_FALSE(rec.canStore()) << "a reading waits while the file loads";
    };
    EXPECT_EQ(rec.load(path, whole).end, LoadEnd::Complete);
    ASSERT_GE(progress.size(), 2);
    EXPECT_EQ(progress.first(), 0);
    EXPECT_EQ(rec.state().iStoredCount, n);
    EXPECT_FALSE(rec.state().LoadInProgress);

    // Cancelled at its second look at the clock: what was read stays, counted,
    // and what the buffer held before is gone, its views told.
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
    EXPECT_EQ(resets, 1);
}

} // namespace
} // namespace orvel
