#include "tools/Record.h"

#include "base/Messageshow.h"
#include "export/ExportText.h"
#include "meter/Acquisition.h"
#include "recorder/Recording.h"
#include "recorder/StoredValue.h"
#include "resources/Strings.h"
#include "tools/JsonLines.h"
#include "tools/Monitor.h"
#include "tools/Output.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <functional>
#include <optional>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

namespace orvel::cli {

namespace {
constexpr int kWouldReplace = 2122;
constexpr int kMarkPlaced = 2303;     ///< "%1: mark: %2"
constexpr int kMarkNotWritten = 2304; ///< "orvel-cli: the mark on reading %1 could not be written (%2); …"
constexpr int kMarkNotPlaced = 2305;  ///< "orvel-cli: no reading was stored; the mark '%1' was not placed"
constexpr int kRecordingInto = 2502;  ///< "orvel-cli: recording into %s"
constexpr int kFileComplete = 2503;   ///< "orvel-cli: %s is complete:"

int signalPipe[2] = {-1, -1};

// Only async-signal-safe work here: the event loop reads the pipe and ends the run.
void onSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &byte, 1);
    errno = saved;
}

// Lines of standard input, each handed over as it is complete (the last one
// also at the end of input). A terminal this process may not read now (it
// runs in the background) is tried again a second later rather than stopping
// the recording.
class MarkLines
{
public:
    explicit MarkLines(std::function<void(const QString &)> take)
        : take_(std::move(take))
    {
        if (::fcntl(STDIN_FILENO, F_GETFD) == -1)
            return;                 // closed
        ::signal(SIGTTIN, SIG_IGN); // a read in the background fails with EIO instead of stopping the process
        notifier_.emplace(STDIN_FILENO, QSocketNotifier::Read);
        QObject::connect(&*notifier_, &QSocketNotifier::activated, [this] { readSome(); });
    }
    void stop()
    {
        notifier_.reset();
        ::signal(SIGTTIN, SIG_DFL);
    }

private:
    void readSome()
    {
        char chunk[4096];
        const ssize_t n = ::read(STDIN_FILENO, chunk, sizeof chunk);
        if (n < 0 && (errno == EINTR || errno == EAGAIN))
            return;
        if (n < 0 && errno == EIO) {
            notifier_->setEnabled(false);
            QTimer::singleShot(std::chrono::seconds(1), &*notifier_, [this] { notifier_->setEnabled(true); });
            return;
        }
        if (n <= 0) { // the end of input, or it cannot be read: marks end there
            notifier_->setEnabled(false);
            hand(std::exchange(pending_, {}));
            return;
        }
        pending_.append(chunk, n);
        for (qsizetype end; (end = pending_.indexOf('\n')) >= 0;) {
            hand(pending_.left(end));
            pending_.remove(0, end + 1);
        }
    }
    void hand(QByteArray line)
    {
        if (line.endsWith('\r'))
            line.chop(1);
        if (!line.trimmed().isEmpty()) // an empty line is no note
            take_(QString::fromUtf8(line));
    }

    std::function<void(const QString &)> take_;
    std::optional<QSocketNotifier> notifier_;
    QByteArray pending_; ///< the start of a line not yet ended
};

bool exists(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

// With a rotation: the output files get free names that carry `at`, the time they begin.
void nameFilesAfter(RecordOptions &options, const QString &out, const QString &csv, const QDateTime &at)
{
    for (int attempt = 1;; ++attempt) {
        options.out = stampedName(out, at, attempt);
        options.csv = csv.isEmpty() ? csv : stampedName(csv, at, attempt);
        if (!exists(options.out) && !exists(marksFilePath(options.out)) && (csv.isEmpty() || !exists(options.csv)))
            return;
    }
}

// Starts the recording into the output file and opens the text file; a
// message and false when one cannot be created.
bool createOutputs(const RecordOptions &options, Recording &rec, QFile &csv)
{
    auto refuse = [&](const QString &path) {
        printError(LoadStrArg(!options.force && exists(path) ? kWouldReplace : kCannotWrite, path), stderr,
                   Severity::Error);
        return false;
    };
    if (!rec.startInto(options.out, options.force))
        return refuse(options.out);
    // The marks of an earlier recording must not land on this one's readings.
    const QString marks = marksFilePath(options.out);
    if (exists(marks) && !QFile::remove(marks))
        return refuse(marks);
    if (!options.csv.isEmpty()) {
        csv.setFileName(options.csv);
        if (!csv.open(QIODevice::WriteOnly | (options.force ? QIODevice::Truncate : QIODevice::NewOnly)))
            return refuse(options.csv);
    }
    return true;
}
} // namespace

int record(RecordOptions options)
{
    // Each file of a rotation is a new one: nothing is ever replaced.
    const QString outPattern = options.out, csvPattern = options.csv;
    const QElapsedTimer sinceStart = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    std::optional<RotationClock> rotation;
    if (options.rotation) {
        const QDateTime now = QDateTime::currentDateTime();
        rotation.emplace(*options.rotation, now.date());
        options.force = false;
        nameFilesAfter(options, outPattern, csvPattern, now);
    }
    // Refuse before the port is touched, so that a refusal needs no meter.
    for (const QString &path : {options.out, options.csv, marksFilePath(options.out)}) {
        if (!options.force && !path.isEmpty() && exists(path)) {
            printError(LoadStrArg(kWouldReplace, path), stderr, Severity::Error);
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
    if (rotation)
        printError(LoadStrArg(kRecordingInto, options.out));
    // The file so far is complete; the reading taken `at` begins the next.
    auto nextFile = [&](const QDateTime &at) {
        rec.stop();
        csv.close();
        printError(LoadStrArg(kFileComplete, options.out));
        for (const QString &line : recordingSummary(rec.buffer(), rec.expectedInterval()))
            printError(line);
        rec.clear(); // in the file now, and its marks beside it
        nameFilesAfter(options, outPattern, csvPattern, at);
        if (!createOutputs(options, rec, csv))
            return false;
        printError(LoadStrArg(kRecordingInto, options.out));
        return true;
    };
    qint64 storedInRun = 0;

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
    // Each line on standard input is a user mark on the newest stored reading;
    // lines before the first reading wait for it.
    QStringList waitingMarks;
    auto placeMark = [&](const QString &text) {
        if (stopping || !rec.state().bRecording)
            return;
        if (rec.buffer().isEmpty())
            return waitingMarks.append(text);
        const qsizetype newest = rec.buffer().count() - 1;
        const MarkResult placed = rec.placeMark(newest, MarkKind::User, text);
        if (!placed.error.isEmpty()) // kept in memory: the recording goes on
            printError(LoadStr(kMarkNotWritten).arg(QString::number(newest + 1), placed.error), stderr,
                       Severity::Warning);
        if (placed.position < 0)
            return;
        const Mark &mark = rec.marks().at(placed.position);
        if (options.json)
            writeJsonLine("{\"mark\":" + markObject(mark) + "}");
        printError(LoadStr(kMarkPlaced).arg(QString::number(newest + 1), markTextOnOneLine(mark.text)));
    };
    MarkLines markLines(placeMark);
    QObject::connect(&rec, &Recording::readingStored, [&](qsizetype index) {
        if (!rec.state().bRecording)
            return; // the output file could not take it: the run ends with a message
        const TARecord &r = rec.buffer().at(index);
        if (csv.isOpen()) {
            QByteArray line;
            appendExportLine(line, r, index);
            if (csv.write(line) != line.size() || !csv.flush()) {
                printError(LoadStrArg(kCannotWrite, options.csv), stderr, Severity::Error);
                return stop(1);
            }
        }
        if (options.json) {
            const StoredReading stored{static_cast<long long>(index + 1), fieldText(r.szTime).trimmed()};
            writeJsonLine(readingObject(cycle.computation, QDateTime::currentDateTime(), &stored));
        }
        if (!options.quiet) {
            std::fprintf(stderr, "%lld: %s %s\n", static_cast<long long>(index + 1),
                         qPrintable(fieldText(r.szTime).trimmed()), qPrintable(displayLine(cycle.computation.digital)));
            std::fflush(stderr);
        }
        for (const QString &text : std::exchange(waitingMarks, {}))
            placeMark(text);
        if (options.count >= 0 && ++storedInRun >= options.count)
            stop(0);
    });

    cycle.showWarning = [&options](int textId) {
        reportWarning(textId, options.json, stderr);
        return PromptButton::Retry; // go on, as "Continue" does
    };
    QObject::connect(&cycle, &AcquisitionCycle::readingReady, [&](const ReadingComputation::Outcome &) {
        if (stopping || !rec.state().bSampleRequest)
            return;
        // One moment for the seam and the time stamp: a reading taken at a seam is the next file's first.
        const QDateTime now = QDateTime::currentDateTime();
        if (rotation && storedValue(cycle.computation.MeterReading) &&
            rotation->beginsFile(sinceStart.elapsed(), now.date()) && !nextFile(now))
            return stop(1);
        rec.withdrawSampleRequest();
        // At full speed every decoded reading is stored; at an interval the
        // first after each tick of it (the recording's logger timer asks).
        if (options.intervalSeconds == 0)
            rec.requestSample();
        const StoreResult stored = rec.takeSample(cycle.computation.MeterReading, options.clock ? clock() : now.time());
        if (stored.outcome == StoreOutcome::StoreFailed || stored.outcome == StoreOutcome::NoMemory) {
            printError(LoadStrArg(kCannotWrite, options.out), stderr, Severity::Error);
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
    markLines.stop();
    for (const QString &text : std::as_const(waitingMarks))
        printError(LoadStr(kMarkNotPlaced).arg(markTextOnOneLine(text)));
    rec.stop();
    csv.close();
    if (rotation)
        printError(LoadStrArg(kFileComplete, options.out));
    for (const QString &line : recordingSummary(rec.buffer(), rec.expectedInterval()))
        printError(line);
    CloseComPort(std::move(device));
    ::close(signalPipe[0]);
    ::close(signalPipe[1]);
    return status;
}

} // namespace orvel::cli
