// From the meter to the screen: the program's windows (offscreen) linked to
// orvel-cli simulate through a pseudo-terminal, or to a silent one.

#include "app/Dlgrsport.h"
#include "app/Globalvar.h"
#include "app/Startup.h"
#include "meter/Needle.h"
#include "tests/support/LoopbackListener.h"
#include "tests/support/MeterRun.h"
#include "views/Analogmeter.h"
#include "views/Digitalmeter.h"

#include <QLabel>
#include <QSignalSpy>
#include <QSocketNotifier>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace orvel;
using namespace orvel::test;

namespace {
constexpr int kWaitMs = 15000;   // a safety net only; the checks count ticks, not time
constexpr int kQuickTickMs = 20; // the windows' ticks, instead of 500 ms apart
} // namespace

class TestLiveLink : public QObject
{
    Q_OBJECT

    std::unique_ptr<MeterRun> run;

private slots:
    void init() { run = std::make_unique<MeterRun>(); }
    void cleanup() { run.reset(); }

    void linkShowsTheMetersReadingAndUnlinkStopsTheTicks()
    {
        QVERIFY(!run->startMeter("1 12.34 DC V m\n").isEmpty());
        WindowSet windows;
        QVERIFY(programState().hComPort != nullptr);
        QSignalSpy ticks(FormMain->Acquisition, &AcquisitionCycle::tickEnded);
        linkTicking(kQuickTickMs);
        QTRY_VERIFY_WITH_TIMEOUT(DigitalMeterForm->DataPanel->text() == QLatin1String("12.34"), kWaitMs);
        QVERIFY2(ticks.size() <= 2, qPrintable(QString::number(ticks.size())));
        QCOMPARE(DigitalMeterForm->UnitPanel->text(), QStringLiteral("m"));
        QCOMPARE(DigitalMeterForm->FuncPanel->text(), QStringLiteral("V"));
        QCOMPARE(DigitalMeterForm->pnlAcDc->text(), QStringLiteral("DC"));
        QVERIFY(programState().ReadingReceived);

        FormMain->sbtnLink->click(); // unlink
        QVERIFY(!FormMain->Acquisition->TimerGetSd.isActive());
        QVERIFY(!FormMain->Acquisition->tickRunning());
        const int ticksAtUnlink = int(ticks.size());
        QTest::qWait(10 * kQuickTickMs);
        QCOMPARE(int(ticks.size()), ticksAtUnlink);
        FormMain->close();
    }

    void analogMeterFollowsWhileShownAndWaitsWhileMinimised()
    {
        QVERIFY(!run->startMeter(rampScenario()).isEmpty()); // ticks never meet the same reading twice
        WindowSet windows;
        QSignalSpy ticks(FormMain->Acquisition, &AcquisitionCycle::readingReady);
        linkTicking(kQuickTickMs);
        QTRY_VERIFY_WITH_TIMEOUT(AnalogMeterForm->iNeedleMoves >= 2, kWaitMs);
        QCOMPARE(AnalogMeterForm->fNeedleAngle,
                 analogNeedleAngle(AnalogMeterForm->shown.reading, AnalogMeterForm->shown.scaleEnd));

        AnalogMeterForm->showMinimized();
        QCoreApplication::processEvents();
        const double angle = AnalogMeterForm->fNeedleAngle;
        const int shown = AnalogMeterForm->iReadingsShown;
        const int readingsAtMinimise = int(ticks.size());
        QTRY_VERIFY_WITH_TIMEOUT(ticks.size() >= readingsAtMinimise + 3, kWaitMs);
        QCOMPARE(AnalogMeterForm->fNeedleAngle, angle);
        QCOMPARE(AnalogMeterForm->iReadingsShown, shown);

        AnalogMeterForm->showNormal();
        QTRY_VERIFY_WITH_TIMEOUT(AnalogMeterForm->iReadingsShown > shown, kWaitMs);
        QCOMPARE(AnalogMeterForm->fNeedleAngle,
                 analogNeedleAngle(AnalogMeterForm->values.reading, AnalogMeterForm->values.scaleEnd));
        FormMain->sbtnLink->click();
        FormMain->close();
    }

    void silentMeterWarnsAfterThreeTicksAndAbortUnlinks()
    {
        PseudoTerminal silent;
        run->ports.route(1, silent.path());
        WindowSet windows;
        QVERIFY(silentReadsGiveUpAfter(150)); // three silent reads pass quickly

        QSignalSpy ticks(FormMain->Acquisition, &AcquisitionCycle::tickEnded);
        WarningAnswerer user(/*abort=*/true);
        linkTicking(kQuickTickMs);
        QTRY_VERIFY_WITH_TIMEOUT(!FormMain->linked(), kWaitMs);
        QCOMPARE(user.captions, QStringList{"Warning[W8004]"});
        QCOMPARE(int(ticks.size()), 3);
        QCOMPARE(AutoMsgForm->lbMsg1->text(), QStringLiteral("No data received."));
        QCOMPARE(AutoMsgForm->lbMsg2->text(), QStringLiteral("Will re-try automatically in 3 seconds."));
        QVERIFY(!FormMain->Acquisition->TimerGetSd.isActive());
        FormMain->close();
    }

    void lowBatteryContinueShowsTheReading()
    {
        QVERIFY(!run->startMeter("1 1.438 DC V lowbat\n").isEmpty());
        WindowSet windows;
        QSignalSpy readings(FormMain->Acquisition, &AcquisitionCycle::readingReady);
        WarningAnswerer user(/*abort=*/false);
        linkTicking(kQuickTickMs);
        QTRY_VERIFY_WITH_TIMEOUT(!user.captions.isEmpty() && readings.size() >= 1, kWaitMs);
        QCOMPARE(user.captions.first(), QStringLiteral("Warning[W8000]"));
        QCOMPARE(DigitalMeterForm->DataPanel->text(), QStringLiteral("1.438"));
        QCOMPARE(AutoMsgForm->lbMsg2->text(), QStringLiteral("(Will continue automatically in 3 seconds.)"));
        QVERIFY(FormMain->linked());
        FormMain->sbtnLink->click();
        FormMain->close();
    }

    void lowBatteryAbortShowsNothingAndUnlinks()
    {
        QVERIFY(!run->startMeter("1 1.438 DC V lowbat\n").isEmpty());
        WindowSet windows;
        QSignalSpy readings(FormMain->Acquisition, &AcquisitionCycle::readingReady);
        WarningAnswerer user(/*abort=*/true);
        linkTicking(kQuickTickMs);
        QTRY_VERIFY_WITH_TIMEOUT(!FormMain->linked(), kWaitMs);
        QCOMPARE(user.captions, QStringList{"Warning[W8000]"});
        QCOMPARE(readings.size(), 0);
        QCOMPARE(DigitalMeterForm->DataPanel->text(), QString());
        QVERIFY(!programState().ReadingReceived);
        FormMain->close();
    }

    void thePortDialogFindsTheMeterWithoutFreezing()
    {
        QVERIFY(!run->startMeter("1 1.234 DC V\n").isEmpty());
        PseudoTerminal silent;
        run->ports.route(2, silent.path());
        WindowSet windows;
        QVERIFY(programState().PortPresent[0] && programState().PortPresent[1]);
        bool listeningWhileShown = false;
        QTimer::singleShot(0, DlgRsPortForm, [&] {
            // An event runs while the ports are listened to: the dialog does not freeze.
            listeningWhileShown = DlgRsPortForm->listening();
            QTRY_VERIFY_WITH_TIMEOUT(!DlgRsPortForm->listening(), kWaitMs);
            DlgRsPortForm->bbtnOk->click();
        });
        FormMain->sbtnPortClick(); // closes the meter's port, shows the dialog, opens the port again
        QVERIFY(listeningWhileShown);
        QCOMPARE(DlgRsPortForm->sHeard[0], QStringLiteral("meter: 1.234 V DC"));
        QCOMPARE(DlgRsPortForm->sHeard[1], QStringLiteral("no meter heard"));
        QCOMPARE(DlgRsPortForm->lblMeters->text(), QStringLiteral("COM1 — meter: 1.234 V DC"));
        QVERIFY(DlgRsPortForm->lblDevice[0]->toolTip().endsWith(QStringLiteral("meter: 1.234 V DC")));
        QVERIFY2(programState().hComPort != nullptr, "the port the dialog listened on opens again afterwards");
        FormMain->close();
    }

    // Network ports: one nobody listens on is offered at start-up without a
    // word, and Link says why it cannot be reached and unlinks; one that
    // accepts and never sends is a silent meter, and the windows go on.
    void networkPortsRefusedOrSilent()
    {
        const int refusedPort = LoopbackListener::freePort();
        run->ports.route(1, QStringLiteral("tcp://127.0.0.1:%1").arg(refusedPort));
        WindowSet windows;
        QVERIFY(programState().PortPresent[0]);
        QVERIFY(run->asked().messages.isEmpty());
        linkTicking(kQuickTickMs);
        QTRY_VERIFY_WITH_TIMEOUT(!FormMain->linked(), 2500);
        QCOMPARE(run->asked().messages.size(), 1);
        QCOMPARE(run->asked().messages[0].caption, QStringLiteral("Error[E9010]"));
        QCOMPARE(run->asked().messages[0].text,
                 QStringLiteral("Cannot reach the meter at 127.0.0.1 port %1: the connection was refused (nothing "
                                "listens on that port).")
                     .arg(refusedPort));

        LoopbackListener silent;
        int peer = -1;
        QSocketNotifier accepter(silent.fd, QSocketNotifier::Read);
        connect(&accepter, &QSocketNotifier::activated, this, [&] { peer = ::accept(silent.fd, nullptr, nullptr); });
        run->ports.route(1, silent.address());
        WarningAnswerer user(/*abort=*/false);
        FormMain->sbtnLink->click(); // connects again, to the port as it is routed now
        QVERIFY(FormMain->linked() && silentReadsGiveUpAfter(150));
        QTRY_VERIFY_WITH_TIMEOUT(peer >= 0 && FormMain->Acquisition->tickRunning(), kWaitMs);
        bool handled = false;
        QTimer::singleShot(0, [&handled] { handled = true; });
        QTRY_VERIFY_WITH_TIMEOUT(handled, kWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(user.captions.contains(QStringLiteral("Warning[W8004]")), kWaitMs);
        QVERIFY(FormMain->linked());
        QCOMPARE(run->asked().messages.size(), 1);
        FormMain->sbtnLink->click();
        FormMain->close();
        ::close(peer);
    }

    void aWaitingReadDoesNotBlockTheWindows()
    {
        PseudoTerminal silent; // the full 12 s wait
        run->ports.route(1, silent.path());
        WindowSet windows;
        linkTicking(kQuickTickMs);
        QTRY_VERIFY_WITH_TIMEOUT(FormMain->Acquisition->tickRunning(), kWaitMs);
        bool handled = false;
        QTimer::singleShot(0, [&handled] { handled = true; });
        QTRY_VERIFY_WITH_TIMEOUT(handled, kWaitMs);
        QVERIFY2(FormMain->Acquisition->tickRunning(), "the event ran while the read still waited");

        // Unlinking ends the waiting tick quietly: no warning, no reading.
        FormMain->sbtnLink->click();
        QVERIFY(!FormMain->Acquisition->tickRunning());
        QTest::qWait(100);
        QVERIFY(!AutoMsgForm->isVisible());
        QCOMPARE(FormMain->iNoDataCount, 0);
        FormMain->close();
    }
};

QTEST_MAIN(TestLiveLink)
#include "tst_LiveLink.moc"
