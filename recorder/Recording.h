#pragma once
// The recording: every stored reading, the chart's page counters and Y range,
// the largest and the smallest reading, the temporary store and the recorder's
// state, with the operations that change them. QtCore only: the recorder
// window, the data list, the viewer, the export and orvel-cli record read it
// and call it, and hear what changed from its signals.
//
// Storing a reading shows nothing, runs no event loop and is never entered
// again while it runs. What went wrong while storing (a temporary file that
// cannot be written, no memory) comes back to the caller once the reading is
// stored and the recording stopped, for the caller to tell the user. While a
// file is being opened (from Open's first question on) or an export runs, the
// buffer and the page stay still: a requested reading waits, with the time it
// was taken, and is stored once the recording moves again.

#include "meter/MeterReading.h"
#include "recorder/LoggerFile.h"
#include "recorder/Marks.h"
#include "recorder/Pages.h"
#include "recorder/Statistics.h"
#include "recorder/Tarecord.h"
#include "recorder/TempStore.h"

#include <QList>
#include <QObject>
#include <QTimer>

#include <QTime>

#include <functional>
#include <optional>
#include <vector>

namespace orvel {

inline constexpr int kFullSpeedMs = 500; ///< the logger timer's interval at "Full Speed"

/// What decides which readings are stored and which of the recorder's commands can be used.
struct RecorderState
{
    bool bManualMode = false;           ///< readings are stored only by the Manual command
    int iLoggerInterval = kFullSpeedMs; ///< logger timer, ms: 500 is "Full Speed", else whole seconds × 1000
    bool bRecording = false;            ///< automatic recording runs (the logger timer is on)
    bool bArmed = false;           ///< waiting for a start condition: readings requested go to the pre-trigger ring
    int iKept = 0;                 ///< readings the pre-trigger ring holds while armed
    bool bBufferEmpty = true;      ///< nothing stored since the last clear
    bool bUnsaved = false;         ///< the buffer holds data not yet saved to a file
    bool bSampleRequest = false;   ///< the next reading of the acquisition tick is to be stored
    int iStoredCount = 0;          ///< readings stored since the last clear
    int iLastPage = 1;             ///< pages of the buffer: the newest page's number
    int iShownPage = 1;            ///< the page in the chart, 1..iLastPage
    bool LoadInProgress = false;   ///< a file is being opened: its questions, its dialog, its load
    bool ExportInProgress = false; ///< an export runs
    ScaleRange Scale;              ///< the chart's Y range, widened by each reading
    Extremes Extreme;              ///< indexes of the largest and the smallest reading

    /// A load or an export holds the buffer and the page still.
    bool frozen() const { return LoadInProgress || ExportInProgress; }
    /// Recording, armed, loading or exporting: the commands that change the buffer are out of reach.
    bool busy() const { return bRecording || bArmed || frozen(); }
    /// Recording or armed: the recorder hears every reading of the tick.
    bool running() const { return bRecording || bArmed; }
    /// The interval in whole seconds, as the interval dialog and the status bar
    /// give it: 0 for "Full Speed".
    int intervalSeconds() const { return iLoggerInterval == kFullSpeedMs ? 0 : iLoggerInterval / 1000; }
};

/// Which of the recorder's commands can be used. A toolbar button and its menu
/// item share one entry, except Start and Stop, whose buttons stay usable in
/// more states than their menu items.
struct CommandStates
{
    bool startButton = false, stopButton = false, startMenu = false, stopMenu = false;
    bool manual = false, interval = false, open = false, import = false, printerSetup = false;
    bool save = false, print = false, clear = false, exportData = false;
    bool firstPage = false, pageUp = false, pageDown = false, lastPage = false, fitView = false, undoZoom = false;
    bool mark = false;       ///< Mark, Mark with Text (Edit and Remove also want a mark under the cursor)
    bool conditions = false; ///< the unattended recording's dialog

    bool operator==(const CommandStates &) const = default;
};

/// The one rule for the recorder's commands, from its state and whether the
/// chart is zoomed. While nothing records the page commands follow the page
/// shown (First and Up unless on page 1, Down and Last unless on the last);
/// while recording they are off on the newest page, but once PgUp has paged
/// away from it they follow the page shown again.
CommandStates commandStates(const RecorderState &state, bool zoomed);

/// What became of a reading handed to the recording.
enum class StoreOutcome {
    Stored,      ///< in the buffer (and in the temporary file while recording)
    Kept,        ///< armed: in the pre-trigger ring, not yet stored
    Dropped,     ///< a blank display or a text that is no number: nothing stored
    Waiting,     ///< a load, an export or another store is in the way: nothing stored
    NoMemory,    ///< the buffer could not grow: nothing stored, the recording stopped
    StoreFailed, ///< in the buffer, but the file could not take it: the recording stopped
};

struct StoreResult
{
    StoreOutcome outcome = StoreOutcome::Dropped;
    qsizetype index = -1; ///< buffer index of the reading, when it was stored
    QString error;        ///< StoreFailed: why, in the system's words
};

/// How a load ended.
struct LoadResult
{
    bool opened = false; ///< false: the file could not be opened, nothing changed
    LoadEnd end = LoadEnd::Complete;
    qsizetype count = 0;    ///< readings in the buffer afterwards
    int marksBadLine = 0;   ///< the first line of the marks file left out (1-based), 0 when none
    QString marksProblem{}; ///< what was wrong with the marks file (empty when nothing)
};

/// What became of a mark placed, changed or removed.
struct MarkResult
{
    qsizetype position = -1; ///< the mark's place in marks(), −1 when there is none
    QString error;           ///< the mark could not be written through (it is kept in memory)
};

class Recording : public QObject
{
    Q_OBJECT

public:
    /// Temporary files are named `temporaryStem` + number + ".TMP".
    explicit Recording(const QString &temporaryStem, QObject *parent = nullptr);
    /// The program's names for them ("~VORDL1.TMP", …).
    explicit Recording(QObject *parent = nullptr);
    ~Recording() override;

    const RecorderState &state() const { return state_; }
    const ReadingBuffer &buffer() const { return buffer_; }
    /// How often the buffer's readings were meant to come: the mode they were
    /// all stored in (manual, full speed, every N seconds), or Unknown when
    /// they came from a file or from runs in different modes.
    ExpectedInterval expectedInterval() const { return expected_; }
    const TemporaryStore &temporaryStore() const { return TempStore; }
    /// Sets bSampleRequest every iLoggerInterval while recording.
    const QTimer &loggerTimer() const { return TimerLogger; }

    // ---- the acquisition mode
    /// Manual, or automatic every `intervalSeconds` (0: "Full Speed", 500 ms).
    /// Taking effect at the next start; manual mode stops a recording that runs.
    void setMode(bool manual, int intervalSeconds);

    // ---- recording
    /// Start: the logger timer on, the next temporary file in `folder` opened
    /// (a running recording's file closed first) and the next reading requested.
    /// False when no file could be made (temporaryStore().errorText() says why):
    /// the recording is stopped again and the request stays pending.
    bool start(const QString &folder);
    /// Start into `path` itself (orvel-cli record's output file), replacing an
    /// existing file only when `replace`.
    bool startInto(const QString &path, bool replace);
    /// Armed: as start(), the temporary file opened (it stays empty until the
    /// trigger) and the logger timer on, but the readings requested go to a
    /// ring that keeps the newest `preTrigger` of them, and nothing is stored.
    bool arm(const QString &folder, int preTrigger);
    /// As arm(), into `path` itself (orvel-cli record).
    bool armInto(const QString &path, bool replace, int preTrigger);
    /// The start condition fired: the readings of the ring are stored, oldest
    /// first, with their own times, then the recording runs as after start():
    /// the next reading is requested. A result other than Stored is the first
    /// reading that could not be stored (the recording then stopped).
    StoreResult trigger();
    /// Stop: the temporary file closed, the logger timer off, armed no more
    /// (the ring dropped); a pending request stays.
    void stop();
    /// The next reading is to be stored (the logger timer's tick).
    void requestSample();
    /// The request is taken up by the reading about to be stored.
    void withdrawSampleRequest();
    /// A requested reading that came while the recording holds still: it
    /// waits, with the time it was taken, and takes up the request (one waits
    /// at most; a later request stays pending). ResetRecorder drops it.
    void keepWaitingSample(const TMeterReading &reading, const QTime &time);
    /// A reading that waited, taken out of waiting: stored with takeSample.
    struct WaitingSample
    {
        TMeterReading reading;
        QTime time;
    };
    std::optional<WaitingSample> takeWaitingSample();
    bool hasWaitingSample() const { return waiting_.has_value(); }
    /// Whether a reading can be stored now: no load, export or other store in the way.
    bool canStore() const { return !state_.frozen() && !storing_; }
    /// Stores `reading` taken at `time` (the recorder's TakeSample): the stored
    /// value and time stamp, the buffer, the temporary file while recording,
    /// the scale, the extremes, the pages and the counters; then readingStored
    /// and stateChanged.
    StoreResult takeSample(const TMeterReading &reading, const QTime &time);

    // ---- the buffer
    /// Every reading dropped, then ResetRecorder(). Temporary files stay.
    void clear();
    /// Counters, flags, pages, scale and extremes as for an empty buffer (a
    /// running recording stops); the readings themselves stay in the buffer.
    void ResetRecorder();
    /// Writes the buffer as a logger data file; the data then counts as saved.
    bool save(const QString &path, QString *error = nullptr);
    /// The data counts as saved.
    void markSaved();

    // ---- loading and exporting
    /// From Open's first question to the end of its load the recorder counts
    /// as loading; nested calls count.
    void beginLoad();
    void endLoad();
    /// Replaces the buffer with the records of `path`, reading them through
    /// `job` (an aborted or short load keeps what it read), then counts them in
    /// one pass: scale, extremes, pages. Counts as loading throughout.
    LoadResult load(const QString &path, LoadJob &job);
    /// Ends loading at once (the reset message): the load that runs, if any,
    /// stops before its next block, and nothing counts as loading any more.
    void abandonLoad();
    /// While an export runs the buffer and the page stay still.
    void beginExport();
    void endExport();

    // ---- pages
    /// Makes `page` (kept within 1..iLastPage) the page shown.
    void setShownPage(int page);

    // ---- marks
    const MarkList &marks() const { return marks_; }
    /// Places a mark of `kind` with `text` on reading `index`, with that
    /// reading's time. While recording, a mark on a reading of the temporary
    /// file goes to its marks file at once; when that write fails the mark is
    /// kept in memory and the result's error says why. None for a reading the
    /// buffer does not have.
    MarkResult placeMark(qsizetype index, MarkKind kind, const QString &text);
    /// The mark at `position` gets `text`.
    MarkResult setMarkText(qsizetype position, const QString &text);
    /// The mark at `position` goes.
    MarkResult removeMark(qsizetype position);

    // ---- temporary files
    /// Deletes this run's temporary files, and the interrupted recordings it
    /// opened whose readings were saved or given up; returns those it could not.
    QStringList DeleteTemporaryStores();
    /// `path`, an interrupted recording, was opened into the buffer whole: it
    /// goes at exit once its readings were saved or given up.
    void adoptInterrupted(const QString &path);
    /// The user chose not to keep the readings in the buffer (No at the close
    /// question): interrupted recordings opened into it may go at exit.
    void abandonUnsaved();

signals:
    /// A mark was placed at `position` of marks().
    void markPlaced(qsizetype position);
    /// Reading `index` was stored (the newest).
    void readingStored(qsizetype index);
    /// The buffer was emptied.
    void bufferReset();
    /// A load put `count` readings in the buffer (aborted loads included).
    void loaded(qsizetype count);
    /// A mark was placed, changed or removed, or the marks were replaced.
    void marksChanged();
    /// Something of state() changed.
    void stateChanged();

private:
    /// Start with the logger timer on, the store opened by `openStore`; armed
    /// with a ring of `preTrigger` when that is not negative.
    bool startWith(const std::function<bool()> &openStore, int preTrigger = -1);
    /// Puts `record` in the buffer and the temporary store and counts it.
    StoreResult commit(const TARecord &record, float value);
    /// Creates the next temporary file in `folder`, closing an open one first.
    bool OpenTemporaryStore(const QString &folder);
    void stopRecording();
    /// The interrupted recordings whose readings are in the buffer may go at exit.
    void releaseAdoptedInBuffer();
    /// The marks file beside the temporary file written anew (a mark changed or went).
    MarkResult rewriteMarksStore(qsizetype position);

    /// An interrupted recording opened into the buffer.
    struct Adopted
    {
        QString path;
        bool inBuffer = true; ///< its readings are still in the buffer
        bool mayGo = false;   ///< saved or given up: deleted at exit
    };

    RecorderState state_;
    ReadingBuffer buffer_;
    ExpectedInterval expected_;
    TemporaryStore TempStore;  ///< the temporary file of the recording that runs
    qsizetype storeFirst_ = 0; ///< buffer index of the temporary file's first reading
    MarkList marks_;
    QTimer TimerLogger;
    QList<Adopted> adopted_;
    std::optional<WaitingSample> waiting_;
    std::vector<TARecord> ring_; ///< the pre-trigger readings while armed, oldest at ringHead_
    qsizetype ringHead_ = 0;
    qsizetype ringCapacity_ = 0;
    LoadJob *load_ = nullptr; ///< the load that runs
    int loadDepth_ = 0;
    bool storing_ = false;
};

/// Holds the recording in a state for as long as it lives: loading (LoadHold)
/// or exporting (ExportHold).
template <void (Recording::*Begin)(), void (Recording::*End)()> class RecordingHold
{
public:
    explicit RecordingHold(Recording &recording)
        : recording_(recording)
    {
        (recording_.*Begin)();
    }
    ~RecordingHold() { (recording_.*End)(); }
    RecordingHold(const RecordingHold &) = delete;
    RecordingHold &operator=(const RecordingHold &) = delete;

private:
    Recording &recording_;
};
using LoadHold = RecordingHold<&Recording::beginLoad, &Recording::endLoad>;
using ExportHold = RecordingHold<&Recording::beginExport, &Recording::endExport>;

} // namespace orvel
