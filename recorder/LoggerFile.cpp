#include "recorder/LoggerFile.h"

#include "base/WholeFile.h"

#include <QElapsedTimer>
#include <QFileInfo>

#include <algorithm>
#include <new>
#include <vector>

namespace orvel {

namespace {
constexpr qsizetype kWriteBlockRecords = 8192; // records written per block (about 600 KB)
constexpr qsizetype kLoadBlockRecords = 2048;  // records read between looks at the clock
} // namespace

bool isOldLoggerFile(const QString &path)
{
    return QFileInfo(path).suffix().compare(QLatin1String("g51"), Qt::CaseInsensitive) == 0;
}

bool LoggerFileReader::open(const QString &path)
{
    file_.close();
    file_.setFileName(path);
    read_ = count_ = 0;
    recordSize_ = isOldLoggerFile(path) ? kOldRecordSize : kRecordSize;
    // Records are read in large blocks: Qt's own buffer would only copy them once more.
    if (!file_.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return false;
    count_ = file_.size() / recordSize_;
    return true;
}

qsizetype LoggerFileReader::fill(qsizetype maxRecords)
{
    const qsizetype want = std::min(maxRecords, count_ - read_);
    if (want <= 0)
        return 0;
    bytes_.resize(std::size_t(want * recordSize_));
    const qint64 got = file_.read(reinterpret_cast<char *>(bytes_.data()), qint64(bytes_.size()));
    const qsizetype records = got > 0 ? qsizetype(got / recordSize_) : 0;
    read_ += records;
    if (records < want)
        count_ = read_; // the file became shorter: what is there is all there is
    return records;
}

TARecord LoggerFileReader::recordAt(qsizetype i) const
{
    const unsigned char *at = bytes_.data() + i * recordSize_;
    return recordSize_ == kRecordSize ? readRecord(at) : readOldRecord(at);
}

qsizetype LoggerFileReader::readBlock(ReadingBuffer &buffer, qsizetype maxRecords)
{
    const qsizetype records = fill(maxRecords);
    buffer.reserve(buffer.count() + records);
    for (qsizetype i = 0; i < records; ++i)
        buffer.append(recordAt(i));
    return records;
}

qsizetype LoggerFileReader::readRecords(TARecord *out, qsizetype maxRecords)
{
    const qsizetype records = fill(maxRecords);
    for (qsizetype i = 0; i < records; ++i)
        out[i] = recordAt(i);
    return records;
}

qsizetype LoggerFileReader::skip(qsizetype records)
{
    const qsizetype n = std::clamp<qsizetype>(records, 0, count_ - read_);
    if (n > 0 && !file_.seek(file_.pos() + qint64(n) * recordSize_))
        return 0;
    read_ += n;
    return n;
}

LoadEnd LoadJob::run(LoggerFileReader &reader, ReadingBuffer &buffer)
{
    try {
        buffer.reserve(buffer.count() + reader.recordCount());
    } catch (const std::bad_alloc &) {
        // Read what fits; the blocks below say when memory runs out.
    }
    QElapsedTimer sinceProgress;
    auto progress = [&] {
        if (onProgress)
            onProgress(reader.recordsRead(), reader.recordCount());
        sinceProgress.restart();
        return !cancelled_;
    };
    sinceProgress.start();
    if (!progress())
        return LoadEnd::Cancelled;
    while (!reader.atEnd()) {
        try {
            if (reader.readBlock(buffer, kLoadBlockRecords) == 0)
                break;
        } catch (const std::bad_alloc &) {
            return LoadEnd::NoMemory;
        }
        if (sinceProgress.elapsed() >= budgetMs && !progress())
            return LoadEnd::Cancelled;
    }
    return LoadEnd::Complete;
}

bool loadLoggerFile(const QString &path, ReadingBuffer &buffer, QString *error)
{
    LoggerFileReader reader;
    if (!reader.open(path)) {
        if (error)
            *error = reader.errorText();
        return false;
    }
    buffer.reserve(buffer.count() + reader.recordCount());
    while (!reader.atEnd()) {
        if (reader.readBlock(buffer, 65536) == 0)
            break;
    }
    return true;
}

bool saveLoggerFile(const QString &path, const ReadingBuffer &buffer, QString *error)
{
    std::vector<unsigned char> block(std::size_t(kWriteBlockRecords * kRecordSize));
    return writeWholeFile(
        path,
        [&](const ByteSink &sink) {
            for (qsizetype first = 0; first < buffer.count(); first += kWriteBlockRecords) {
                const qsizetype n = std::min(kWriteBlockRecords, buffer.count() - first);
                for (qsizetype i = 0; i < n; ++i)
                    writeRecord(buffer.at(first + i), block.data() + i * kRecordSize);
                if (!sink(reinterpret_cast<const char *>(block.data()), n * kRecordSize))
                    return false;
            }
            return true;
        },
        error);
}

} // namespace orvel
