#include "recorder/Recording.h"

#include "recorder/StoredValue.h"
#include "resources/Strings.h"

#include <QFile>
#include <QScopedValueRollback>

#include <algorithm>
#include <new>
#include <utility>

namespace orvel {

CommandStates commandStates(const RecorderState &s, bool zoomed)
{
    const bool frozen = s.frozen();
    const bool busy = s.busy();
    const bool paging = !frozen && (!s.bRecording || s.iShownPage != s.iLastPage);
    CommandStates c;
    c.startButton = !s.bManualMode && !frozen;
    c.stopButton = !s.bManualMode && !s.LoadInProgress;
    c.startMenu = c.startButton && !s.running();
    c.stopMenu = c.stopButton && s.running(); // Stop disarms
    c.manual = s.bManualMode && !busy;
    c.interval = c.conditions = c.open = c.import = c.printerSetup = !busy;
    c.save = c.print = c.clear = c.exportData = !busy && !s.bBufferEmpty;
    c.firstPage = c.pageUp = paging && s.iShownPage != 1;
    c.pageDown = c.lastPage = paging && s.iShownPage != s.iLastPage;
    c.fitView = !busy && s.iLastPage != 1;
    c.undoZoom = zoomed && !frozen;
    c.mark = !frozen && !s.bBufferEmpty; // no reading, no mark; recording or not
    return c;
}

Recording::Recording(const QString &temporaryStem, QObject *parent)
    : QObject(parent)
    , TempStore(temporaryStem)
{
    TimerLogger.setInterval(kFullSpeedMs);
    connect(&TimerLogger, &QTimer::timeout, this, &Recording::requestSample);
}

Recording::Recording(QObject *parent)
    : Recording(LoadStr(str::TempStoreStem), parent)
{}

Recording::~Recording() = default;

void Recording::setMode(bool manual, int intervalSeconds)
{
    state_.bManualMode = manual;
    state_.iLoggerInterval = intervalSeconds == 0 ? kFullSpeedMs : intervalSeconds * 1000;
    if (manual && state_.bRecording)
        stopRecording(); // readings are then stored only by hand
    emit stateChanged();
}

// ---- recording -----------------------------------------------------------------

bool Recording::start(const QString &folder)
{
    return startWith([&] { return OpenTemporaryStore(folder); });
}

bool Recording::startInto(const QString &path, bool replace)
{
    return startWith([&] { return TempStore.openFile(path, replace); });
}

bool Recording::arm(const QString &folder, int preTrigger)
{
    return startWith([&] { return OpenTemporaryStore(folder); }, std::max(0, preTrigger));
}

bool Recording::armInto(const QString &path, bool replace, int preTrigger)
{
    return startWith([&] { return TempStore.openFile(path, replace); }, std::max(0, preTrigger));
}

bool Recording::startWith(const std::function<bool()> &openStore, int preTrigger)
{
    TimerLogger.setInterval(state_.iLoggerInterval);
    TimerLogger.start();
    state_.bRecording = preTrigger < 0;
    state_.bArmed = preTrigger >= 0;
    state_.iKept = 0;
    ring_.clear();
    ringHead_ = 0;
    ringCapacity_ = std::max(0, preTrigger);
    storeFirst_ = buffer_.count();
    const bool opened = openStore();
    if (!opened)
        stopRecording();
    // The very next reading is stored, even after a failed start (it stays in memory).
    state_.bSampleRequest = true;
    emit stateChanged();
    return opened;
}

void Recording::stop()
{
    stopRecording();
    emit stateChanged();
}

void Recording::stopRecording()
{
    TempStore.close();
    TimerLogger.stop();
    state_.bRecording = false;
    state_.bArmed = false;
    state_.iKept = 0;
    ring_ = {};
}

StoreResult Recording::trigger()
{
    StoreResult result{StoreOutcome::Stored, -1, {}};
    if (!state_.bArmed)
        return result;
    state_.bArmed = false;
    state_.bRecording = true;
    state_.bSampleRequest = true; // the next reading is stored at once, as after Start
    std::vector<TARecord> kept = std::exchange(ring_, {});
    std::rotate(kept.begin(), kept.begin() + ringHead_, kept.end());
    state_.iKept = 0;
    const QScopedValueRollback<bool> storing(storing_, true);
    for (const TARecord &record : kept) {
        result = commit(record, record.fReading);
        if (result.outcome != StoreOutcome::Stored)
            break; // the recording stopped: what could not be written stays out
    }
    emit stateChanged();
    return result;
}

void Recording::requestSample()
{
    state_.bSampleRequest = true;
}

void Recording::withdrawSampleRequest()
{
    state_.bSampleRequest = false;
}

void Recording::keepWaitingSample(const TMeterReading &reading, const QTime &time)
{
    if (waiting_ || !state_.bSampleRequest)
        return;
    waiting_ = WaitingSample{reading, time};
    state_.bSampleRequest = false;
}

std::optional<Recording::WaitingSample> Recording::takeWaitingSample()
{
    return std::exchange(waiting_, std::nullopt);
}

StoreResult Recording::takeSample(const TMeterReading &reading, const QTime &time)
{
    if (!canStore())
        return {StoreOutcome::Waiting, -1, {}};
    const QScopedValueRollback<bool> storing(storing_, true);
    const std::optional<float> value = storedValue(reading);
    if (!value)
        return {StoreOutcome::Dropped, -1, {}};
    const TARecord record(reading.sValue, reading.sExponent, reading.iFunction, formatTimeStamp(time),
                          reading.szDisplay, reading.szPrefix, reading.szUnit, *value, reading.sAux);
    if (state_.bArmed) { // kept for the trigger, the oldest giving way
        if (ringCapacity_ == 0)
            return {StoreOutcome::Kept, -1, {}};
        if (qsizetype(ring_.size()) < ringCapacity_) {
            ring_.push_back(record);
        } else {
            ring_[std::size_t(ringHead_)] = record;
            ringHead_ = (ringHead_ + 1) % ringCapacity_;
        }
        state_.iKept = int(ring_.size());
        emit stateChanged();
        return {StoreOutcome::Kept, -1, {}};
    }
    return commit(record, *value);
}

StoreResult Recording::commit(const TARecord &record, float value)
{
    try {
        buffer_.append(record);
    } catch (const std::bad_alloc &) {
        if (state_.bRecording)
            stopRecording();
        emit stateChanged();
        return {StoreOutcome::NoMemory, -1, {}};
    }
    StoreResult result{StoreOutcome::Stored, buffer_.count() - 1, {}};
    // Outside a recording only the Manual command stores.
    const ExpectedInterval mode = ExpectedInterval::forMode(!state_.bRecording, state_.intervalSeconds());
    if (result.index == 0)
        expected_ = mode;
    else if (expected_ != mode)
        expected_ = {};
    if (TempStore.isOpen() && !TempStore.write(record)) {
        result.outcome = StoreOutcome::StoreFailed;
        result.error = TempStore.errorText();
        stopRecording(); // the reading stays in memory
    }
    RecorderState &s = state_;
    s.Scale.UpdateScale(value, s.iStoredCount);
    s.Extreme.UpdateExtremes(buffer_, result.index, value);
    s.iLastPage = s.iStoredCount / kPagePoints + 1;
    s.iShownPage = s.iLastPage;
    ++s.iStoredCount;
    s.bBufferEmpty = false;
    s.bUnsaved = true;
    emit readingStored(result.index);
    emit stateChanged();
    return result;
}

// ---- the buffer ----------------------------------------------------------------

void Recording::clear()
{
    buffer_.clear();
    marks_.clear();
    expected_ = {};
    for (Adopted &a : adopted_)
        a.inBuffer = false;
    ResetRecorder();
    emit bufferReset();
    emit marksChanged();
}

void Recording::ResetRecorder()
{
    if (state_.running())
        stopRecording();
    RecorderState &s = state_;
    s.bBufferEmpty = true;
    s.bUnsaved = false;
    s.bSampleRequest = false;
    waiting_.reset();
    s.iLastPage = 1;
    s.iShownPage = 1;
    s.iStoredCount = 0;
    s.Extreme = Extremes{};
    s.Scale = ScaleRange{};
    TimerLogger.setInterval(s.iLoggerInterval);
    emit stateChanged();
}

bool Recording::save(const QString &path, QString *error)
{
    if (!saveLoggerFile(path, buffer_, error))
        return false; // nothing was replaced; the data stays unsaved
    // The marks beside it, as whole; a file of an earlier save goes when there are none.
    if (!writeMarksFile(marksFilePath(path), marks_, 0, buffer_.count(), error))
        return false; // the data stays unsaved: a save that lost its marks is no save
    markSaved();
    return true;
}

void Recording::markSaved()
{
    state_.bBufferEmpty = false;
    state_.bUnsaved = false;
    releaseAdoptedInBuffer();
    emit stateChanged();
}

// ---- loading and exporting -----------------------------------------------------

void Recording::beginLoad()
{
    if (loadDepth_++ == 0) {
        state_.LoadInProgress = true;
        emit stateChanged();
    }
}

void Recording::endLoad()
{
    if (loadDepth_ > 0 && --loadDepth_ == 0 && state_.LoadInProgress) {
        state_.LoadInProgress = false;
        emit stateChanged();
    }
}

LoadResult Recording::load(const QString &path, LoadJob &job)
{
    LoggerFileReader reader;
    if (!reader.open(path))
        return {false, LoadEnd::Complete, buffer_.count()};
    beginLoad();
    // Open cleared the buffer already; a load never adds to what was there.
    if (!buffer_.isEmpty() || !state_.bBufferEmpty)
        clear();
    load_ = &job;
    expected_ = {}; // judged from the readings
    const LoadEnd end = job.run(reader, buffer_);
    load_ = nullptr;
    reader.close();
    if (job.onReadDone)
        job.onReadDone(reader.recordsRead(), reader.recordCount());

    // Counting, as one batch: the scale and the extremes in one pass, then the pages.
    RecorderState &s = state_;
    const qsizetype n = buffer_.count();
    for (qsizetype j = 0; j < n; ++j) {
        const float v = buffer_.at(j).fReading;
        s.Scale.UpdateScale(v, j);
        s.Extreme.UpdateExtremes(buffer_, j, v);
    }
    s.iStoredCount = int(n);
    s.iLastPage = pageCount(n);
    s.iShownPage = s.iLastPage;
    s.bBufferEmpty = end == LoadEnd::Cancelled && n == 0;
    s.bUnsaved = !s.bBufferEmpty;
    // The file's marks; those of readings an aborted load did not reach go with them.
    MarksRead read = readMarksFile(marksFilePath(path), reader.recordCount());
    marks_ = std::move(read.marks);
    marks_.truncate(n);
    emit loaded(n);
    emit marksChanged();
    endLoad();
    emit stateChanged();
    return {true, end, n, read.badLine, read.problem};
}

void Recording::abandonLoad()
{
    if (load_)
        load_->cancel();
    loadDepth_ = 0;
    if (state_.LoadInProgress) {
        state_.LoadInProgress = false;
        emit stateChanged();
    }
}

void Recording::beginExport()
{
    state_.ExportInProgress = true;
    emit stateChanged();
}

void Recording::endExport()
{
    state_.ExportInProgress = false;
    emit stateChanged();
}

// ---- pages -----------------------------------------------------------------------

void Recording::setShownPage(int page)
{
    state_.iShownPage = std::clamp(page, 1, state_.iLastPage);
    emit stateChanged();
}

// ---- temporary files -----------------------------------------------------------

bool Recording::OpenTemporaryStore(const QString &folder)
{
    return TempStore.open(folder); // closes the file of a recording that still runs
}

QStringList Recording::DeleteTemporaryStores()
{
    const QStringList created = TempStore.createdFiles();
    QStringList kept = TempStore.deleteAll();
    for (const QString &path : created)
        if (!kept.contains(path))
            QFile::remove(marksFilePath(path));
    for (const Adopted &a : std::as_const(adopted_)) {
        if (a.mayGo && !QFile::remove(a.path) && QFile::exists(a.path))
            kept.append(a.path);
        else if (a.mayGo)
            QFile::remove(marksFilePath(a.path));
    }
    adopted_.clear();
    return kept;
}

// ---- marks -----------------------------------------------------------------------

MarkResult Recording::placeMark(qsizetype index, MarkKind kind, const QString &text)
{
    if (index < 0 || index >= buffer_.count())
        return {};
    MarkResult result;
    Mark mark{index, fieldText(buffer_.at(index).szTime).trimmed(), kind, text};
    // Written through before it counts: a kill right after keeps it, as the temporary file keeps readings.
    if (TempStore.isOpen() && index >= storeFirst_)
        appendMarkLine(marksFilePath(TempStore.currentPath()), mark, storeFirst_, &result.error);
    result.position = marks_.add(std::move(mark));
    state_.bUnsaved = true;
    emit markPlaced(result.position);
    emit marksChanged();
    emit stateChanged();
    return result;
}

MarkResult Recording::setMarkText(qsizetype position, const QString &text)
{
    if (position < 0 || position >= marks_.size())
        return {};
    marks_.setText(position, text);
    state_.bUnsaved = true;
    emit marksChanged();
    emit stateChanged();
    return rewriteMarksStore(position);
}

MarkResult Recording::removeMark(qsizetype position)
{
    if (position < 0 || position >= marks_.size())
        return {};
    marks_.remove(position);
    state_.bUnsaved = true;
    emit marksChanged();
    emit stateChanged();
    MarkResult result = rewriteMarksStore(position);
    result.position = -1;
    return result;
}

MarkResult Recording::rewriteMarksStore(qsizetype position)
{
    MarkResult result{position, {}};
    if (TempStore.isOpen())
        writeMarksFile(marksFilePath(TempStore.currentPath()), marks_, storeFirst_, buffer_.count() - storeFirst_,
                       &result.error);
    return result;
}

void Recording::adoptInterrupted(const QString &path)
{
    adopted_.append({path});
}

void Recording::abandonUnsaved()
{
    releaseAdoptedInBuffer();
}

void Recording::releaseAdoptedInBuffer()
{
    for (Adopted &a : adopted_)
        a.mayGo = a.mayGo || a.inBuffer;
}

} // namespace orvel
