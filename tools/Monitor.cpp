#include "tools/Monitor.h"

#include "base/Messageshow.h"
#include "meter/Acquisition.h"
#include "meter/Rscomm.h"
#include "platform/PortNames.h"
#include "resources/Strings.h"

#include <QCoreApplication>

#include <cstdio>

namespace orvel::cli {

namespace {

int portIndexOf(const QString &name)
{
    for (int i = 1; i <= kComPortCount; ++i)
        if (name.compare(comPortName(i), Qt::CaseInsensitive) == 0)
            return i;
    return 0;
}
} // namespace

ComHandle openPort(const QString &port)
{
    const int index = portIndexOf(port);
    ComHandle device = index > 0 ? OpenComPort(index) : OpenComDevice(port);
    // The open error says only that it failed; a device the user may not use
    // is the common case on a fresh system, and it has a known remedy.
    if (!device && ProbeComDevice(index > 0 ? devicePathForPort(index) : port) == PortProbe::Denied) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(port), qPrintable(LoadStr(str::AccessDenied)));
        std::fflush(stderr);
    }
    return device;
}

int monitor(const QString &port, qint64 count)
{
    ComHandle device = openPort(port);
    if (!device)
        return 1;

    AcquisitionCycle cycle;
    qint64 ticks = 0;
    bool warned = false;
    int status = 0;

    cycle.showWarning = [&warned](int textId) {
        std::printf("%s: %s\n", qPrintable(codedCaption(str::WarningCaption, textId)), qPrintable(LoadStr(textId)));
        std::fflush(stdout);
        warned = true;
        return PromptButton::Retry; // go on, as "Continue" does
    };
    QObject::connect(&cycle, &AcquisitionCycle::lineHungUp, [&] {
        std::fprintf(stderr, "%s\n", qPrintable(LoadStrArg(kHungUpText, port)));
        status = kHungUpStatus;
        QCoreApplication::quit();
    });
    QObject::connect(&cycle, &AcquisitionCycle::tickEnded, [&](bool aborted) {
        if (aborted)
            return; // only a hang-up ends a tick so here: the link is over
        if (!warned) {
            std::printf("%s\n", qPrintable(displayLine(cycle.computation.digital)));
            std::fflush(stdout);
        }
        warned = false;
        if (count >= 0 && ++ticks >= count) {
            cycle.stopTicking();
            QCoreApplication::quit();
        }
    });
    if (count == 0)
        return 0;
    cycle.startTicking(device.get());
    QCoreApplication::exec();
    CloseComPort(std::move(device));
    return status;
}

} // namespace orvel::cli
