#include "tools/Monitor.h"

#include "base/Messageshow.h"
#include "meter/Acquisition.h"
#include "meter/Rscomm.h"
#include "platform/PortNames.h"
#include "resources/Strings.h"
#include "tools/JsonLines.h"
#include "tools/Output.h"

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

void reportWarning(int textId, bool json, std::FILE *textTo)
{
    if (json)
        writeJsonLine(warningObject(textId));
    else
        printError(codedCaption(str::WarningCaption, textId) + QStringLiteral(": ") + LoadStr(textId), textTo,
                   Severity::Warning);
}

void reportLineLost(const SerialDevice *device, const QString &port, int &status)
{
    const QString failure = device ? device->failure() : QString();
    if (!failure.isEmpty()) {
        printError(codedCaption(str::ErrorCaption, str::ConnectFailed) + QStringLiteral(": ") + failure, stderr,
                   Severity::Error);
        status = 1; // the port could not be opened after all
    } else {
        printError(LoadStrArg(kHungUpText, port), stderr, Severity::Error);
        status = kHungUpStatus;
    }
}

int monitor(const QString &port, qint64 count, bool json)
{
    ComHandle device = openPort(port);
    if (!device)
        return 1;

    AcquisitionCycle cycle;
    qint64 ticks = 0;
    bool warned = false;
    int status = 0;

    cycle.showWarning = [&warned, json](int textId) {
        reportWarning(textId, json, stdout);
        warned = true;
        return PromptButton::Retry; // go on, as "Continue" does
    };
    QObject::connect(&cycle, &AcquisitionCycle::lineHungUp, [&] {
        reportLineLost(device.get(), port, status);
        QCoreApplication::quit();
    });
    if (json) // an object for each reading that came, none for a silent tick
        QObject::connect(&cycle, &AcquisitionCycle::readingReady,
                         [&] { writeJsonLine(readingObject(cycle.computation, QDateTime::currentDateTime())); });
    QObject::connect(&cycle, &AcquisitionCycle::tickEnded, [&](bool aborted) {
        if (aborted)
            return; // only a hang-up ends a tick so here: the link is over
        if (!warned && !json)
            printError(displayLine(cycle.computation.digital), stdout);
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
