// The main window's commands and the acquisition tick's effects on the windows,
// driven without a port: a tick's bytes are handed to the cycle directly.

#include "app/Dlgrsport.h"
#include "app/Globalvar.h"
#include "app/Main4.h"
#include "app/Startup.h"
#include "base/Messages.h"
#include "meter/FrameEncoder.h"
#include "platform/Tiling.h"
#include "platform/WindowPlacement.h"
#include "recorder/Graphicalrecord.h"
#include "tests/support/TestRun.h"
#include "views/Analogmeter.h"
#include "views/Comparator.h"
#include "views/Datapagelist.h"
#include "views/Digitalmeter.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>

using namespace orvel;
using namespace orvel::test;

namespace {

QByteArray frameOf(const char *display, const char *words)
{
    DisplayState s = displayFromText(QString::fromLatin1(display)).value();
    const QString w = QString::fromLatin1(words);
    s.dc = w.contains("DC");
    s.ac = w.contains("AC");
    s.volt = w.contains("V");
    s.ohm = w.contains("ohm");
    s.lowBattery = w.contains("lowbat");
    if (w.contains(" m"))
        s.prefixes = kPrefixMilli;
    if (w.contains(" k"))
        s.prefixes = kPrefixKilo;
    return frameBytes(encodeFrame(s).value());
}

// One tick that read `bytes` (an empty array: a read that got nothing).
void tick(const QByteArray &bytes)
{
    FormMain->Acquisition->finishTick(int(bytes.size()), bytes);
    QCoreApplication::processEvents(); // posted UM_READING messages
}

// Whether each of `items` is enabled, in the order given, as a string of 0 and 1.
template <typename... Items> QString enabledStates(const Items *...items)
{
    return ((items->isEnabled() ? QStringLiteral("1") : QStringLiteral("0")) + ...);
}

// The recorder holding one reading that has not been saved.
void storeOneReading()
{
    recording().requestSample();
    tick(frameOf("1.234", "DC V"));
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestRun> run;
    std::unique_ptr<PseudoTerminal> pty;
    std::unique_ptr<WindowSet> windows;
    QList<int> warnings; ///< acquisition warnings shown, by text id
    PromptButton warningAnswer = PromptButton::Yes;

    ScriptedPrompt &asked() const { return run->asked(); }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init()
    {
        run = std::make_unique<TestRun>();
        pty = std::make_unique<PseudoTerminal>();
        run->ports.route(2, pty->path());
        windows = std::make_unique<WindowSet>();
        QVERIFY(programState().hComPort != nullptr);
        warnings.clear();
        warningAnswer = PromptButton::Yes;
        FormMain->Acquisition->showWarning = [this](int id) {
            warnings.append(id);
            return warningAnswer;
        };
    }

    void cleanup()
    {
        if (FormMain && !FormMain->isHidden())
            FormMain->close();
        windows.reset();
        pty.reset();
        run.reset();
    }

    // ---- link state -----------------------------------------------------------

    void linkStateDrivesCaptionsHintsAndEnabledStates()
    {
        TFormMain &f = *FormMain;
        QCOMPARE((QStringList{f.mnuLink->text(), f.sbtnLink->toolTip()}), (QStringList{"&Link", "Link to DMM"}));
        QCOMPARE(enabledStates(f.sbtnPort, f.mnuHelp->menuAction()), QStringLiteral("11"));

        f.sbtnLink->click();
        QVERIFY(f.linked());
        QVERIFY(f.Acquisition->TimerGetSd.isActive());
        QCOMPARE((QStringList{f.mnuLink->text(), f.sbtnLink->toolTip()}), (QStringList{"Un&link", "Unlink DMM"}));
        // Port, About and Help out of reach; Link, File, Window and the views not.
        QCOMPARE(enabledStates(f.sbtnPort, f.sbtnAbout, f.mnuPort, f.mnuHelp->menuAction(), f.mnuLink,
                               f.mnuFile->menuAction(), f.mnuWindow->menuAction(), f.sbtnGraphical),
                 QStringLiteral("00001111"));

        // A file load freezes link, port and help whatever the link state.
        recording().beginLoad(); // the main window hears of it at once
        QCOMPARE(enabledStates(f.sbtnLink, f.mnuLink), QStringLiteral("00"));
        f.mnuLinkClick(); // the menu command still works from code: unlink
        QVERIFY(!f.linked());
        QCOMPARE(enabledStates(f.sbtnPort, f.sbtnLink), QStringLiteral("00"));
        recording().endLoad();
        QCOMPARE(enabledStates(f.sbtnLink, f.sbtnPort), QStringLiteral("11"));
        QVERIFY(!f.Acquisition->TimerGetSd.isActive());
    }

    void linkMessagesAndUnlinkStopRecordingFirst()
    {
        SendMessage(FormMain, UM_LINK);
        QVERIFY(FormMain->linked());
        QVERIFY(FormMain->Acquisition->TimerGetSd.isActive());
        programState().ReadingReceived = true;
        QVERIFY(recording().start(run->folder()));
        SendMessage(FormMain, UM_UNLINK);
        QVERIFY(!FormMain->linked());
        QVERIFY(!FormMain->Acquisition->TimerGetSd.isActive());
        QVERIFY2(!recording().state().bRecording, "the recorder hears of the unlink before the handler returns");
        QVERIFY(!recording().loggerTimer().isActive());
        QVERIFY(!programState().ReadingReceived);
    }

    void windowMenuSeparatorShowsOnlyItsLine()
    {
        int separators = 0;
        for (const QAction *action : FormMain->mnuWindow->actions()) {
            if (action->isSeparator()) {
                ++separators;
                QVERIFY2(action->text().isEmpty(), qPrintable(action->text()));
            }
        }
        QCOMPARE(separators, 1);
    }

    void viewsKeepTheirSizeLimitsAndMaximiseBelowTheStrip()
    {
        const QSize screen = primaryScreenSize();
        const int w = screen.width(), h = screen.height(), m = FormMain->stripHeight();
        const struct
        {
            QWidget *window;
            SizeLimits limits;
            bool resizable;
        } cases[] = {
            {DigitalMeterForm, digitalMeterLimits(w, h, m), false},
            {DataPageListForm, dataListLimits(w, h, m, placement().taskbarReserve), true},
            {GraphicalForm, recorderLimits(w, h, m, placement().taskbarReserve), true},
        };
        QCoreApplication::processEvents(); // the frames are on
        for (const auto &c : cases) {
            const char *name = c.window->metaObject()->className();
            const QRect normal = c.window->frameGeometry();
            const QSize frame = normal.size() - c.window->size();
            const QSize client = c.window->size();
            QVERIFY2(c.window->isVisible() && !frame.isEmpty(), name);
            if (c.resizable) {
                // Never smaller than the smallest tracking size, as large as the user likes.
                QCOMPARE(c.window->minimumSize() + frame, c.limits.minimumTrackingSize);
                c.window->resize(screen);
                QCOMPARE(c.window->size(), screen);
                c.window->resize(client);
            } else {
                QCOMPARE(c.window->minimumSize(), client);
                QCOMPARE(c.window->maximumSize(), client);
            }

            c.window->showMaximized();
            QCoreApplication::processEvents();
            QVERIFY2(c.window->isMaximized(), name);
            QCOMPARE(c.window->frameGeometry(), QRect(c.limits.maximisedPosition, c.limits.maximisedSize));

            c.window->showNormal();
            QCoreApplication::processEvents();
            QCOMPARE(c.window->frameGeometry(), normal);
            QCOMPARE(c.window->size(), client);
            if (!c.resizable)
                QCOMPARE(c.window->maximumSize(), client);
        }
    }

    // ---- the tick -------------------------------------------------------------

    void aReadingReachesTheDigitalMeter()
    {
        const auto &d = *DigitalMeterForm;
        tick(frameOf("12.34", "DC V m"));
        QCOMPARE((QStringList{d.DataPanel->text(), d.UnitPanel->text(), d.FuncPanel->text(), d.pnlAcDc->text(),
                              d.SubDataPanel->text()}),
                 (QStringList{"12.34", "m", "V", "DC", " "}));
        QVERIFY(programState().ReadingReceived);
        QCOMPARE(FormMain->MeterReading().szDisplay, QStringLiteral("12.34"));

        // Resistance shows its unit as the ohm sign, in the symbol face.
        tick(frameOf("60.00", "ohm k"));
        QCOMPARE((QStringList{d.FuncPanel->text(), d.FuncPanel->property("face").toString(), d.UnitPanel->text()}),
                 (QStringList{"Ω", "Symbol", "K"}));
        QCOMPARE(d.FuncPanel->font().pointSize(), d.FuncPanel->width() / 2);

        // Messages 1025 to 1028 change nothing.
        for (int n = 1025; n <= 1028; ++n)
            SendMessage(DigitalMeterForm, QEvent::Type(n), 7);
        QCOMPARE(d.DataPanel->text(), QStringLiteral("60.00"));
    }

    void aGoodFrameOrLinkingRestartsTheFailedTickCount()
    {
        tick({});
        tick({});
        tick(frameOf("1.234", "DC V"));
        tick({});
        QVERIFY(warnings.isEmpty());
        QCOMPARE(FormMain->iNoDataCount, 1);
        tick({});
        QCOMPARE(FormMain->iNoDataCount, 2);
        FormMain->sbtnLink->click();
        QCOMPARE(FormMain->iNoDataCount, 0);
    }

    void everyThirdFailedTickWarnsAndAbortUnlinks()
    {
        FormMain->sbtnLink->click();
        tick({});
        tick(QByteArray("\x02\x14", 2)); // a short read straight after start: the empty last frame fails
        QVERIFY(warnings.isEmpty());
        warningAnswer = PromptButton::Retry;
        tick({});
        QCOMPARE(warnings, QList<int>{8004});
        QCOMPARE(FormMain->iNoDataCount, 0);
        QVERIFY(FormMain->linked());
        QVERIFY2(FormMain->Acquisition->TimerGetSd.isActive(), "Continue lets acquisition go on");

        tick(frameOf("1.234", "DC V"));
        tick({});
        tick({});
        QCOMPARE(warnings.size(), 1); // a good tick starts the count again
        warningAnswer = PromptButton::Abort;
        tick({});
        QCOMPARE(warnings, (QList<int>{8004, 8004}));
        QVERIFY(!FormMain->linked());
        QVERIFY(!FormMain->Acquisition->TimerGetSd.isActive());
    }

    void lowBatteryWarnsOnEveryTick()
    {
        FormMain->sbtnLink->click();
        warningAnswer = PromptButton::Yes; // the window ran out its time
        tick(frameOf("1.438", "DC V lowbat"));
        QCOMPARE(warnings, QList<int>{8000});
        QCOMPARE(DigitalMeterForm->DataPanel->text(), QStringLiteral("1.438")); // shown on the same tick
        tick(frameOf("1.437", "DC V lowbat"));
        QCOMPARE(warnings, (QList<int>{8000, 8000}));
        QCOMPARE(DigitalMeterForm->DataPanel->text(), QStringLiteral("1.437"));

        warningAnswer = PromptButton::Abort;
        tick(frameOf("1.436", "DC V lowbat"));
        QCOMPARE(DigitalMeterForm->DataPanel->text(), QStringLiteral("1.437")); // an aborted tick shows nothing
        QVERIFY(!FormMain->linked());
    }

    void messagesReachOnlyWindowsThatCanShowThem()
    {
        AnalogMeterForm->showMinimized();
        tick(frameOf("1.234", "DC V"));
        QCOMPARE(AnalogMeterForm->iReadingsShown, 0);
        QCOMPARE(AnalogMeterForm->values.reading, 1234); // its fields are written all the same
        AnalogMeterForm->showNormal();
        tick(frameOf("2.345", "DC V"));
        QCOMPARE(AnalogMeterForm->iReadingsShown, 1);
        QCOMPARE(AnalogMeterForm->shown.reading, 2345); // the next reading, not the missed one

        // The comparator is hidden at start.
        tick(frameOf("3.456", "DC V"));
        QCOMPARE(ComparatorForm->iReadingsShown, 0);
        FormMain->sbtnComparatorClick();
        QVERIFY(ComparatorForm->isVisible());
        tick(frameOf("4.567", "DC V"));
        QCOMPARE(ComparatorForm->iReadingsShown, 1);
        QCOMPARE(ComparatorForm->shown.reading, 4.567f);

        // The recorder hears only when it asked, shown or not.
        GraphicalForm->hide();
        tick(frameOf("5.678", "DC V"));
        QCOMPARE(recording().buffer().count(), 0);
        recording().requestSample();
        tick(frameOf("6.789", "DC V"));
        QCOMPARE(recording().buffer().count(), 1);
        QVERIFY(!recording().state().bSampleRequest);
        tick(frameOf("7.890", "DC V"));
        QCOMPARE(recording().buffer().count(), 1);
    }

    // ---- views, tiling, port ---------------------------------------------------

    void viewButtonsShowRestoreAndRaise()
    {
        AnalogMeterForm->hide();
        FormMain->sbtnAnalogMeter->click();
        QVERIFY(AnalogMeterForm->isVisible());
        DataPageListForm->showMinimized();
        FormMain->mnuDataList->trigger();
        QVERIFY(!DataPageListForm->isMinimized());
        DigitalMeterForm->close();
        QVERIFY2(DigitalMeterForm->isVisible(), "the digital meter cannot be closed");
    }

    void tilingKeepsTheAnalogMetersPlaceWhenItIsHidden()
    {
        const QSize screen = primaryScreenSize();
        const int m = FormMain->stripHeight();
        AnalogMeterForm->hide();
        FormMain->sbtnWinTile->click();
        const QRect digital = digitalMeterRect(screen.width(), screen.height(), m);
        const QRect analog = analogMeterRect(screen.width(), m, digital.height(), FormMain->metrics());
        QCOMPARE(DigitalMeterForm->frameGeometry(), digital);
        QCOMPARE(DataPageListForm->frameGeometry().top(), m + digital.height() + analog.height());
        QCOMPARE(GraphicalForm->frameGeometry(),
                 recorderRect(screen.width(), screen.height(), m, placement().taskbarReserve));
        QVERIFY(!AnalogMeterForm->isVisible());
        QVERIFY(!ComparatorForm->isVisible()); // tiling shows nothing that was hidden
    }

    void portChangeReopensAndRenamesTheDigitalMeter()
    {
        PseudoTerminal five;
        run->ports.route(5, five.path());
        programState().PortPresent[4] = true;
        QTimer::singleShot(0, [] {
            DlgRsPortForm->rbtnCom[4]->setChecked(true);
            DlgRsPortForm->bbtnOk->click();
        });
        FormMain->sbtnPortClick();
        QCOMPARE(programState().SelectedPort, 5);
        QVERIFY(programState().hComPort != nullptr);
        QCOMPARE(programState().hComPort->path(), five.path());
        QCOMPARE(DigitalMeterForm->windowTitle(), QStringLiteral("Digital Meter : COM 5"));

        // Cancel keeps the port and still closes and reopens it.
        QTimer::singleShot(0, [] { DlgRsPortForm->bbtnCancel->click(); });
        FormMain->sbtnPortClick();
        QCOMPARE(programState().SelectedPort, 5);
        QVERIFY(programState().hComPort != nullptr);
        QVERIFY(asked().messages.isEmpty());

        // A port that does not open: E9001, then W8001 with the stop icon.
        programState().PortPresent[6] = true;
        QTimer::singleShot(0, [] {
            DlgRsPortForm->rbtnCom[6]->setChecked(true);
            DlgRsPortForm->bbtnOk->click();
        });
        FormMain->sbtnPortClick();
        QCOMPARE(asked().captions(), (QStringList{"Error[E9001]", "Warning[W8001]"}));
        QCOMPARE(asked().messages[1].icon, PromptIcon::Stop);
        QVERIFY(programState().hComPort == nullptr);
        QCOMPARE(DigitalMeterForm->windowTitle(), QStringLiteral("Digital Meter : COM 7"));
    }

    // ---- the digital meter's own rules ------------------------------------------

    void digitalMeterPanelsFollowTheDisplaysWidth()
    {
        const auto &d = *DigitalMeterForm;
        DigitalMeterForm->showNormal();
        d.LcdPanel->resize(300, 120);
        QCOMPARE((QList<int>{d.FuncPanel->width(), d.UnitPanel->width(), d.pnlAcDc->width()}),
                 (QList<int>{60, 60, 60}));
        QCOMPARE(d.SubDataPanel->size(), QSize(300, 30));
        QCOMPARE(d.pnlAcDc->height(), d.FuncPanel->height() / 4);
        QCOMPARE(d.FuncPanel->font().pointSize(), int(96.0 / d.FuncPanel->logicalDpiY() * 60 * 0.5 - 3));
    }

    // ---- closing --------------------------------------------------------------

    void closingWithUnsavedDataAsksFirst()
    {
        storeOneReading();
        asked().answers = {PromptButton::Cancel};
        QVERIFY(!FormMain->close());
        QCOMPARE(asked().captions(), QStringList{"Warning[W8003]"});
        const MessageRequest &q = asked().messages[0];
        QCOMPARE(q.text, QStringLiteral("Buffer has data.\nDo you want to save the data to a file before exit ?"));
        QCOMPARE(q.buttons, (QList<PromptButton>{PromptButton::Yes, PromptButton::No, PromptButton::Cancel}));
        QCOMPARE(q.defaultButton, PromptButton::Cancel);
        QCOMPARE(q.icon, PromptIcon::Question);
        QVERIFY(programState().hComPort != nullptr); // a refused close changes nothing

        asked().answers = {PromptButton::No};
        QVERIFY(FormMain->close());
        QVERIFY(programState().hComPort == nullptr);
        QVERIFY(QFile::exists(run->filePath("ZEVDL.ini")));
    }

    void closingWithNothingUnsavedAsksNothing()
    {
        storeOneReading();
        recording().markSaved();
        QVERIFY(FormMain->close());
        QVERIFY(asked().messages.isEmpty());
    }

    void closingWhileLinkedStopsTheTick()
    {
        FormMain->sbtnLink->click();
        QVERIFY(FormMain->Acquisition->TimerGetSd.isActive());
        QVERIFY(FormMain->close());
        QVERIFY(!FormMain->Acquisition->TimerGetSd.isActive());
        QVERIFY(!FormMain->Acquisition->tickRunning());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_MainWindow.moc"
