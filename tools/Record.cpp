#include "tools/Record.h"

#include "base/Messageshow.h"
#include "base/SettingsFile.h"
#include "export/ExportText.h"
#include "meter/Acquisition.h"
#include "recorder/Recording.h"
#include "recorder/RunWatch.h"
#include "recorder/StoredValue.h"
#include "resources/Strings.h"
#include "tools/JsonLines.h"
#include "tools/Monitor.h"
#include "tools/Output.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <deque>
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
constexpr int kWaiting = 2430;        ///< "orvel-cli: waiting for %1, keeping %2 readings"
constexpr int kStarted = 2431;        ///< "Started: %1 at %2, %3 readings kept before it"
constexpr int kStartedAtOnce = 2432;  ///< "Started: at once"
constexpr int kNotStarted = 2433;     ///< "Not started: still waiting for %1"
constexpr int kStoppedBy = 2434;      ///< "Stopped: %1 at %2"
constexpr int kStoppedBySignal = 2435;
constexpr int kStoppedLineLost = 2436;
constexpr int kStoppedWhy = 2437;     ///< "Stopped: %1"
constexpr int kNotInFile = 2438;      ///< "Readings not in the file: %1 (%2)"
constexpr int kCannotWriteWhy = 2441; ///< "orvel-cli: cannot write %1" (the path and why)
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

// An output file that could not be created: the message says whether it
// exists (and --force would replace it) or cannot be written. Returns false.
bool refuse(const RecordOptions &options, const QString &path)
{
    printError(LoadStrArg(!options.force && exists(path) ? kWouldReplace : kCannotWrite, path), stderr,
               Severity::Error);
    return false;
}

// Opens the text file; a message and false when it cannot be created.
bool openText(const RecordOptions &options, QFile &csv)
{
    if (options.csv.isEmpty())
        return true;
    csv.setFileName(options.csv);
    return csv.open(QIODevice::WriteOnly | (options.force ? QIODevice::Truncate : QIODevice::NewOnly)) ||
           refuse(options, options.csv);
}

// Starts (or arms) the recording into the output file and opens the text file;
// a message and false when one cannot be created.
bool createOutputs(const RecordOptions &options, Recording &rec, RunWatch &watch, QFile &csv)
{
    const bool opened = watch.begin([&](int preTrigger) {
        return preTrigger < 0 ? rec.startInto(options.out, options.force)
                              : rec.armInto(options.out, options.force, preTrigger);
    });
    if (!opened)
        return refuse(options, options.out);
    // The marks of an earlier recording must not land on this one's readings.
    const QString marks = marksFilePath(options.out);
    if (exists(marks) && !QFile::remove(marks))
        return refuse(options, marks);
    return openText(options, csv);
}

// The run's conditions: those given, and the count and the duration as stop conditions.
RunConditions runConditions(const RecordOptions &options)
{
    RunConditions run = options.run;
    if (options.count >= 0)
        run.stops.push_back(
            parseCondition(QStringLiteral("readings %1").arg(options.count), ConditionUse::Stop).condition.value());
    if (options.durationMs >= 0)
        run.stops.push_back(
            parseCondition(QStringLiteral("after ") + durationText(options.durationMs), ConditionUse::Stop)
                .condition.value());
    return run;
}

// The comparator's limits as the program would read them at start-up in this folder.
std::pair<double, double> comparatorLimits()
{
    QStringList lines;
    readSettingsLines(settingsFilePath(QDir::currentPath()), lines);
    const SettingsValues values = parseSettings(lines);
    return {values.fHiLimit, values.fLowLimit};
}

// A reading the tick brought, kept while armed: shown as it was once stored.
struct KeptReading
{
    ReadingComputation tick;
    QDateTime at;
};
} // namespace

int record(RecordOptions options)
{
    // Each file of a rotation is a new one: nothing is ever replaced.
    const QString outPattern = options.out, csvPattern = options.csv;
    QElapsedTimer sinceStart;
    sinceStart.start();
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
    RunWatch watch(rec);
    const RunConditions run = runConditions(options);
    watch.setConditions(run);
    watch.storeEveryReading = options.intervalSeconds == 0;
    const std::pair<double, double> limits = comparatorLimits();
    watch.limits = [limits] { return limits; };
    QFile csv;
    if (!createOutputs(options, rec, watch, csv))
        return 1;
    if (rotation)
        printError(LoadStrArg(kRecordingInto, options.out));

    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return 1;
    QSocketNotifier signalNotifier(signalPipe[0], QSocketNotifier::Read);
    struct sigaction action = {};
    action.sa_handler = onSignal;
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);

    const WallClock clock = options.clock ? options.clock : WallClock(localTimeNow);
    AcquisitionCycle cycle;
    cycle.TimerGetSd.setInterval(options.tickMs);
    bool stopping = false;
    int status = 0;
    QString started = run.start ? QString() : LoadStr(kStartedAtOnce), stopped;
    std::deque<KeptReading> kept;  ///< the readings the recording keeps while armed
    std::deque<KeptReading> going; ///< those of them being stored now

    auto stop = [&](int exitStatus, const QString &why) {
        if (!stopping) {
            status = exitStatus;
            stopped = why;
        }
        stopping = true;
        cycle.stopTicking();
        QCoreApplication::quit();
    };
    auto stamp = [&] { return formatTimeStamp(clock()).trimmed(); };
    auto writeFailed = [&](const QString &why) {
        printError(LoadStr(kCannotWriteWhy).arg(why), stderr, Severity::Error);
        stop(1, LoadStr(kStoppedWhy).arg(why));
    };
    if (run.start)
        printError(LoadStr(kWaiting).arg(conditionText(*run.start)).arg(run.preTrigger));

    // The file so far is complete; the reading taken `at` begins the next, and
    // the run (its count, its duration, its alarms) goes on into it.
    auto nextFile = [&](const QDateTime &at) {
        const QString done = options.out;
        const bool opened = watch.continueInto([&] {
            rec.stop();
            csv.close();
            printError(LoadStrArg(kFileComplete, done));
            for (const QString &line : recordingSummary(rec.buffer(), rec.expectedInterval(),
                                                        qsizetype(rec.temporaryStore().recordsWritten())))
                printError(line);
            rec.clear(); // in the file now, and its marks beside it
            nameFilesAfter(options, outPattern, csvPattern, at);
            return rec.startInto(options.out, false);
        });
        if (!opened)
            return refuse(options, options.out);
        if (!openText(options, csv))
            return false;
        printError(LoadStrArg(kRecordingInto, options.out));
        return true;
    };

    // Each mark, however placed, is told on standard error and, with --json, as an object.
    QObject::connect(&rec, &Recording::markPlaced, [&](qsizetype position) {
        const Mark &mark = rec.marks().at(position);
        if (options.json)
            writeJsonLine("{\"mark\":" + markObject(mark) + "}");
        printError(LoadStr(kMarkPlaced).arg(QString::number(mark.index + 1), markTextOnOneLine(mark.text)));
    });
    // Each line on standard input is a user mark on the newest stored reading;
    // lines before the first reading wait for it.
    QStringList waitingMarks;
    auto placeMark = [&](const QString &text) {
        if (stopping || !rec.state().running())
            return;
        if (rec.buffer().isEmpty())
            return waitingMarks.append(text);
        const qsizetype newest = rec.buffer().count() - 1;
        const MarkResult placed = rec.placeMark(newest, MarkKind::User, text);
        if (!placed.error.isEmpty()) // kept in memory: the recording goes on
            printError(LoadStr(kMarkNotWritten).arg(QString::number(newest + 1), placed.error), stderr,
                       Severity::Warning);
    };
    MarkLines markLines(placeMark);
    QObject::connect(&rec, &Recording::readingStored, [&](qsizetype index) {
        if (!rec.state().bRecording)
            return; // the output file could not take it: the run ends with a message
        // A reading kept before the trigger is shown as the tick brought it.
        const KeptReading now{cycle.computation, QDateTime::currentDateTime()};
        const KeptReading shown = going.empty() ? now : going.front();
        if (!going.empty())
            going.pop_front();
        const TARecord &r = rec.buffer().at(index);
        if (csv.isOpen()) {
            QByteArray line;
            appendExportLine(line, r, index);
            if (csv.write(line) != line.size() || !csv.flush())
                return writeFailed(options.csv + QStringLiteral(": ") + csv.errorString());
        }
        if (options.json) {
            const StoredReading stored{static_cast<long long>(index + 1), fieldText(r.szTime).trimmed()};
            writeJsonLine(readingObject(shown.tick, shown.at, &stored));
        }
        if (!options.quiet) {
            std::fprintf(stderr, "%lld: %s %s\n", static_cast<long long>(index + 1),
                         qPrintable(fieldText(r.szTime).trimmed()), qPrintable(displayLine(shown.tick.digital)));
            std::fflush(stderr);
        }
        for (const QString &text : std::exchange(waitingMarks, {}))
            placeMark(text);
    });
    QObject::connect(&watch, &RunWatch::triggered, [&](const QString &condition, int count) {
        started = LoadStr(kStarted).arg(condition, stamp()).arg(count);
        printError(started);
        if (options.json)
            writeJsonLine("{\"trigger\":{\"condition\":" + jsonString(condition) + ",\"time\":" + jsonString(stamp()) +
                          ",\"kept\":" + std::to_string(count) + "}}");
        going = std::exchange(kept, {});
        while (qsizetype(going.size()) > count) // the recording kept only the newest
            going.pop_front();
    });
    QObject::connect(&watch, &RunWatch::stopped, [&](const QString &condition) {
        const qsizetype newest = rec.buffer().count();
        if (options.json)
            writeJsonLine("{\"stop\":{\"condition\":" + jsonString(condition) + ",\"time\":" + jsonString(stamp()) +
                          ",\"readings\":" + std::to_string(newest) + "}}");
        stop(0, LoadStr(kStoppedBy).arg(condition, stamp()));
    });
    QObject::connect(&watch, &RunWatch::warning, [&](const QString &text) {
        printError(QStringLiteral("orvel-cli: ") + text, stderr, Severity::Warning);
    });
    QObject::connect(&watch, &RunWatch::storeFailed, [&](const StoreResult &failed) {
        writeFailed(failed.error.isEmpty() ? options.out : failed.error);
    });

    cycle.showWarning = [&options](int textId) {
        reportWarning(textId, options.json, stderr);
        return PromptButton::Retry; // go on, as "Continue" does
    };
    QObject::connect(&cycle, &AcquisitionCycle::readingReady, [&](const ReadingComputation::Outcome &) {
        if (stopping)
            return;
        // One moment for the seam and the time stamp: a reading taken at a seam is the next file's first.
        const QDateTime now = QDateTime::currentDateTime();
        // Seams pass while the run waits for its start: it has no file to close.
        if (rotation && storedValue(cycle.computation.MeterReading) &&
            rotation->beginsFile(sinceStart.elapsed(), now.date()) && rec.state().bRecording && !nextFile(now))
            return stop(1, LoadStr(kStoppedWhy).arg(options.out));
        const StoreResult stored = watch.take(cycle.computation.MeterReading, options.clock ? clock() : now.time());
        if (stored.outcome == StoreOutcome::Kept && run.preTrigger > 0) {
            kept.push_back({cycle.computation, now});
            if (qsizetype(kept.size()) > run.preTrigger)
                kept.pop_front();
        }
        if (stored.outcome == StoreOutcome::StoreFailed || stored.outcome == StoreOutcome::NoMemory)
            writeFailed(stored.error.isEmpty() ? options.out : stored.error);
    });
    QObject::connect(&cycle, &AcquisitionCycle::lineHungUp, [&] {
        int lost = 0;
        reportLineLost(device.get(), options.port, lost);
        stop(lost, LoadStr(kStoppedLineLost)); // what was stored stays in the file
    });
    QObject::connect(&signalNotifier, &QSocketNotifier::activated, [&] { stop(0, LoadStr(kStoppedBySignal)); });

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
    // What started and stopped the run, then what its (last) file holds.
    if (rotation)
        printError(LoadStrArg(kFileComplete, options.out));
    printError(started.isEmpty() ? LoadStr(kNotStarted).arg(conditionText(*run.start)) : started);
    if (!stopped.isEmpty())
        printError(stopped);
    const TemporaryStore &file = rec.temporaryStore();
    const qsizetype inFile = qsizetype(file.recordsWritten());
    for (const QString &line : recordingSummary(rec.buffer(), rec.expectedInterval(), inFile))
        printError(line);
    if (rec.buffer().count() > inFile)
        printError(LoadStr(kNotInFile).arg(rec.buffer().count() - inFile).arg(file.errorText()));
    CloseComPort(std::move(device));
    ::close(signalPipe[0]);
    ::close(signalPipe[1]);
    return status;
}

} // namespace orvel::cli
