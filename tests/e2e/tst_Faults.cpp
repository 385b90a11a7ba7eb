// A meter that misbehaves: orvel-cli simulate --fault … linked to the program's
// windows (offscreen) and to orvel-cli monitor. Whatever the line does, every
// reading shown is one the meter really showed, a silent meter brings the
// no-data warning, and a pulled cable ends the link with a message.

#include "app/Globalvar.h"
#include "app/Startup.h"
#include "base/Messageshow.h"
#include "resources/Strings.h"
#include "tests/support/MeterRun.h"
#include "views/Digitalmeter.h"

#include <QLabel>
#include <QProcess>
#include <QSet>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace orvel;
using namespace orvel::test;

namespace {
constexpr int kWaitMs = 20000; // a safety net only; the checks count readings, not time
constexpr int kHungUpText = 2051;
// Ticks 20 ms apart take 40 frames through a fault in two seconds; the monitor
// takes 3 at its 500 ms. Frames every 40 ms, every 100 ms where the meter hangs
// up (20 frames on), so that the windows have linked well before.
constexpr int kQuickTickMs = 20;
constexpr int kProgramReadings = 40;
constexpr int kMonitorReadings = 3;
constexpr int kFramePeriodMs = 40;
constexpr int kHangUpPeriodMs = 100;

// Nine readings whose frames differ in every digit and in the annunciators
// (DC volts and AC amperes by turns), so that bytes of two frames taken as one
// never show as a reading of the scenario: "1.111" V DC, "2.222" A AC, …
struct Shown
{
    QString display; ///< what the digital meter shows
    QString line;    ///< what orvel-cli monitor prints
};
QList<Shown> scenarioReadings()
{
    QList<Shown> r;
    for (int d = 1; d <= 9; ++d) {
        const QString text = QString(5, QChar(u'0' + d)).replace(1, 1, QLatin1Char('.'));
        r.append({text, text + (d % 2 ? QStringLiteral(" V DC") : QStringLiteral(" A AC"))});
    }
    return r;
}

QByteArray scenarioText()
{
    QByteArray text;
    int d = 0;
    for (const Shown &s : scenarioReadings())
        text += "1 " + s.display.toLatin1() + (++d % 2 ? " DC V\n" : " AC A\n");
    return text;
}

// Resident memory of process `pid` in kB, or -1.
qint64 residentKb(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kMemoryMeasurable = false; // the sanitizer keeps freed memory in quarantine
#else
constexpr bool kMemoryMeasurable = true;
#endif
} // namespace

class TestFaults : public QObject
{
    Q_OBJECT

    std::unique_ptr<MeterRun> run;

    // Starts the simulator with `fault`, on a pseudo-terminal or (`network`)
    // served on a free port of the loopback address, and points COM1 at it.
    QString startSimulator(const QString &fault, bool network, const QStringList &more = {})
    {
        return run->startMeter(scenarioText(), fault == QLatin1String("hangup") ? kHangUpPeriodMs : kFramePeriodMs,
                               QStringList{"--fault", fault} + more +
                                   (network ? QStringList{"--listen", "127.0.0.1:0"} : QStringList{}));
    }

    // Each fault on a terminal and on the network.
    static void addFaults(bool withHangUp)
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("network");
        for (bool network : {false, true})
            for (const char *f : {"noise", "drop", "stall", "burst", "hangup"})
                if (withHangUp || QByteArrayView(f) != "hangup")
                    QTest::addRow("%s%s", f, network ? " over tcp" : "") << QString::fromLatin1(f) << network;
    }

private slots:
    void init() { run = std::make_unique<MeterRun>(); }
    void cleanup() { run.reset(); }

    // Every reading the digital meter shows is one of the scenario's; a stall
    // brings the no-data warning, and the readings come back after it.
    void programShowsOnlyTheMetersReadings_data() { addFaults(false); }
    void programShowsOnlyTheMetersReadings()
    {
        QFETCH(QString, fault);
        QFETCH(bool, network);
        QVERIFY(!startSimulator(fault, network).isEmpty());
        WindowSet windows;
        QVERIFY(silentReadsGiveUpAfter(150)); // a stall is quickly three silent ticks

        QStringList shown;
        int shownAfterWarning = 0;
        WarningAnswerer user;
        connect(FormMain->Acquisition, &AcquisitionCycle::readingReady, this, [&] {
            shown << DigitalMeterForm->DataPanel->text();
            if (!user.captions.isEmpty())
                ++shownAfterWarning;
        });
        linkTicking(kQuickTickMs);
        if (fault == QLatin1String("stall"))
            QTRY_VERIFY_WITH_TIMEOUT(shownAfterWarning >= 3, kWaitMs);
        else
            QTRY_VERIFY_WITH_TIMEOUT(shown.size() >= kProgramReadings, kWaitMs);

        QSet<QString> meter;
        for (const Shown &r : scenarioReadings())
            meter << r.display;
        for (const QString &s : std::as_const(shown))
            QVERIFY2(meter.contains(s), qPrintable(QStringLiteral("shown: '%1'").arg(s)));
        if (fault == QLatin1String("stall"))
            QVERIFY(user.captions.contains(QStringLiteral("Warning[W8004]")));
        QVERIFY(FormMain->linked());
        QVERIFY(run->asked().messages.isEmpty());
        FormMain->sbtnLink->click();
        FormMain->close();
    }

    // A pulled cable, or a network connection the other end closes: the program
    // unlinks with a message at once instead of polling a dead line, and links
    // again once the meter is back.
    void programUnlinksOnAHangUpAndLinksAgain_data()
    {
        QTest::addColumn<bool>("network");
        QTest::newRow("terminal") << false;
        QTest::newRow("tcp") << true;
    }
    void programUnlinksOnAHangUpAndLinksAgain()
    {
        QFETCH(bool, network);
        const QString link = run->filePath("meter");
        const QString path =
            startSimulator(QStringLiteral("hangup"), network, network ? QStringList{} : QStringList{"--link", link});
        QVERIFY(!path.isEmpty());
        run->ports.route(1, network ? path : link);
        WindowSet windows;
        QVERIFY(programState().hComPort != nullptr);
        WarningAnswerer user;
        QSignalSpy ticks(FormMain->Acquisition, &AcquisitionCycle::tickEnded);
        QSignalSpy readings(FormMain->Acquisition, &AcquisitionCycle::readingReady);
        linkTicking(kQuickTickMs);
        QTRY_VERIFY_WITH_TIMEOUT(readings.size() >= 1, kWaitMs);

        QTRY_VERIFY_WITH_TIMEOUT(!FormMain->linked(), kWaitMs);
        QVERIFY(!FormMain->Acquisition->TimerGetSd.isActive());
        QVERIFY(!FormMain->Acquisition->tickRunning());
        QCOMPARE(run->asked().messages.size(), 1);
        QCOMPARE(run->asked().messages[0].caption, ApplicationTitle());
        QCOMPARE(run->asked().messages[0].text, LoadStrArg(kHungUpText, QStringLiteral("COM1")));
        QCOMPARE(user.captions, QStringList{});
        const auto ticksAtUnlink = ticks.size();
        QTest::qWait(10 * kQuickTickMs);
        QCOMPARE(ticks.size(), ticksAtUnlink);

        // The meter comes back on a new terminal behind the same link.
        QTRY_VERIFY_WITH_TIMEOUT(run->sim.process.canReadLine(), kWaitMs);
        const auto readingsBefore = readings.size();
        FormMain->sbtnLink->click();
        QVERIFY(FormMain->linked());
        QTRY_VERIFY_WITH_TIMEOUT(readings.size() >= readingsBefore + 2, kWaitMs);
        QCOMPARE(run->asked().messages.size(), 1);
        FormMain->sbtnLink->click();
        FormMain->close();
    }

    // orvel-cli monitor against every fault: its lines are the scenario's
    // readings, its memory stays put, and a hang-up ends it with a message.
    void monitorPrintsOnlyTheMetersReadings_data() { addFaults(true); }
    void monitorPrintsOnlyTheMetersReadings()
    {
        QFETCH(QString, fault);
        QFETCH(bool, network);
        const bool hangUp = fault == QLatin1String("hangup");
        const QString path = startSimulator(fault, network);
        QVERIFY(!path.isEmpty());
        QProcess monitor;
        monitor.start(cliProgram(),
                      hangUp ? QStringList{"monitor", "--port", path}
                             : QStringList{"monitor", "--port", path, "--count", QString::number(kMonitorReadings)});
        QVERIFY(monitor.waitForStarted(5000));
        QStringList lines;
        qint64 firstKb = -1, lastKb = -1;
        QTRY_VERIFY_WITH_TIMEOUT(monitor.canReadLine() || monitor.state() == QProcess::NotRunning, kWaitMs);
        firstKb = residentKb(monitor.processId());
        auto finished = [&] {
            while (monitor.canReadLine())
                lines << QString::fromLocal8Bit(monitor.readLine()).trimmed();
            if (monitor.state() == QProcess::Running)
                lastKb = residentKb(monitor.processId());
            return monitor.state() == QProcess::NotRunning;
        };
        QTRY_VERIFY_WITH_TIMEOUT(finished(), kWaitMs + 15000);
        lines += QString::fromLocal8Bit(monitor.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        const QString errors = QString::fromLocal8Bit(monitor.readAllStandardError());

        QSet<QString> meter;
        for (const Shown &r : scenarioReadings())
            meter << r.line;
        // A short read before the first full frame shows the empty display of the start.
        meter << QString() << QStringLiteral("Warning[W8004]: ") + LoadStr(8004);
        for (const QString &l : std::as_const(lines))
            QVERIFY2(meter.contains(l), qPrintable(QStringLiteral("printed: '%1'").arg(l)));
        QVERIFY(!lines.isEmpty());
        if (hangUp) {
            QCOMPARE(monitor.exitCode(), 3);
            QCOMPARE(errors.trimmed(), LoadStrArg(kHungUpText, path));
        } else {
            QCOMPARE(monitor.exitCode(), 0);
            QCOMPARE(lines.size(), kMonitorReadings);
        }
        if (kMemoryMeasurable && firstKb > 0 && lastKb > 0)
            QVERIFY2(lastKb - firstKb < 4096, qPrintable(QStringLiteral("%1 kB -> %2 kB").arg(firstKb).arg(lastKb)));
    }
};

QTEST_MAIN(TestFaults)
#include "tst_Faults.moc"
