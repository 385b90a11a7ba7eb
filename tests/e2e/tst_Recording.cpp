// Recording from the meter: the program's windows (offscreen) linked to
// orvel-cli simulate, storing readings into the buffer, the chart, the status
// bar and the temporary files; and a recording process killed outright, whose
// temporary file must still hold every reading it took.

#include "app/Globalvar.h"
#include "app/Main4.h"
#include "app/Startup.h"
#include "chart/PEGraph.h"
#include "export/Dlgexportunit.h"
#include "meter/FrameDecoder.h"
#include "recorder/Dlgoption.h"
#include "recorder/Graphicalrecord.h"
#include "recorder/LoggerFile.h"
#include "recorder/Recording.h"
#include "recorder/Statistics.h"
#include "recorder/Tarecord.h"
#include "tests/support/MeterRun.h"
#include "tests/support/Records.h"
#include "views/DataListLine.h"
#include "views/Datapagelist.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QRadioButton>
#include <QTest>

#include <csignal>
#include <cstring>
#include <functional>
#include <memory>

#include <sys/resource.h>

using namespace orvel;
using namespace orvel::test;

namespace {
constexpr int kWaitMs = 20000; // a safety net only; the checks count readings, not time
// The windows tick every 150 ms instead of 500: readings come quicker, and
// still more than a tenth of a second apart, the resolution of their times.
constexpr int kQuickTickMs = 150;
constexpr const char *kChildFolder = "ORVEL_RECORDING_CHILD";

QList<TARecord> readTemporaryFile(const QString &path)
{
    QFile file(path);
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    QList<TARecord> records;
    for (qsizetype at = 0; at + kRecordSize <= bytes.size(); at += kRecordSize)
        records.append(readRecord(reinterpret_cast<const unsigned char *>(bytes.constData() + at)));
    return records;
}

// Spins the event loop as a modal box would while `n` readings come from the
// meter, the recorder asking for each as its logger timer does; the last one
// has reached the recorder when it returns.
void readingsCome(int n)
{
    int came = 0;
    recording().requestSample();
    const auto counting = QObject::connect(FormMain->Acquisition, &AcquisitionCycle::readingReady, [&came] {
        ++came;
        recording().requestSample();
    });
    const bool all = QTest::qWaitFor([&came, n] { return came >= n; }, kWaitMs);
    QObject::disconnect(counting);
    QCoreApplication::sendPostedEvents();
    QVERIFY2(all, qPrintable(QStringLiteral("%1 of %2 readings came").arg(came).arg(n)));
}

// The buffer, the data list line for line, the chart's newest page, the
// extremes and the count agree; the readings from `firstFromMeter` on were
// taken one after the other, none twice.
void expectAgreement(qsizetype firstFromMeter)
{
    const ReadingBuffer &b = recording().buffer();
    const RecorderState &s = recording().state();
    const qsizetype n = b.count();
    QCOMPARE(s.iStoredCount, int(n));
    QStringList lines;
    for (int sheet = 1; sheet <= DataPageListForm->sheetCount(); ++sheet)
        for (int row = 0; row < DataPageListForm->lineCount(sheet); ++row)
            lines << DataPageListForm->lineText(sheet, row);
    QCOMPARE(lines.size(), n);
    for (qsizetype i = 0; i < n; ++i)
        QCOMPARE(lines[i], dataListLine(b.at(i), i));

    QCOMPARE(s.iShownPage, s.iLastPage);
    const PageRange page = pageRange(n, s.iLastPage, s.iShownPage);
    for (int k = 0; k < page.count; ++k)
        QCOMPARE(GraphicalForm->PEGraph->model().data().value(page.emptyPoints + k), b.at(page.first + k).fReading);

    Extremes walked;
    for (qsizetype i = 0; i < n; ++i)
        walked.UpdateExtremes(b, i, b.at(i).fReading);
    QCOMPARE(s.Extreme.iMaxIndex, walked.iMaxIndex);
    QCOMPARE(s.Extreme.iMinIndex, walked.iMinIndex);
    if (n >= 2)
        QCOMPARE(GraphicalForm->MaxDataPanel->text(), fieldText(b.at(walked.iMaxIndex).szDisplay));

    for (qsizetype i = firstFromMeter + 1; i < n; ++i)
        QVERIFY2(timeTenths(fieldText(b.at(i).szTime)) > timeTenths(fieldText(b.at(i - 1).szTime)),
                 qPrintable(lines[i - 1] + QStringLiteral(" / ") + lines[i]));
}

// The child: the program linked to COM1 (the simulator), recording at full speed until killed.
constexpr char kKilledMarkText[] = "spike \"A\"\tΩ";

int runRecordingChild(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QDir::setCurrent(qEnvironmentVariable(kChildFolder));
    WindowSet windows;
    FormMain->sbtnLink->click();
    QTimer start;
    QObject::connect(&start, &QTimer::timeout, [&start] {
        if (!programState().ReadingReceived)
            return;
        start.stop();
        GraphicalForm->sbtnRecordStart->click();
    });
    start.start(20);
    // Three marks as the readings come, one with a text: each is written
    // beside the temporary file at once.
    QObject::connect(&recording(), &Recording::readingStored, [](qsizetype index) {
        if (index == 1 || index == 3 || index == 4)
            recording().placeMark(index, MarkKind::User, index == 3 ? QString::fromUtf8(kKilledMarkText) : QString());
    });
    return QApplication::exec();
}
} // namespace

class TestRecording : public QObject
{
    Q_OBJECT

    std::unique_ptr<MeterRun> run;

    static void linkAndWaitForAReading()
    {
        linkTicking(kQuickTickMs);
        QTRY_VERIFY_WITH_TIMEOUT(programState().ReadingReceived, kWaitMs);
    }

    static void closeProgram()
    {
        recording().markSaved(); // no save question at exit
        FormMain->close();
    }

private slots:
    void init()
    {
        run = std::make_unique<MeterRun>();
        QVERIFY(!run->startMeter(rampScenario()).isEmpty());
    }
    void cleanup() { run.reset(); }

    void recordingFillsBufferChartStatusAndTemporaryFiles()
    {
        {
            WindowSet windows;
            GraphicalForm->sbtnRecordStart->click();
            QCOMPARE(run->asked().captions(), QStringList{"Error[E9002]"}); // not linked yet
            QVERIFY(GraphicalForm->sbtnRecordStop->isChecked());

            linkAndWaitForAReading();
            GraphicalForm->mnuStart->trigger();
            const QString first = run->filePath("~VORDL1.TMP");
            QCOMPARE(recording().temporaryStore().currentPath(), first);
            QTRY_VERIFY_WITH_TIMEOUT(recording().buffer().count() >= 4, kWaitMs);
            QCOMPARE(GraphicalForm->StatusPanels[0]->text(), QStringLiteral("Data Logging ..."));
            GraphicalForm->sbtnRecordStop->click();
            const ReadingBuffer &buffer = recording().buffer();
            const qsizetype n = buffer.count();
            const TARecord &last = buffer.at(n - 1);
            QCOMPARE(GraphicalForm->StatusPanels[1]->text(), QStringLiteral("Data in buffer : %1").arg(n));
            QCOMPARE(GraphicalForm->PEGraph->model().data().value(199), last.fReading);
            QCOMPARE(GraphicalForm->PEGraph->model().data().label(199), fieldText(last.szTime));
            QCOMPARE(fieldText(last.szUnit), QStringLiteral("V"));
            QCOMPARE(DataPageListForm->lineCount(1), int(n));
            QCOMPARE(DataPageListForm->lineText(1, int(n) - 1),
                     QStringLiteral("%1,%2,%3V").arg(n).arg(fieldText(last.szTime), fieldText(last.szDisplay)));
            const QList<TARecord> onDisk = readTemporaryFile(first);
            QCOMPARE(onDisk.size(), n);
            for (qsizetype i = 0; i < n; ++i)
                QCOMPARE(onDisk.at(i).fReading, buffer.at(i).fReading);

            // Stopped: nothing more is stored. A second run writes the next file.
            QTest::qWait(400);
            QCOMPARE(recording().buffer().count(), n);
            GraphicalForm->sbtnRecordStart->click();
            QTRY_VERIFY_WITH_TIMEOUT(recording().buffer().count() >= n + 2, kWaitMs);
            QCOMPARE(recording().temporaryStore().currentPath(), run->filePath("~VORDL2.TMP"));

            // Releasing the link stops the recording before the link handler returns.
            FormMain->sbtnLink->click();
            QVERIFY(!recording().state().bRecording);
            QVERIFY(!recording().temporaryStore().isOpen());
            QVERIFY(QFile::exists(run->filePath("~VORDL2.TMP")));
            closeProgram();
        }
        QVERIFY2(!QFile::exists(run->filePath("~VORDL1.TMP")), "this run's files go at exit");
        QVERIFY(!QFile::exists(run->filePath("~VORDL2.TMP")));
    }

    // Readings come from the meter while the user is asked something. Each is
    // stored whole or waits, never inside the storing of another, and never
    // to be dropped by a load that follows.
    void readingsThatComeWhileTheUserIsAskedAreStoredWholeOrWait()
    {
        WindowSet windows;
        linkAndWaitForAReading();
        ReadingBuffer file;
        for (int i = 0; i < 300; ++i)
            file.append(voltReading(100.0f + float(i), timeOfTenths(36000 + i * 5), QStringLiteral("x")));
        const QString g52 = run->filePath("earlier.g52");
        QVERIFY(saveLoggerFile(g52, file));
        const QString csv = run->filePath("export.csv");
        rlimit unlimited{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &unlimited), 0);
        std::signal(SIGXFSZ, SIG_IGN); // as the program's entry point does

        struct Row
        {
            const char *name;
            std::function<void()> ask; ///< brings the question up and checks what it did
            qsizetype firstFromMeter;
            bool waits; ///< the recording holds still while the question is up: readings wait
        };
        const Row *current = nullptr;
        auto meanwhile = [&] {
            setrlimit(RLIMIT_FSIZE, &unlimited); // the disk has room again
            const qsizetype before = recording().buffer().count();
            readingsCome(3);
            if (current->waits)
                QCOMPARE(recording().buffer().count(), before);
        };
        auto atDialog = [&meanwhile](QDialog *dialog, const std::function<void()> &answer) {
            QTimer::singleShot(0, dialog, [meanwhile, answer] {
                meanwhile();
                answer();
            });
        };
        const Row rows[] = {
            {"the temporary file cannot be written",
             [&] {
                 GraphicalForm->sbtnRecordStart->click();
                 QTRY_VERIFY_WITH_TIMEOUT(recording().buffer().count() >= 3, kWaitMs);
                 rlimit full = unlimited; // the disk is full from the next reading on
                 full.rlim_cur = rlim_t(QFileInfo(run->filePath("~VORDL1.TMP")).size());
                 QCOMPARE(setrlimit(RLIMIT_FSIZE, &full), 0);
                 QTRY_VERIFY_WITH_TIMEOUT(!run->asked().messages.isEmpty(), kWaitMs);
                 QVERIFY(!recording().state().bRecording);
                 QVERIFY(run->asked().messages.first().text.contains(QStringLiteral("~VORDL1.TMP")));
                 // The file holds the readings taken before it failed, byte for byte.
                 const QList<TARecord> onDisk = readTemporaryFile(run->filePath("~VORDL1.TMP"));
                 QVERIFY(onDisk.size() >= 3 && onDisk.size() < recording().buffer().count());
                 for (qsizetype i = 0; i < onDisk.size(); ++i)
                     QVERIFY(std::memcmp(&onDisk[i], &recording().buffer().at(i), sizeof(TARecord)) == 0);
             },
             0, false},
            {"the Clear question of Open",
             [&] {
                 run->asked().answers = {PromptButton::Cancel};
                 GraphicalForm->sbtnOpenFileClick();
             },
             0, true},
            {"the Open dialog",
             [&] {
                 recording().markSaved(); // no Clear question
                 run->asked().fileAnswers = {g52};
                 GraphicalForm->sbtnOpenFileClick();
                 QCOMPARE(recording().buffer().at(299).fReading, 399.0f);
             },
             300, true},
            {"the export dialog",
             [&] {
                 atDialog(DlgExportForm, [&] {
                     DlgExportForm->rbtnPageAll->click();
                     run->asked().fileAnswers = {csv};
                     DlgExportForm->btnBrowse->click();
                     DlgExportForm->btnExport->click();
                 });
                 GraphicalForm->sbtnExportClick();
                 QVERIFY(QFileInfo::exists(csv));
             },
             300, true},
            {"the interval dialog",
             [&] {
                 atDialog(DialogOption, [] { DialogOption->accept(); });
                 GraphicalForm->sbtnOptionClick();
             },
             300, false},
        };
        run->asked().whileAsked = meanwhile;
        for (const Row &row : rows) {
            current = &row;
            run->asked().messages.clear();
            row.ask();
            // What waited is stored once the question is gone, with the time it was taken.
            const qsizetype count = recording().buffer().count();
            const int answeredAt = timeTenths(formatTimeStamp(QTime::currentTime()));
            readingsCome(2);
            QVERIFY2(recording().buffer().count() > count, row.name);
            if (row.waits)
                QVERIFY2(timeTenths(fieldText(recording().buffer().at(count).szTime)) < answeredAt, row.name);
            expectAgreement(row.firstFromMeter);
            if (QTest::currentTestFailed())
                QFAIL(row.name);
        }
        run->asked().whileAsked = nullptr;
        closeProgram();
    }

    void manualStoresOneReadingPerPress()
    {
        WindowSet windows;
        QTimer::singleShot(0, [] {
            DialogOption->bManualChosen = true;
            DialogOption->accept();
        });
        GraphicalForm->sbtnOptionClick();
        linkAndWaitForAReading();
        for (int press = 1; press <= 3; ++press) {
            GraphicalForm->sbtnManualLogging->click();
            QCOMPARE(recording().buffer().count(), press);
            QTest::qWait(150); // the meter moves on between presses
        }
        QVERIFY2(recording().temporaryStore().count() == 0, "manual readings stay in memory only");
        QTest::qWait(400);
        QCOMPARE(recording().buffer().count(), 3);
        closeProgram();
    }

    void aKilledRecordingLeavesEveryReadingInItsTemporaryFile()
    {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(kChildFolder), run->folder());
        env.insert(QStringLiteral("ORVEL_COM1"), run->sim.path);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(child.waitForStarted(5000));
        const QString tmp = run->filePath("~VORDL1.TMP");
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(tmp).size() >= 6 * kRecordSize, kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(readMarksFile(marksFilePath(tmp), 6).marks.size(), std::size_t(3), kWaitMs);
        ::kill(pid_t(child.processId()), SIGKILL);
        QVERIFY(child.waitForFinished(5000));
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);

        const qint64 size = QFileInfo(tmp).size();
        QCOMPARE(size % kRecordSize, 0);
        const QList<TARecord> records = readTemporaryFile(tmp);
        QVERIFY(records.size() >= 6);
        for (const TARecord &r : records) {
            QCOMPARE(r.iFunction, 6);
            QCOMPARE(fieldText(r.szUnit), QStringLiteral("V"));
            QCOMPARE(fieldText(r.szTime).size(), 13);
            QCOMPARE(r.fReading, fieldText(r.szDisplay).toFloat());
        }

        // The next run's Start takes the next number. The killed run's file,
        // opened and then cleared unsaved, survives the run and its exit.
        {
            WindowSet windows;
            // The killed run's file is offered at start-up and opens with every record.
            run->asked().answers = {PromptButton::Yes};
            GraphicalForm->OfferInterruptedRecordings();
            QCOMPARE(run->asked().messages.size(), 1);
            QVERIFY(run->asked().messages.first().text.startsWith(QStringLiteral("A recording was interrupted at ")));
            QVERIFY(run->asked().messages.first().text.contains(tmp));
            QCOMPARE(recording().buffer().count(), records.size());
            QVERIFY(recording().state().bUnsaved);
            QCOMPARE(recording().state().iStoredCount, int(records.size()));
            // Its marks with it: in the recording, on the chart and in the data list.
            const MarkList &marks = recording().marks();
            QCOMPARE(marks.size(), 3);
            QCOMPARE(marks.at(1).index, 3);
            QCOMPARE(marks.at(1).text, QString::fromUtf8(kKilledMarkText));
            QCOMPARE(GraphicalForm->PEGraph->model().data().marks.size(), std::size_t(3));
            QVERIFY(DataPageListForm->lineText(1, 3).endsWith(QStringLiteral("\u25B6 spike \"A\" Ω")));
            run->asked().answers = {PromptButton::Ok}; // clear it, unsaved
            GraphicalForm->sbtnClearClick();

            linkAndWaitForAReading();
            GraphicalForm->sbtnRecordStart->click();
            QCOMPARE(recording().temporaryStore().currentPath(), run->filePath("~VORDL2.TMP"));
            QTRY_VERIFY_WITH_TIMEOUT(recording().buffer().count() >= 1, kWaitMs);
            FormMain->sbtnLink->click();
            closeProgram();
        }
        QCOMPARE(QFileInfo(tmp).size(), size);
        QVERIFY(!QFile::exists(run->filePath("~VORDL2.TMP")));

        // Answered No, it is offered again at the next start. Opened, and its
        // readings given up at the close question, it belongs to that run and goes.
        {
            WindowSet windows;
            run->asked().messages.clear();
            run->asked().answers = {PromptButton::No};
            GraphicalForm->OfferInterruptedRecordings();
            QCOMPARE(recording().buffer().count(), 0);
            run->asked().answers = {PromptButton::Yes};
            GraphicalForm->OfferInterruptedRecordings();
            QCOMPARE(run->asked().messages.size(), 2);
            QCOMPARE(recording().buffer().count(), records.size());
            run->asked().answers = {PromptButton::No}; // do not save before exit
            QVERIFY(FormMain->close());
            QCOMPARE(run->asked().captions().last(), QStringLiteral("Warning[W8003]"));
        }
        QVERIFY(!QFile::exists(tmp));
    }
};

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsSet(kChildFolder))
        return runRecordingChild(argc, argv);
    QApplication app(argc, argv);
    TestRecording test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_Recording.moc"
