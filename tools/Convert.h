#pragma once
// orvel-cli convert: a logger data file in, the exported text out.

#include "export/ExportText.h"
#include "recorder/LoggerFile.h"
#include "recorder/Marks.h"

#include <QString>

#include <cstdio>
#include <functional>
#include <optional>

namespace orvel::cli {

/// Pages FROM to TO, numbered as the recorder numbers them (page 1 is the short one).
struct PageSpan
{
    int from = 1;
    int to = 1;
};

/// Opens the logger data file `in` (".g52", ".TMP", or ".g51" by its extension)
/// for pages `pages` (every page when none): the buffer indexes they hold. A
/// file that cannot be read or a page outside 1 .. the last page gets a message
/// on `err` and no range.
std::optional<IndexRange> openPages(LoggerFileReader &reader, const QString &in, std::optional<PageSpan> pages,
                                    std::FILE *err);

/// How readBlocks ended.
enum class BlocksRead {
    Done,    ///< every record of the range was taken (fewer when the file became shorter)
    Stopped, ///< the taker said stop
    Failed,  ///< the range could not be reached, or there was no memory for a block
};

/// Reads the records of `range` a block at a time (about 1.2 MB) and hands
/// each block to `take`: the records, how many, and the buffer index of the
/// first. `take` returns false to stop.
BlocksRead readBlocks(LoggerFileReader &reader, const IndexRange &range,
                      const std::function<bool(const TARecord *, qsizetype, qsizetype)> &take);

/// Reads the logger data file `in` (".g52", ".TMP", or ".g51" by its extension)
/// and writes the exported text of every page, or of `pages`, to `out` (replaced
/// whole, only once every byte is written), or to `stdOut` when `out` is empty
/// or "-". A file that cannot be read or written, or a page outside 1 .. the
/// last page, gets a message on `err` and status 1, and `out` is not touched.
int convert(const QString &in, const QString &out, std::optional<PageSpan> pages, std::FILE *stdOut = stdout,
            std::FILE *err = stderr);

/// The marks file beside the logger file `in` of `records` readings, read as
/// the program reads it. Lines it leaves out get a warning on `err` naming the
/// file and the first of them, a file that cannot be read one naming it; the
/// good marks are kept either way.
MarksRead readMarksBeside(const QString &in, qsizetype records, std::FILE *err);

/// convert --marks: the marks-file lines of the marks on the readings of every
/// page, or of `pages`, of the logger file `in` (or of the logger file whose
/// marks file `in` is), numbered as in the logger file, written as convert
/// writes its text; no marks write nothing. Fails as convert does.
int convertMarks(const QString &in, const QString &out, std::optional<PageSpan> pages, std::FILE *stdOut = stdout,
                 std::FILE *err = stderr);

} // namespace orvel::cli
