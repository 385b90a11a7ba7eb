#pragma once
// Logger data files: ".g52" (and the temporary store's ".TMP") hold 76-byte
// records one after the other, oldest first, with no header; the older ".g51"
// files hold 68-byte records. A trailing part shorter than a record is
// ignored. Only ".g52" is written.

#include "recorder/Tarecord.h"

#include <QFile>
#include <QString>

#include <functional>
#include <vector>

namespace orvel {

/// Whether `path` is read with the older 68-byte layout: its extension is
/// ".g51" in any letter case (a ".g51" elsewhere in the path does not count).
bool isOldLoggerFile(const QString &path);

/// Reads a logger data file a block of records at a time.
class LoggerFileReader
{
public:
    /// Opens `path` for reading; false (with errorText()) when it cannot be opened.
    bool open(const QString &path);
    /// Records in the file.
    qsizetype recordCount() const { return count_; }
    /// Bytes of one record in this file: 76, or 68 for ".g51".
    int recordSize() const { return recordSize_; }
    /// Records read so far.
    qsizetype recordsRead() const { return read_; }
    bool atEnd() const { return read_ >= count_; }
    /// Appends up to `maxRecords` further records to `buffer`; returns how many
    /// it appended (fewer at the end, or when the file became shorter since it
    /// was opened). Throws std::bad_alloc when memory runs out.
    qsizetype readBlock(ReadingBuffer &buffer, qsizetype maxRecords);
    /// Reads up to `maxRecords` further records into `out` (room for that many);
    /// returns how many it read, as readBlock does.
    qsizetype readRecords(TARecord *out, qsizetype maxRecords);
    /// Passes over up to `records` records without reading them; returns how many.
    qsizetype skip(qsizetype records);
    void close() { file_.close(); }
    QString errorText() const { return file_.errorString(); }

private:
    /// Reads the bytes of up to `maxRecords` records into bytes_; returns the whole records read.
    qsizetype fill(qsizetype maxRecords);
    TARecord recordAt(qsizetype i) const;

    QFile file_;
    std::vector<unsigned char> bytes_; ///< the block last read
    int recordSize_ = kRecordSize;
    qsizetype count_ = 0;
    qsizetype read_ = 0;
};

/// How reading a file into a buffer ended.
enum class LoadEnd {
    Complete,  ///< every record was read
    Cancelled, ///< cancel() came first: what was read so far stays
    NoMemory,  ///< memory ran out: what fitted stays
};

/// Reading a logger data file into a buffer as a job: the records are read in
/// large blocks, and the caller hears of the progress on a time budget (not per
/// record), where it may let its window events run and cancel the job; the
/// cancel is looked at right after each such call, before the next block.
class LoadJob
{
public:
    /// Called once before the first block and then at least every budgetMs:
    /// records read so far, records in the file.
    std::function<void(qsizetype read, qsizetype total)> onProgress;
    /// Called once the records are read, before the recording counts them.
    std::function<void(qsizetype read, qsizetype total)> onReadDone;
    qint64 budgetMs = 40;

    void cancel() { cancelled_ = true; }
    bool cancelled() const { return cancelled_; }

    /// Appends the records of `reader` to `buffer` until the end of the file,
    /// a cancel or the end of memory.
    LoadEnd run(LoggerFileReader &reader, ReadingBuffer &buffer);

private:
    bool cancelled_ = false;
};

/// Reads all of `path` into `buffer` (appending). False when the file cannot
/// be opened or read; `error` then says why.
bool loadLoggerFile(const QString &path, ReadingBuffer &buffer, QString *error = nullptr);

/// Writes every record of `buffer` as a ".g52" file. The records go to a
/// temporary file beside `path`, which replaces `path` only when every byte was
/// written; a failed save leaves an earlier file at `path` as it was. False
/// (with `error` saying why) on any failure.
bool saveLoggerFile(const QString &path, const ReadingBuffer &buffer, QString *error = nullptr);

} // namespace orvel
