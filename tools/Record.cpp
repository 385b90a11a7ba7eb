#include "tools/Record.h"

#include "base/Messageshow.h"
#include "export/ExportText.h"
#include "meter/Acquisition.h"
#include "recorder/Recording.h"
#include "resources/Strings.h"
#include "tools/JsonLines.h"
#include "tools/Monitor.h"
#include "tools/Output.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <csignal>
#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

namespace orvel::cli {

namespace {
constexpr int kWouldReplace = 2122;

int signalPipe[2] = {-1, -1};

// Only async-signal-safe work here: the event loop reads the pipe and ends the run.
void onSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &byte, 1);
    errno = saved;
}

bool exists(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

// Starts the recording into the output file and opens the text file; a
// message and false when one cannot be created.
bool createOutputs(const RecordOptions &options, Recording &rec, QFile &csv)
{
    auto refuse = [&](const QString &path) {
        printError(LoadStrArg(!options.force && exists(path) ? kWouldReplace : kCannotWrite, path));
        return false;
    };
    if (!rec.startInto(options.out, options.force))
        return refuse(options.out);
    if (!options.csv.isEmpty()) {
        csv.setFileName(options.csv);
        if (!csv.open(QIODevice::WriteOnly | (options.force ? QIODevice::Truncate : QIODevice::NewOnly)))
            return refuse(options.csv);
    }
    return true;
}
} // namespace

int record(const RecordOptions &options)
{
    // Refuse before the port is touched, so that a refusal needs no meter.
    for (const QString &path : {options.out, options.csv}) {
        if (!options.force && !path.isEmpty() && exists(path)) {
            printError(LoadStrArg(kWouldReplace, path));
            return 1;
        }
    }
    ComHandle device = openPort(options.port);
    if (!device)
        return 1;
    // The recorder's own recording, its output file standing in for the temporary file.
    Recording rec;
    rec.setMode(false, options.intervalSeconds);
    QFile csv;
    if (!createOutputs(options, rec, csv))
        return 1;

    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return 1;
    QSocketNotifier signalNotifier(signalPipe[0], QSocketNotifier::Read);
    struct sigaction action = {};
    action.sa_handler = onSignal;
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);

    const WallClock clock = options.clock ? options.clock : WallClock(localTimeNow);
    AcquisitionCycle cycle;
    bool stopping = false;
    int status = 0;

    auto stop = [&](int exitStatus) {
        if (!stopping)
            status = exitStatus;
        stopping = true;
        cycle.stopTicking();
        QCoreApplication::quit();
    };
    QObject::connect(&rec, &Recording::readingStored, [&](qsizetype index) {
        if (!rec.state().bRecording)
            return; // the output file could not take it: the run ends with a message
        const TARecord &r = rec.buffer().at(index);
        if (csv.isOpen()) {
            QByteArray line;
            appendExportLine(line, r, index);
            if (csv.write(line) != line.size() || !csv.flush()) {
                printError(LoadStrArg(kCannotWrite, options.csv));
                return stop(1);
            }
        }
        if (options.json) {
            const StoredReading stored{static_cast<long long>(index + 1), fieldText(r.szTime).trimmed()};
            writeJsonLine(readingObject(cycle.computation, QDateTime::currentDateTime(), &stored));
        }
        std::fprintf(stderr, "%lld: %s %s\n", static_cast<long long>(index + 1),
                     qPrintable(fieldText(r.szTime).trimmed()), qPrintable(displayLine(cycle.computation.digital)));
        std::fflush(stderr);
        if (options.count >= 0 && index + 1 >= options.count)
            stop(0);
    });

    cycle.showWarning = [&options](int textId) {
        reportWarning(textId, options.json, stderr);
        return PromptButton::Retry; // go on, as "Continue" does
    };
    QObject::connect(&cycle, &AcquisitionCycle::readingReady, [&](const ReadingComputation::Outcome &) {
        if (stopping || !rec.state().bSampleRequest)
            return;
        rec.withdrawSampleRequest();
        // At full speed every decoded reading is stored; at an interval the
        // first after each tick of it (the recording's logger timer asks).
        if (options.intervalSeconds == 0)
            rec.requestSample();
        const StoreResult stored = rec.takeSample(cycle.computation.MeterReading, clock());
        if (stored.outcome == StoreOutcome::StoreFailed || stored.outcome == StoreOutcome::NoMemory) {
            printError(LoadStrArg(kCannotWrite, options.out));
            stop(1);
        }
    });
    QObject::connect(&cycle, &AcquisitionCycle::lineHungUp, [&] {
        int lost = 0;
        reportLineLost(device.get(), options.port, lost);
        stop(lost); // what was stored stays in the file
    });
    if (options.durationMs >= 0)
        QTimer::singleShot(std::chrono::milliseconds(options.durationMs), [&] { stop(0); });
    QObject::connect(&signalNotifier, &QSocketNotifier::activated, [&] { stop(0); });

    cycle.startTicking(device.get());
    QCoreApplication::exec();

    cycle.cancelTick();
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    rec.stop();
    csv.close();
    for (const QString &line : recordingSummary(rec.buffer(), rec.expectedInterval()))
        printError(line);
    CloseComPort(std::move(device));
    ::close(signalPipe[0]);
    ::close(signalPipe[1]);
    return status;
}

} // namespace orvel::cli
