#include "tools/Convert.h"

#include "export/ExportText.h"
#include "recorder/LoggerFile.h"
#include "recorder/Pages.h"
#include "recorder/Tarecord.h"
#include "resources/Strings.h"

#include <QSaveFile>

#include <algorithm>
#include <new>
#include <vector>

namespace orvel::cli {

namespace {
constexpr int kCannotRead = 2102;
constexpr int kPageOutside = 2120;
constexpr int kCannotWrite = 2121;
constexpr qsizetype kBlockRecords = 16384; ///< records read at once (about 1.2 MB)
constexpr qsizetype kChunkBytes = 1 << 20; ///< text gathered before it is written

void printError(std::FILE *err, const QString &message)
{
    std::fprintf(err, "%s\n", qPrintable(message));
}

bool writeAll(std::FILE *to, const QByteArray &text)
{
    return std::fwrite(text.constData(), 1, std::size_t(text.size()), to) == std::size_t(text.size()) &&
           std::fflush(to) == 0;
}
} // namespace

int convert(const QString &in, const QString &out, std::optional<PageSpan> pages, std::FILE *stdOut, std::FILE *err)
{
    // Only the records of the pages asked for are read.
    LoggerFileReader reader;
    if (!reader.open(in)) {
        printError(err, LoadStrArg(kCannotRead, in));
        return 1;
    }
    const qsizetype n = reader.recordCount();
    const int lastPage = pageCount(n);
    const PageSpan span = pages.value_or(PageSpan{1, lastPage});
    for (const int page : {span.from, span.to}) {
        if (page < 1 || page > lastPage) {
            printError(err, LoadStrFmt(kPageOutside, page, lastPage));
            return 1;
        }
    }
    const IndexRange range = exportRange(n, lastPage, span.from, span.to);

    // The text goes to a file beside OUT that replaces it only when all of it
    // was written, so a failure leaves OUT as it was.
    const bool toStdOut = out.isEmpty() || out == QLatin1String("-");
    QSaveFile file(out);
    // Unbuffered: a buffered QSaveFile can lose a write error at commit.
    if (!toStdOut && !file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        printError(err, LoadStrArg(kCannotWrite, out));
        return 1;
    }
    auto fail = [&](int message, const QString &path) {
        if (!toStdOut)
            file.cancelWriting();
        printError(err, LoadStrArg(message, path));
        return 1;
    };
    // Records are read a block at a time; their lines are gathered in one
    // buffer that is written whenever it is full (it stays in the cache).
    QByteArray text;
    auto write = [&] {
        const bool written = toStdOut ? writeAll(stdOut, text) : file.write(text) == text.size();
        text.resize(0);
        return written;
    };
    try {
        text.reserve(kChunkBytes + 256);
        std::vector<TARecord> block(std::size_t(std::min(range.count, kBlockRecords)));
        qsizetype index = reader.skip(range.first);
        if (index != range.first)
            return fail(kCannotRead, in);
        for (qsizetype left = range.count; left > 0;) {
            const qsizetype got = reader.readRecords(block.data(), std::min(left, kBlockRecords));
            if (got == 0)
                break; // the file became shorter: what was there is written
            for (qsizetype i = 0; i < got; ++i) {
                appendExportLine(text, block[std::size_t(i)], index++);
                if (text.size() >= kChunkBytes && !write())
                    return fail(kCannotWrite, toStdOut ? QStringLiteral("-") : out);
            }
            left -= got;
        }
    } catch (const std::bad_alloc &) {
        return fail(kCannotRead, in);
    }
    if (!write() || (!toStdOut && !file.commit()))
        return fail(kCannotWrite, toStdOut ? QStringLiteral("-") : out);
    return 0;
}

} // namespace orvel::cli
