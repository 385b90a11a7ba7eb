#pragma once
// One run of the program against the simulated meter, for the end-to-end
// tests: a TestRun whose settings file selects COM1, the simulator (ended
// before the folder with its scenario goes), quicker ticks, and a user who
// answers the self-closing warning.

#include "app/Automesgform.h"
#include "app/Globalvar.h"
#include "app/Main4.h"
#include "tests/support/SimulatorProcess.h"
#include "tests/support/TestRun.h"

#include <QFile>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <QToolButton>

namespace orvel::test {

class MeterRun : public TestRun
{
public:
    MeterRun()
    {
        QStandardPaths::setTestModeEnabled(true);
        QFile ini(filePath(QStringLiteral("ZEVDL.ini")));
        if (ini.open(QIODevice::WriteOnly))
            ini.write("iPort=1\r\nfHiLimit=300\r\nfLowLimit=100\r\n");
    }

    /// Starts the simulator playing `scenario` (options `more`) and points COM1
    /// at it; the terminal's path or the network address, or empty.
    QString startMeter(const QByteArray &scenario, int periodMs = 100, const QStringList &more = {})
    {
        ports.route(1, sim.start(filePath(QStringLiteral("scenario.txt")), scenario, periodMs, more));
        return sim.path;
    }

    SimulatorProcess sim;
};

/// Forty different readings, "0.100" … "4.000" V DC, over and over.
inline QByteArray rampScenario()
{
    QByteArray scenario;
    for (int i = 1; i <= 40; ++i)
        scenario += "1 " + QByteArray::number(i * 0.1, 'f', 3) + " DC V\n";
    return scenario;
}

/// Presses Link with the windows' ticks `tickMs` apart instead of 500 ms: each
/// tick still reads the line afresh, and the same readings come sooner.
inline void linkTicking(int tickMs)
{
    FormMain->Acquisition->TimerGetSd.setInterval(tickMs);
    FormMain->sbtnLink->click();
}

/// A silent read of the open port gives up after `ms` instead of 12 s.
inline bool silentReadsGiveUpAfter(unsigned ms)
{
    CommTimeouts t;
    if (!programState().hComPort || !programState().hComPort->getTimeouts(t))
        return false;
    t.readTotalConstant = ms;
    return programState().hComPort->setTimeouts(t);
}

/// Answers the self-closing warning whenever it shows, as a user would (Abort
/// or Continue), noting its caption.
class WarningAnswerer : public QObject
{
public:
    explicit WarningAnswerer(bool abort = false)
    {
        timer_.setInterval(20);
        connect(&timer_, &QTimer::timeout, this, [this, abort] {
            if (AutoMsgForm && AutoMsgForm->isVisible()) {
                captions.append(AutoMsgForm->windowTitle());
                (abort ? AutoMsgForm->bbtnAbort : AutoMsgForm->bbtnYes)->click();
            }
        });
        timer_.start();
    }
    QStringList captions;

private:
    QTimer timer_;
};

} // namespace orvel::test
