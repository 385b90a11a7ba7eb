#include "tools/Convert.h"

#include "export/ExportText.h"
#include "recorder/LoggerFile.h"
#include "recorder/Pages.h"
#include "recorder/Tarecord.h"
#include "resources/Strings.h"
#include "tools/Output.h"

#include <algorithm>
#include <new>
#include <vector>

namespace orvel::cli {

namespace {
constexpr int kPageOutside = 2120;
constexpr qsizetype kBlockRecords = 16384; ///< records read at once (about 1.2 MB)
constexpr int kMarksLeftOut = 2300;        ///< "orvel-cli: %1, line %2: %3; lines left out: %4"
constexpr int kMarksUnreadable = 2301;     ///< "orvel-cli: cannot read the marks in %1: %2"

bool toStdOut(const QString &out)
{
    return out.isEmpty() || out == QLatin1String("-");
}

QString outName(const QString &out)
{
    return toStdOut(out) ? QStringLiteral("-") : out;
}

// A file goes whole or not at all (OUT stays as it was); standard output as it
// comes, every write checked.
bool writeOutput(const QString &out, std::FILE *stdOut, const std::function<bool(const ByteSink &)> &produce)
{
    if (!toStdOut(out))
        return writeWholeFile(out, produce);
    return produce([stdOut](const char *data, qint64 size) {
        return std::fwrite(data, 1, std::size_t(size), stdOut) == std::size_t(size) && std::fflush(stdOut) == 0;
    });
}
} // namespace

std::optional<IndexRange> openPages(LoggerFileReader &reader, const QString &in, std::optional<PageSpan> pages,
                                    std::FILE *err)
{
    if (!reader.open(in)) {
        printError(LoadStrArg(kCannotRead, in), err);
        return std::nullopt;
    }
    const qsizetype n = reader.recordCount();
    const int lastPage = pageCount(n);
    const PageSpan span = pages.value_or(PageSpan{1, lastPage});
    for (const int page : {span.from, span.to}) {
        if (page < 1 || page > lastPage) {
            printError(LoadStrFmt(kPageOutside, page, lastPage), err);
            return std::nullopt;
        }
    }
    return exportRange(n, lastPage, span.from, span.to);
}

BlocksRead readBlocks(LoggerFileReader &reader, const IndexRange &range,
                      const std::function<bool(const TARecord *, qsizetype, qsizetype)> &take)
{
    try {
        std::vector<TARecord> block(std::size_t(std::min(range.count, kBlockRecords)));
        qsizetype index = reader.skip(range.first);
        if (index != range.first)
            return BlocksRead::Failed;
        for (qsizetype left = range.count; left > 0;) {
            const qsizetype got = reader.readRecords(block.data(), std::min(left, kBlockRecords));
            if (got == 0)
                break; // the file became shorter: what was there is taken
            if (!take(block.data(), got, index))
                return BlocksRead::Stopped;
            index += got;
            left -= got;
        }
        return BlocksRead::Done;
    } catch (const std::bad_alloc &) {
        return BlocksRead::Failed;
    }
}

int convert(const QString &in, const QString &out, std::optional<PageSpan> pages, std::FILE *stdOut, std::FILE *err)
{
    // Only the records of the pages asked for are read.
    LoggerFileReader reader;
    const std::optional<IndexRange> pagesRange = openPages(reader, in, pages, err);
    if (!pagesRange)
        return 1;
    const IndexRange range = *pagesRange;

    // Records are read a block at a time; their lines are gathered a megabyte
    // at a time (it stays in the cache) and written whenever it is full.
    bool readFailed = false;
    auto readFailure = [&readFailed] {
        readFailed = true;
        return false;
    };
    auto produce = [&](const ByteSink &sink) {
        try {
            ExportLineWriter writer(sink);
            switch (readBlocks(reader, range, [&writer](const TARecord *records, qsizetype n, qsizetype first) {
                return writer.add(records, n, first);
            })) {
            case BlocksRead::Done: return writer.finish();
            case BlocksRead::Stopped: return false;
            case BlocksRead::Failed: break;
            }
        } catch (const std::bad_alloc &) {
        }
        return readFailure();
    };
    if (writeOutput(out, stdOut, produce))
        return 0;
    if (readFailed)
        printError(LoadStrArg(kCannotRead, in), err);
    else
        printError(LoadStrArg(kCannotWrite, outName(out)), err);
    return 1;
}

MarksRead readMarksBeside(const QString &in, qsizetype records, std::FILE *err)
{
    const QString path = marksFilePath(in);
    MarksRead read = readMarksFile(path, records);
    if (read.badLine > 0)
        printError(LoadStr(kMarksLeftOut)
                       .arg(path, QString::number(read.badLine), read.problem, QString::number(read.skipped)),
                   err);
    else if (!read.problem.isEmpty())
        printError(LoadStr(kMarksUnreadable).arg(path, read.problem), err);
    return read;
}

int convertMarks(const QString &in, const QString &out, std::optional<PageSpan> pages, std::FILE *stdOut,
                 std::FILE *err)
{
    // Named by its marks file, the logger file beside it is meant.
    const QString suffix = marksFilePath(QString());
    const QString logger = in.endsWith(suffix) && in.size() > suffix.size() ? in.chopped(suffix.size()) : in;
    LoggerFileReader reader;
    const std::optional<IndexRange> range = openPages(reader, logger, pages, err);
    if (!range)
        return 1;
    const MarksRead read = readMarksBeside(logger, reader.recordCount(), err);
    reader.close();
    QByteArray lines;
    const auto [begin, end] = read.marks.within(range->first, range->count);
    for (qsizetype i = begin; i < end; ++i)
        lines += markLine(read.marks.at(i));
    if (writeOutput(out, stdOut, [&lines](const ByteSink &sink) { return sink(lines.constData(), lines.size()); }))
        return 0;
    printError(LoadStrArg(kCannotWrite, outName(out)), err);
    return 1;
}

} // namespace orvel::cli
