// The recorder window driven without a meter: readings are put in the current
// reading as a tick would leave them, then stored by the recorder's commands.

#include "app/Globalvar.h"
#include "app/Main4.h"
#include "app/Mesgform.h"
#include "app/Startup.h"
#include "base/Messages.h"
#include "chart/PEGraph.h"
#include "export/Viewgraphunit.h"
#include "meter/FrameDecoder.h"
#include "platform/QtUserPrompt.h"
#include "recorder/Dlgoption.h"
#include "recorder/Graphicalrecord.h"
#include "recorder/LoggerFile.h"
#include "recorder/PageProgressBar.h"
#include "recorder/RunPlanDialog.h"
#include "recorder/StatisticsWindow.h"
#include "tests/support/Records.h"
#include "tests/support/WindowsRun.h"
#include "views/Datapagelist.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <cmath>
#include <csignal>
#include <functional>
#include <limits>
#include <memory>

#include <linux/capability.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

using namespace orvel;
using namespace orvel::test;

namespace {

// The reading a tick leaves behind, then one sample of it.
void store(const char *value, const char *exponent = "0", int function = fn::VoltDC, const char *prefix = "",
           const char *unit = "V")
{
    TMeterReading &r = FormMain->Acquisition->computation.MeterReading;
    r.sValue = QString::fromLatin1(value);
    r.sExponent = QString::fromLatin1(exponent);
    r.iFunction = function;
    r.szDisplay = r.sValue;
    r.szPrefix = QString::fromLatin1(prefix);
    r.szUnit = QString::fromLatin1(unit);
    GraphicalForm->TakeSample();
}

void storeMany(int n)
{
    for (int i = 0; i < n; ++i)
        store(qPrintable(QString::number(i % 50 * 0.1, 'f', 3)));
}

// While it lives, this thread may not replace another user's file in a folder
// with the sticky bit, as any user may not (root may, by CAP_FOWNER).
class WithoutOwnerOverride
{
public:
    WithoutOwnerOverride()
    {
        ::syscall(SYS_capget, &header_, saved_);
        __user_cap_data_struct less[2] = {saved_[0], saved_[1]};
        less[0].effective &= ~(1u << CAP_FOWNER);
        ::syscall(SYS_capset, &header_, less);
    }
    ~WithoutOwnerOverride() { ::syscall(SYS_capset, &header_, saved_); }

private:
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved_[2] = {};
};

QString status(int panel)
{
    return GraphicalForm->StatusPanels[panel]->text();
}

// Enabled states of the commands, in a fixed order, as a string of 0 and 1.
QString commandStates()
{
    const TGraphicalForm &g = *GraphicalForm;
    QString s;
    for (QToolButton *b : {g.sbtnRecordStart, g.sbtnRecordStop, g.sbtnManualLogging, g.sbtnOption, g.sbtnOpenFile,
                           g.sbtnSaveFile, g.sbtnClear, g.sbtnFirstPage, g.sbtnPageDown})
        s += b->isEnabled() ? '1' : '0';
    s += ' ';
    for (QAction *a : {g.mnuStart, g.mnuStop, g.mnuManual, g.mnuInterval, g.mnuOpen, g.mnuSaveAs, g.mnuClear,
                       g.mnuFirstPage, g.mnuPageDown})
        s += a->isEnabled() ? '1' : '0';
    return s;
}

} // namespace

class TestRecorder : public QObject
{
    Q_OBJECT

    std::unique_ptr<WindowsRun> run;

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // The progress bar stepped a reading at a time shows on the screen what a
    // whole painting of it shows, back to the start included.
    void progressStepsShowWhatAWholePaintingShows()
    {
        QWidget window; // as in the recorder, the bar is a child
        auto &bar = *new PageProgressBar(&window);
        bar.setTextVisible(false);
        bar.setRange(0, 200);
        bar.setGeometry(10, 10, 700, 12);
        window.resize(720, 32);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const auto stepTo = [&](int value) {
            bar.stepTo(value);
            QCoreApplication::processEvents();
            const QImage shown = window.screen()
                                     ->grabWindow(window.winId(), bar.x(), bar.y(), bar.width(), bar.height())
                                     .toImage()
                                     .convertToFormat(QImage::Format_RGB32);
            const QImage whole = bar.grab().toImage().convertToFormat(QImage::Format_RGB32);
            return shown == whole;
        };
        // The second time round the steps are the kept strips; another look paints them anew.
        for (int value : {1, 2, 3, 60, 61, 199, 200, 0, 1, 2, -1, 0, 1, 2}) {
            if (value < 0) {
                QPalette palette = bar.palette();
                palette.setColor(QPalette::Highlight, Qt::darkRed);
                bar.setPalette(palette);
                continue;
            }
            QVERIFY2(stepTo(value), qPrintable(QStringLiteral("at %1").arg(value)));
        }
    }

    void init()
    {
        run = std::make_unique<WindowsRun>();
        GraphicalForm->Clock = [] { return QTime(9, 5, 3, 456); };
        programState().ReadingReceived = true; // as after a tick that decoded a reading
    }

    void cleanup() { run.reset(); }

    void takeSampleStoresDropsAndCounts()
    {
        store("-1.234", "-3", fn::VoltDC, "m");
        const ReadingBuffer &buffer = recording().buffer();
        QCOMPARE(buffer.count(), 1);
        QCOMPARE(fieldText(buffer.at(0).szTime), QStringLiteral("  9:05:03.4  "));
        QCOMPARE(buffer.at(0).fReading, -0.001234f);
        QCOMPARE(fieldText(buffer.at(0).szPrefix), QStringLiteral("m"));
        QCOMPARE(status(1), QStringLiteral("Data in buffer : 1"));
        QCOMPARE(GraphicalForm->PEGraph->model().data().value(199), -0.001234f);
        QCOMPARE(GraphicalForm->PEGraph->model().data().label(199), QStringLiteral("  9:05:03.4  "));
        QVERIFY2(GraphicalForm->MaxDataPanel->text().isEmpty(), "the first reading leaves the extremes blank");
        QVERIFY(!recording().state().bBufferEmpty);
        QVERIFY(recording().state().bUnsaved);
        QCOMPARE(GraphicalForm->TimePanel->text(), QStringLiteral("  9:05:03.4  "));
        QCOMPARE(GraphicalForm->PEGraph->model().data().yAxisLabel, QStringLiteral("Reading(V)"));

        // A blank display and an overload without an overload value are dropped: nothing changes.
        store("    ");
        store("-OL.", "1", 516, "", "VA");
        QCOMPARE(buffer.count(), 1);
        QCOMPARE(recording().state().iStoredCount, 1);
        QCOMPARE(GraphicalForm->PEGraph->model().data().value(198), -99999.0f);

        // An overload of DC volts stores −66; from the second reading on the extremes show.
        store("-OL.", "1");
        QCOMPARE(buffer.at(1).fReading, -66.0f);
        QCOMPARE(GraphicalForm->MaxDataPanel->text(), QStringLiteral("-1.234"));
        QCOMPARE(GraphicalForm->MaxUnitPanel->text(), QStringLiteral("m"));
        QCOMPARE(GraphicalForm->MinDataPanel->text(), QStringLiteral("-OL."));
        QCOMPARE(recording().state().Scale.fScaleMin, -66.0f * 1.33f);

        // The page count follows the buffer: 200 readings are one page, 201 two.
        storeMany(198);
        QCOMPARE(recording().state().iLastPage, 1);
        storeMany(1);
        QCOMPARE(recording().state().iLastPage, 2);
        QCOMPARE(recording().state().iShownPage, 2);
        QCOMPARE(status(2), QStringLiteral("Page : 2 of 2"));

        // A store asked for from inside a store (by a view told of the reading) waits.
        bool asked = false;
        StoreOutcome inner = StoreOutcome::Stored;
        const auto nested = connect(&recording(), &Recording::readingStored, [&] {
            if (!std::exchange(asked, true))
                inner = recording().takeSample(FormMain->Acquisition->computation.MeterReading, QTime(9, 5, 4)).outcome;
        });
        store("1.000");
        disconnect(nested);
        QCOMPARE(inner, StoreOutcome::Waiting);
        QCOMPARE(buffer.count(), 202);
    }

    void enabledStatesFollowModeRecordingAndLoad()
    {
        // Automatic, stopped, empty buffer.
        QCOMPARE(commandStates(), QStringLiteral("110110000 100110000"));
        storeMany(250);
        QCOMPARE(commandStates(), QStringLiteral("110111110 100111110"));

        // Recording: Start applies the rule at once, before any reading comes.
        programState().WorkDir = run->folder();
        GraphicalForm->sbtnRecordStart->click();
        QVERIFY(recording().state().bRecording);
        QCOMPARE(status(0), QStringLiteral("Data Logging ..."));
        QCOMPARE(commandStates(), QStringLiteral("110000000 010000000"));
        store("1.000");
        QCOMPARE(commandStates(), QStringLiteral("110000000 010000000"));
        GraphicalForm->sbtnRecordStop->click();
        QVERIFY(!recording().state().bRecording);
        QCOMPARE(status(0), QString());

        // Manual mode, chosen in the interval dialog.
        QTimer::singleShot(0, [] {
            DialogOption->bManualChosen = true;
            DialogOption->accept();
        });
        GraphicalForm->sbtnOptionClick();
        QVERIFY(recording().state().bManualMode);
        QCOMPARE(status(3), QStringLiteral("Manual"));
        QCOMPARE(commandStates(), QStringLiteral("001111110 001111110"));

        // A file loading: the recorder's own commands are out of reach, until
        // the load and the Open that holds it have both ended.
        recording().beginLoad();
        recording().beginLoad();
        recording().endLoad();
        QCOMPARE(commandStates(), QStringLiteral("000000000 000000000"));
        recording().endLoad();
        QCOMPARE(commandStates(), QStringLiteral("001111110 001111110"));
    }

    void intervalShowsInTheStatusBarAndTakesEffectAtStart()
    {
        auto choose = [](int seconds, bool accept = true) {
            QTimer::singleShot(0, [seconds, accept] {
                DialogOption->bManualChosen = false;
                DialogOption->iIntervalSeconds = seconds;
                accept ? DialogOption->accept() : DialogOption->reject();
            });
            GraphicalForm->sbtnOptionClick();
        };
        QCOMPARE(status(3), QStringLiteral("Full Speed"));
        choose(5);
        QCOMPARE(status(3), QStringLiteral("Interval in second(s):5S"));
        GraphicalForm->sbtnRecordStart->click();
        QCOMPARE(recording().loggerTimer().interval(), 5000);
        GraphicalForm->sbtnRecordStop->click();
        choose(0);
        QCOMPARE(recording().state().iLoggerInterval, 500);
        QCOMPARE(status(3), QStringLiteral("Full Speed"));

        choose(9, false); // Cancel changes nothing
        QCOMPARE(recording().state().iLoggerInterval, 500);
    }

    void recordingWithoutAReadingOrTemporaryFileIsRefused()
    {
        programState().ReadingReceived = false;
        GraphicalForm->sbtnRecordStart->click();
        QCOMPARE(run->asked().captions(), QStringList{"Error[E9002]"});
        QVERIFY(GraphicalForm->sbtnRecordStop->isChecked());
        QVERIFY(!recording().state().bRecording);
        GraphicalForm->sbtnManualLogging->setEnabled(true);
        GraphicalForm->sbtnManualLoggingClick();
        QCOMPARE(recording().buffer().count(), 0);

        // A folder where no file can be made: E9003, and recording stops again at once.
        programState().ReadingReceived = true;
        programState().WorkDir = run->filePath("no/such/folder");
        GraphicalForm->sbtnRecordStart->click();
        QCOMPARE(run->asked().captions().last(), QStringLiteral("Error[E9003]"));
        QVERIFY(!recording().state().bRecording);
        QVERIFY(!recording().loggerTimer().isActive());
        QVERIFY2(recording().state().bSampleRequest, "the request of the failed Start stays pending");
    }

    void aTemporaryFileThatCannotBeWrittenStopsTheRecording()
    {
        programState().WorkDir = run->folder();
        GraphicalForm->sbtnRecordStart->click();
        QVERIFY(recording().state().bRecording);
        store("1.000");
        // A file size limit stands in for a full disk.
        rlimit saved{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        auto *previous = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = 100;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        store("2.000");
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previous);

        QCOMPARE(run->asked().messages.size(), 1);
        QVERIFY(run->asked().messages.first().text.contains(QStringLiteral("~VORDL1.TMP")));
        QVERIFY(!recording().state().bRecording);
        QVERIFY(GraphicalForm->sbtnRecordStop->isChecked());
        QCOMPARE(recording().buffer().count(), 2); // the reading is kept in memory
    }

    void startWhileRecordingClosesThePreviousFile()
    {
        programState().WorkDir = run->folder();
        GraphicalForm->sbtnRecordStart->click();
        store("1.000");
        GraphicalForm->sbtnRecordStart->click(); // the button stays usable while recording
        store("2.000");
        QCOMPARE(recording().temporaryStore().createdFiles(),
                 (QStringList{run->filePath("~VORDL1.TMP"), run->filePath("~VORDL2.TMP")}));
        // The first file is closed: nobody holds its lock any more.
        QFile first(run->filePath("~VORDL1.TMP"));
        QVERIFY(first.open(QIODevice::ReadOnly));
        QCOMPARE(::flock(first.handle(), LOCK_EX | LOCK_NB), 0);
        QCOMPARE(first.size(), qint64(kRecordSize));
        QFile second(run->filePath("~VORDL2.TMP"));
        QVERIFY(second.open(QIODevice::ReadOnly));
        QCOMPARE(::flock(second.handle(), LOCK_EX | LOCK_NB), -1); // the recording that runs holds its file
        GraphicalForm->sbtnRecordStop->click();
    }

    void closingTheWindowWhileRecordingStops()
    {
        programState().WorkDir = run->folder();
        GraphicalForm->mnuStart->trigger();
        QVERIFY(recording().state().bRecording);
        QVERIFY(recording().temporaryStore().isOpen());
        GraphicalForm->close();
        QVERIFY(GraphicalForm->isHidden());
        QVERIFY(!recording().state().bRecording);
        QVERIFY(!recording().loggerTimer().isActive());
        QVERIFY(!recording().temporaryStore().isOpen());
        QVERIFY(GraphicalForm->sbtnRecordStop->isChecked());
        QCOMPARE(status(0), QString());
    }

    void pagesWarningsCursorAndZoom()
    {
        // With nothing stored the page commands read nothing.
        TGraphicalForm &g = *GraphicalForm;
        QTest::keyClick(g.PEGraph, Qt::Key_PageDown);
        QTest::keyClick(g.PEGraph, Qt::Key_Left);
        g.sbtnFirstPageClick();
        g.sbtnLastPageClick();
        QCOMPARE(run->asked().captions(), QStringList{"Warning[W8009]"});
        QCOMPARE(recording().state().iShownPage, 1);
        QVERIFY(g.TimePanel->text().isEmpty());

        for (int i = 0; i < 450; ++i)
            store(qPrintable(QString::number(i)));
        QCOMPARE(recording().state().iLastPage, 3);
        // While a file loads, the page keys do nothing at all.
        recording().beginLoad();
        QTest::keyClick(g.PEGraph, Qt::Key_PageUp);
        QCOMPARE(recording().state().iShownPage, 3);
        recording().endLoad();
        const auto &chart = g.PEGraph->model().data();
        QCOMPARE(chart.value(0), 250.0f);

        // PgUp on the chart pages whatever the buttons say; page 1 is short and right-aligned.
        QTest::keyClick(g.PEGraph, Qt::Key_PageUp);
        QCOMPARE(recording().state().iShownPage, 2);
        QCOMPARE(chart.value(0), 50.0f);
        QCOMPARE(status(2), QStringLiteral("Page : 2 of 3"));
        QTest::keyClick(g.PEGraph, Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(recording().state().iShownPage, 1);
        QCOMPARE(chart.value(149), -99999.0f);
        QCOMPARE(chart.label(149), QStringLiteral(" "));
        QCOMPARE(chart.value(150), 0.0f);
        // Each page command's menu item follows its button (First page, Page down).
        QCOMPARE(commandStates(), QStringLiteral("110111101 100111101"));
        g.sbtnPageUpClick();
        QCOMPARE(run->asked().captions(), (QStringList{"Warning[W8009]", "Warning[W8008]"}));
        QCOMPARE(run->asked().messages.last().text, QStringLiteral("First page."));
        QCOMPARE(recording().state().iShownPage, 1);

        // The cursor on an empty point blanks the readout; on point 150 it shows reading 0.
        store("1.5", "0", fn::Ohm, "K", "W"); // a new reading goes back to the newest page
        QCOMPARE(recording().state().iShownPage, 3);
        QCOMPARE(g.PEGraph->model().data().yAxisLabel, QStringLiteral("Reading(Ohm)"));
        QCOMPARE(commandStates(), QStringLiteral("110111110 100111110"));
        g.sbtnFirstPageClick();
        QCOMPARE(recording().state().iShownPage, 1);
        g.PEGraph->SetCursorPoint(10);
        g.ShowCursorReading();
        QVERIFY(g.ReadingDataPanel->text().isEmpty());
        QCOMPARE(g.PEGraph->model().data().yAxisLabel, QStringLiteral("Reading"));
        g.PEGraph->SetCursorPoint(149);
        g.ShowCursorReading();
        QCOMPARE(g.ReadingDataPanel->text(), QStringLiteral("0"));
        QCOMPARE(g.PEGraph->model().data().yAxisLabel, QStringLiteral("Reading(V)"));

        // Zoom: Undo follows whether the chart is zoomed, across page changes too.
        g.sbtnLastPageClick();
        g.PEGraph->resize(800, 500);
        const QSize size = g.PEGraph->size();
        QTest::mousePress(g.PEGraph, Qt::LeftButton, {}, QPoint(size.width() * 3 / 10, size.height() * 3 / 10));
        QTest::mouseMove(g.PEGraph, QPoint(size.width() / 2, size.height() / 2));
        QTest::mouseRelease(g.PEGraph, Qt::LeftButton, {}, QPoint(size.width() * 7 / 10, size.height() * 7 / 10));
        QVERIFY(g.PEGraph->isZoomed());
        QVERIFY(g.sbtnUndoZoom->isEnabled());
        QVERIFY(g.mnuUndoZoom->isEnabled());
        g.sbtnPageUpClick();
        QCOMPARE(g.sbtnUndoZoom->isEnabled(), g.PEGraph->isZoomed());
        g.mnuUndoZoom->trigger();
        QVERIFY(!g.PEGraph->isZoomed());
        QVERIFY(!g.sbtnUndoZoom->isEnabled());
        QVERIFY(!g.mnuUndoZoom->isEnabled());
    }

    void clearAsksOnlyWhenUnsavedAndBlanksEverything()
    {
        storeMany(3);
        run->asked().answers = {PromptButton::Cancel};
        GraphicalForm->sbtnClearClick();
        QCOMPARE(recording().buffer().count(), 3);
        QCOMPARE(run->asked().captions(), QStringList{"Warning[W8002]"});
        QCOMPARE(run->asked().messages.last().defaultButton, PromptButton::Cancel);

        recording().markSaved(); // as after a save: no question
        GraphicalForm->sbtnClearClick();
        QCOMPARE(run->asked().messages.size(), 1);
        QCOMPARE(recording().buffer().count(), 0);
        QVERIFY(recording().state().bBufferEmpty);
        QCOMPARE(status(1), QStringLiteral("Data in buffer : 0"));
        QVERIFY(GraphicalForm->MaxDataPanel->text().isEmpty());
        QCOMPARE(GraphicalForm->PEGraph->model().data().value(199), -99999.0f);
        QCOMPARE(recording().state().Scale.fScaleMax, 100.0f);
    }

    // The conditions dialog keeps its plan in a file of its own; Start arms on
    // the start condition, the kept readings and the one that fired go in
    // with their own times and a trigger mark, and the stop condition ends it
    // before its reading, with a mark naming why.
    void anUnattendedRecordingArmsFiresAndStopsOnItsConditions()
    {
        TGraphicalForm &g = *GraphicalForm;
        programState().WorkDir = run->folder();
        QString refused;
        QTimer::singleShot(0, [&refused] {
            auto *d = qobject_cast<RunPlanDialog *>(QApplication::activeModalWidget());
            d->rbtnStartWhen->setChecked(true);
            d->editStartWhen->setText("abov 1.5");
            if (!d->buttons->button(QDialogButtonBox::Ok)->isEnabled())
                refused = d->lblCheck->text();
            d->editStartWhen->setText("above 1.5");
            d->spnPreTrigger->setValue(2);
            d->editStopWhen->setPlainText("below 1.5");
            d->buttons->button(QDialogButtonBox::Ok)->click();
        });
        g.mnuConditions->trigger();
        QVERIFY2(refused.startsWith("Start: 'abov' is no condition"), qPrintable(refused));
        QVERIFY(QFile(run->filePath("ZEVRUN.ini")).exists());
        QVERIFY(!QFile(run->filePath("ZEVDL.ini")).exists());

        QTime now(9, 0);
        g.Clock = [&now] { return now; };
        auto arrive = [&now](const char *value) {
            now = now.addMSecs(500);
            recording().requestSample(); // as the logger timer does every 500 ms
            TMeterReading &r = FormMain->Acquisition->computation.MeterReading;
            r.sValue = r.szDisplay = QString::fromLatin1(value);
            SendMessage(GraphicalForm, UM_READING);
        };
        store("0.5"); // a reading of an earlier run stays before this one's
        g.sbtnRecordStart->click();
        QVERIFY(recording().state().bArmed);
        QCOMPARE(commandStates(), QStringLiteral("110000000 010000000"));
        QVERIFY(!g.mnuConditions->isEnabled());
        for (const char *v : {"1.0", "1.1", "1.2"})
            arrive(v);
        QCOMPARE(status(0), QStringLiteral("Waiting: above 1.500 V, 2 readings kept"));
        QCOMPARE(recording().buffer().count(), 1);

        arrive("2.0");
        arrive("2.5");
        QVERIFY(recording().state().bRecording);
        const ReadingBuffer &buffer = recording().buffer();
        QCOMPARE(buffer.count(), 5);
        QCOMPARE(fieldText(buffer.at(1).szTime), QStringLiteral("  9:00:01.0  ")); // 1.1, when it came
        const auto &chart = g.PEGraph->model().data();
        QCOMPARE((QList<float>{chart.value(196), chart.value(197), chart.value(198), chart.value(199)}),
                 (QList<float>{1.1f, 1.2f, 2.0f, 2.5f}));
        QCOMPARE(DataPageListForm->lineCount(1), 5);
        QCOMPARE(recording().marks().at(0), (Mark{3, "9:00:02.0", MarkKind::Trigger, "start: above 1.5"}));

        arrive("1.0");
        QVERIFY(!recording().state().running());
        QCOMPARE(buffer.count(), 5);
        QCOMPARE(recording().marks().at(1), (Mark{4, "9:00:02.5", MarkKind::Trigger, "stop: below 1.5 (1.0 V)"}));
        QCOMPARE(status(0), QString());

        // A meter that hangs up while armed: nothing waits any more.
        g.sbtnRecordStart->click();
        QVERIFY(recording().state().bArmed);
        SendMessage(GraphicalForm, UM_LINK_ENDED);
        QVERIFY(!recording().state().running());
        QVERIFY(g.sbtnRecordStop->isChecked());
    }

    void stateChangedResetsWithoutEmptyingTheBuffer()
    {
        storeMany(250);
        recording().beginLoad();
        recording().requestSample(); // a reading comes while the file loads: it waits
        SendMessage(GraphicalForm, UM_READING);
        QVERIFY(recording().hasWaitingSample());
        SendMessage(GraphicalForm, UM_STATE_CHANGED);
        QCoreApplication::processEvents(); // nothing from before the reset is stored
        QVERIFY(!recording().state().bSampleRequest);
        QVERIFY(!recording().state().LoadInProgress);
        QCOMPARE(recording().buffer().count(), 250);
        QCOMPARE(recording().state().iStoredCount, 0);
        QVERIFY(recording().state().bBufferEmpty);
        QCOMPARE(recording().state().iLastPage, 1);
        QVERIFY(FormMain->sbtnLink->isEnabled()); // the main window refreshed its states
    }

    void importReleasesTheLinkAndIsHidden()
    {
        QVERIFY(!GraphicalForm->sbtnImport->isVisible());
        QVERIFY(!GraphicalForm->mnuImport->isVisible());
        storeMany(3);
        FormMain->sbtnLink->click();
        QVERIFY(FormMain->linked());
        GraphicalForm->sbtnImportClick();
        QVERIFY(!FormMain->linked());
        QCOMPARE(recording().buffer().count(), 3);
        QCOMPARE(recording().state().iStoredCount, 3);
    }

    void openShowsPagesListAndExtremes()
    {
        struct Row
        {
            int records;
            QByteArray tail;
            QString page;
        };
        const Row rows[] = {{400, {}, "Page : 2 of 2"}, {401, "partial", "Page : 3 of 3"}, {0, {}, "Page : 1 of 1"}};
        for (const Row &r : rows) {
            ReadingBuffer file;
            for (int i = 0; i < r.records; ++i)
                file.append(voltReading(float(i), QStringLiteral("  9:05:03.4  ")));
            const QString path = run->filePath(QStringLiteral("run%1.g52").arg(r.records));
            QVERIFY(saveLoggerFile(path, file));
            QFile tail(path);
            QVERIFY(tail.open(QIODevice::Append));
            tail.write(r.tail);
            tail.close();

            recording().markSaved(); // Open clears first; no question
            run->asked().fileAnswers = {path};
            GraphicalForm->sbtnOpenFileClick();
            const TGraphicalForm &g = *GraphicalForm;
            QCOMPARE(status(2), r.page);
            QCOMPARE(recording().buffer().count(), r.records);
            QCOMPARE(recording().state().iStoredCount, r.records);
            QCOMPARE(DataPageListForm->lineCount(1), r.records);
            QVERIFY(!recording().state().LoadInProgress);
            QVERIFY(!MsgForm->isVisible());
            QVERIFY(recording().state().bUnsaved);
            if (r.records == 401) {
                QCOMPARE(g.PEGraph->model().data().value(199), 400.0f);
                QCOMPARE((QStringList{g.MaxDataPanel->text(), g.MinDataPanel->text()}), (QStringList{"400", "0"}));
                QCOMPARE(recording().state().Scale.fScaleMax, 400.0f * 1.33f);
                GraphicalForm->sbtnFirstPageClick();
                QCOMPARE(g.PEGraph->model().data().value(198), -99999.0f);
                QCOMPARE(g.PEGraph->model().data().value(199), 0.0f);
            }
        }
        QCOMPARE(run->asked().fileRequests.first().filter,
                 QStringLiteral("Data Logger files(*.g52)|*.g52|Data Logger files(*.g51)|*.g51|Temporary "
                                "files(*.TMP)|*.tmp"));
        QVERIFY(run->asked().messages.isEmpty());

        // A reading that is no number (a damaged file) keeps its bytes but stays
        // out of the scale, the extremes and the line.
        ReadingBuffer damaged;
        for (float v : {2.0f, std::numeric_limits<float>::quiet_NaN(), 5.0f, std::numeric_limits<float>::infinity()})
            damaged.append(voltReading(v, QStringLiteral("t"), QStringLiteral("x")));
        QVERIFY(saveLoggerFile(run->filePath("damaged.g52"), damaged));
        recording().markSaved();
        run->asked().fileAnswers = {run->filePath("damaged.g52")};
        GraphicalForm->sbtnOpenFileClick();
        QCOMPARE(recording().buffer().count(), 4);
        QVERIFY(std::isnan(recording().buffer().at(1).fReading));
        QCOMPARE(recording().state().Scale.fScaleMax, 5.0f * 1.33f);
        QCOMPARE(recording().state().Extreme.iMaxIndex, 2);
        QCOMPARE(recording().state().Extreme.iMinIndex, 0);
        QCOMPARE(GraphicalForm->PEGraph->model().data().value(197), -99999.0f);
        QCOMPARE(GraphicalForm->PEGraph->model().data().value(198), 5.0f);
        QCOMPARE(GraphicalForm->PEGraph->model().data().value(199), -99999.0f);

        run->asked().fileAnswers = {run->filePath("missing.g52")};
        recording().markSaved();
        GraphicalForm->sbtnOpenFileClick();
        QCOMPARE(run->asked().captions(), QStringList{"Error[E9004]"});

        // A file the program was started with opens as Open opens the file chosen.
        GraphicalForm->OpenFile(run->filePath("run400.g52"));
        QCOMPARE(recording().buffer().count(), 400);
        recording().markSaved();
        GraphicalForm->OpenFile(run->filePath("missing.g52"));
        QCOMPARE(run->asked().captions(), (QStringList{"Error[E9004]", "Error[E9004]"}));
        QCOMPARE(recording().buffer().count(), 0);
    }

    void abortingALoadKeepsWhatWasReadConsistently()
    {
        ReadingBuffer file;
        constexpr int n = 600000;
        for (int i = 0; i < n; ++i)
            file.append(voltReading(float(i % 1000), QStringLiteral("t"), QStringLiteral("1")));
        const QString path = run->filePath("big.g52");
        QVERIFY(saveLoggerFile(path, file));
        file.clear();

        // At the load's first turn of the event loop the user answers No; at its
        // second, after the first block of records was read, Yes.
        GraphicalForm->LoadEventBudgetMs = 0; // a turn after every block
        run->asked().answers = {PromptButton::No, PromptButton::Yes};
        int presses = 0, turns = 0;
        std::function<void()> pressAbort = [&] {
            if (MsgForm->isVisible() && MsgForm->bbtnAbort->isEnabled()) {
                ++presses;
                MsgForm->bbtnAbort->click();
            }
            if (presses < 2 && ++turns < 100)
                QTimer::singleShot(0, pressAbort);
        };
        QTimer::singleShot(0, pressAbort);
        run->asked().fileAnswers = {path};
        GraphicalForm->sbtnOpenFileClick();

        QCOMPARE(run->asked().captions(), (QStringList{"Warning[W8014]", "Warning[W8014]"}));
        const qsizetype k = recording().buffer().count();
        QVERIFY2(k > 0 && k < n, qPrintable(QString::number(k)));
        QCOMPARE(recording().state().iStoredCount, int(k));
        QCOMPARE(recording().state().iLastPage, pageCount(k));
        QCOMPARE(recording().state().iShownPage, recording().state().iLastPage);
        int listed = 0;
        for (int sheet = 1; sheet <= DataPageListForm->sheetCount(); ++sheet)
            listed += DataPageListForm->lineCount(sheet);
        QCOMPARE(listed, int(k));
        QVERIFY(recording().state().bUnsaved);
        QVERIFY(!recording().state().LoadInProgress);
        QVERIFY(GraphicalForm->sbtnClear->isEnabled());
    }

    void saveFailuresKeepTheDataUnsavedAndThePreviousFile()
    {
        storeMany(5);
        const QString path = run->filePath("run.g52");
        QFile previous(path);
        QVERIFY(previous.open(QIODevice::WriteOnly));
        previous.write("previous");
        previous.close();

        run->asked().fileAnswers = {QStringLiteral("/sys/orvel-test.g52")};
        GraphicalForm->sbtnSaveFileClick();
        QCOMPARE(run->asked().captions(), QStringList{"Error[E9005]"});
        QVERIFY(recording().state().bUnsaved);

        rlimit saved{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        auto *old = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = 100;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        run->asked().fileAnswers = {path};
        GraphicalForm->sbtnSaveFileClick();
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, old);
        QCOMPARE(run->asked().captions().size(), 2);
        QVERIFY(recording().state().bUnsaved);
        QVERIFY(previous.open(QIODevice::ReadOnly));
        QCOMPARE(previous.readAll(), QByteArray("previous"));
        previous.close();

        run->asked().fileAnswers = {path};
        GraphicalForm->sbtnSaveFileClick();
        QVERIFY(!recording().state().bUnsaved);
        QCOMPARE(QFileInfo(path).size(), 5 * kRecordSize);
        QCOMPARE(run->asked().fileRequests.last().fileName, QStringLiteral("Untitled.g52"));
        QVERIFY(run->asked().fileRequests.last().promptOverwrite);

        // The new file is written whole but may not replace the earlier one:
        // another user's file in a shared folder with the sticky bit, as in /tmp.
        const QString shared = run->filePath("shared"), earlier = shared + "/run.g52";
        QVERIFY(QDir().mkdir(shared) && QFile::copy(path, earlier));
        if (::chown(qPrintable(earlier), 4321, 4321) != 0 || ::chown(qPrintable(shared), 4321, 4321) != 0)
            QSKIP("only root can give a folder and a file to another user");
        QCOMPARE(::chmod(qPrintable(shared), 01777), 0);
        store("1.5");
        run->asked().fileAnswers = {earlier};
        {
            WithoutOwnerOverride asAnyUser;
            GraphicalForm->sbtnSaveFileClick();
        }
        QCOMPARE(run->asked().captions(), (QStringList{"Error[E9005]", "Error[E9005]", "Error[E9005]"}));
        QVERIFY(recording().state().bUnsaved);
        QFile kept(earlier);
        QVERIFY(previous.open(QIODevice::ReadOnly) && kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), previous.readAll()); // the five readings saved before
        QCOMPARE(QDir(shared).entryList(QDir::Files), QStringList{"run.g52"});
    }

    void closeQuestionYesSavesOrStaysOpen()
    {
        storeMany(3);
        run->asked().answers = {PromptButton::Yes};
        run->asked().fileAnswers = {QString()}; // the file dialog is cancelled
        FormMain->close();
        QVERIFY(FormMain->isVisible());
        QVERIFY(recording().state().bUnsaved);

        const QString path = run->filePath("exit.g52");
        run->asked().answers = {PromptButton::Yes};
        run->asked().fileAnswers = {path};
        FormMain->close();
        QVERIFY(!FormMain->isVisible());
        QCOMPARE(QFileInfo(path).size(), 3 * kRecordSize);
    }

    // A mark goes on the reading under the cursor, or on the newest one while
    // recording; the chart, the cursor's panels, the data list and the
    // statistics show it; it is written through while recording and kept with
    // the file.
    void marksArePlacedShownAndKept()
    {
        TGraphicalForm &g = *GraphicalForm;
        ScriptedPrompt &asked = run->asked();
        QVERIFY(!g.mnuMark->isEnabled() && !g.sbtnMark->isEnabled()); // no reading, no mark
        storeMany(3);
        g.PEGraph->SetCursorPoint(198); // the second of three readings, right-aligned on page 1
        g.mnuMark->trigger();
        asked.inputAnswers << QStringLiteral("load, \"on\"\tΩ");
        g.PEGraph->SetCursorPoint(199);
        g.mnuMarkText->trigger();
        const MarkList &marks = recording().marks();
        QCOMPARE(marks.size(), 2);
        QCOMPARE(marks.at(0).index, 1);
        QCOMPARE(marks.at(1).text, QStringLiteral("load, \"on\"\tΩ"));
        QCOMPARE(g.PEGraph->model().data().marks,
                 (std::vector<ChartMark>{{198, QString()}, {199, QStringLiteral("load, \"on\"\tΩ")}}));
        QCOMPARE(g.MarkPanel->text(), QStringLiteral("load, \"on\" Ω"));
        QVERIFY(DataPageListForm->lineText(1, 2).endsWith(QStringLiteral("\u25B6 load, \"on\" Ω")));
        QVERIFY(!DataPageListForm->lineText(1, 0).contains(QChar(0x25B6)));
        g.Statistics->open();
        QVERIFY(g.Statistics->text().contains(QStringLiteral("Marks\n9:05:03.4  \n9:05:03.4  load, \"on\" Ω")));
        g.Statistics->hide();

        // Edited and removed under the cursor; nothing to edit elsewhere.
        asked.inputAnswers << QStringLiteral("fan started");
        g.mnuEditMark->trigger();
        QCOMPARE(marks.at(1).text, QStringLiteral("fan started"));
        g.PEGraph->SetCursorPoint(197);
        g.ShowCursorReading();
        QVERIFY(!g.mnuEditMark->isEnabled() && !g.mnuRemoveMark->isEnabled());
        g.PEGraph->SetCursorPoint(198);
        g.ShowCursorReading();
        g.mnuRemoveMark->trigger();
        QCOMPARE(marks.size(), 1);

        // Recording: the newest reading, whatever the cursor shows; written through at once.
        programState().WorkDir = run->folder();
        g.sbtnRecordStartClick();
        storeMany(2);
        g.PEGraph->SetCursorPoint(100);
        g.mnuMark->trigger();
        QCOMPARE(marks.at(1).index, 4);
        const QString journal = marksFilePath(recording().temporaryStore().currentPath());
        QCOMPARE(readMarksFile(journal, 2).marks.size(), 1);
        // A disk that is full: the mark is placed, the message says it was not written.
        QFile::remove(journal);
        QVERIFY(QFile::link(QStringLiteral("/dev/full"), journal));
        g.mnuMark->trigger();
        QCOMPARE(marks.size(), 3);
        QCOMPARE(asked.messages.size(), 1);
        QVERIFY(asked.messages[0].text.contains(QStringLiteral("could not be written beside the temporary file")));
        g.sbtnRecordStopClick();

        // Saved beside the file and opened again; a damaged marks file is named with its line.
        const QString path = run->filePath(QStringLiteral("marked.g52"));
        QVERIFY(recording().save(path));
        recording().clear();
        QVERIFY(g.PEGraph->model().data().marks.empty());
        g.LoadFile(path);
        QCOMPARE(marks.size(), 3);
        QCOMPARE(g.PEGraph->model().data().marks.size(), std::size_t(3));
        QFile damaged(marksFilePath(path));
        QVERIFY(damaged.open(QIODevice::Append));
        damaged.write("6\tt\tuser\tbeyond\n");
        damaged.close();
        recording().clear();
        g.LoadFile(path);
        QCOMPARE(marks.size(), 3);
        QVERIFY(asked.messages.last().text.contains(QStringLiteral("line 5")));
    }

    void statisticsFollowThePageAndTheRecording()
    {
        TGraphicalForm &g = *GraphicalForm;
        g.mnuStatistics->trigger();
        QVERIFY(g.Statistics->isVisible());
        QCOMPARE(g.Statistics->ViewPanel->text(), QStringLiteral("Readings: 0"));
        for (int i = 0; i < 450; ++i)
            store(qPrintable(QString::number(i)));
        QVERIFY(g.Statistics->ViewPanel->text().startsWith(QStringLiteral("Readings: 200\n")));
        QVERIFY(g.Statistics->WholePanel->text().startsWith(QStringLiteral("Readings: 450\n")));
        QVERIFY(g.Statistics->WholePanel->text().contains(QStringLiteral("Mean: 224.5")));
        g.sbtnFirstPageClick();
        QVERIFY(g.Statistics->ViewPanel->text().startsWith(QStringLiteral("Readings: 50\n")));
        QVERIFY(g.Statistics->ViewPanel->text().contains(QStringLiteral("Maximum: 49 (49 V)")));
        g.Statistics->btnCopy->click();
        QCOMPARE(QApplication::clipboard()->text(), g.Statistics->text());

        // Hidden while the buffer is cleared and a file as long is opened: reopened, it counts the file only.
        g.Statistics->hide();
        ReadingBuffer file;
        for (int i = 0; i < 450; ++i) // half a second apart, 30 s missing after the 300th
            file.append(voltReading(1000.0f + float(i), tenthsText(327034 + 5 * i + (i >= 300 ? 295 : 0)),
                                    QStringLiteral("1")));
        QVERIFY(saveLoggerFile(run->filePath("later.g52"), file));
        recording().markSaved();
        run->asked().fileAnswers = {run->filePath("later.g52")};
        g.sbtnOpenFileClick();
        g.mnuStatistics->trigger();
        QVERIFY(g.Statistics->WholePanel->text().startsWith(QStringLiteral("Readings: 450\n")));
        QVERIFY(g.Statistics->WholePanel->text().contains(QStringLiteral("Mean: 1224.5")));
        const QString gaps = QStringLiteral("Gaps: 1, 0:00:30.0 missing, the longest 0:00:30.0 from 9:07:32.9");
        QVERIFY(g.Statistics->WholePanel->text().contains(gaps));
        QVERIFY(g.Statistics->WholePanel->width() >= g.Statistics->WholePanel->sizeHint().width()); // none cut off
        g.Statistics->btnCopy->click();
        QVERIFY(QApplication::clipboard()->text().contains(gaps));
        recording().markSaved();
        g.sbtnClearClick();
        QCOMPARE(g.Statistics->WholePanel->text(), QStringLiteral("Readings: 0"));
    }

    // What a file holds is shown as it is, never read as markup: in the
    // recorder's panels, the viewer's, the statistics and the questions.
    void textsFromAFileAreShownAsTheyAre()
    {
        ReadingBuffer file;
        for (float v : {1.0f, 2.0f})
            file.append(TARecord(QStringLiteral("12"), QStringLiteral("0"), fn::VoltDC, QStringLiteral("<b>9</b>"),
                                 QStringLiteral("<h1>12</h1>"), QStringLiteral("<i>m"), QStringLiteral("<u>V"), v,
                                 QString()));
        const QString path = run->filePath("markup.g52");
        QVERIFY(saveLoggerFile(path, file));
        run->asked().fileAnswers = {path};
        GraphicalForm->sbtnOpenFileClick();
        GraphicalForm->mnuStatistics->trigger();
        FormViewGraphic->FormShow();
        QList<QLabel *> panels = GraphicalForm->DisplayPanel->findChildren<QLabel *>(QRegularExpression("Panel$"));
        panels += FormViewGraphic->DisplayPanel->findChildren<QLabel *>(QRegularExpression("Panel$"));
        panels << GraphicalForm->Statistics->WholePanel << FormViewGraphic->Statistics->ViewPanel;
        QVERIFY(panels.size() > 20);
        QCOMPARE(GraphicalForm->MaxDataPanel->text(), QStringLiteral("<h1>12</h1>"));
        QCOMPARE(FormViewGraphic->MaxTimePanel->text(), QStringLiteral("<b>9</b>"));
        for (QLabel *p : std::as_const(panels))
            QVERIFY2(p->textFormat() == Qt::PlainText, qPrintable(p->objectName()));
        FormViewGraphic->FormClose();

        MessageRequest question;
        question.text = QStringLiteral("A recording was interrupted at <h1>12</h1>");
        QCOMPARE(messageBoxFor(question)->textFormat(), Qt::PlainText);
    }

    void lineColourAndPrinterSetupGoThroughThePrompt()
    {
        GraphicalForm->mnuLineColorClick(); // the scripted prompt cancels
        QCOMPARE(GraphicalForm->PEGraph->GetSubsetColors(0), QColor(0xC0, 0xC0, 0xC0));
        QCOMPARE(&GraphicalForm->PEGraph->printer(), &programPrinter());
    }
};

QTEST_MAIN(TestRecorder)
#include "tst_Recorder.moc"
