#pragma once
// The exported text: one line a reading, "index,time,reading[,aux]", CR LF
// after every line, no header. Shared by the export dialog and orvel-cli convert.

#include "base/WholeFile.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace orvel {

class ReadingBuffer;
struct TARecord;

/// Appends the line of record `r` at buffer index `index` (numbered index + 1), CR LF included.
void appendExportLine(QByteArray &out, const TARecord &r, qsizetype index);

/// Gathers exported lines a megabyte at a time and hands each megabyte to a
/// sink: the memory it needs stays the same however many lines are written.
class ExportLineWriter
{
public:
    explicit ExportLineWriter(ByteSink sink);
    /// Adds the lines of the `count` records at `records`, the first of them at
    /// buffer index `firstIndex`; false once the sink failed.
    bool add(const TARecord *records, qsizetype count, qsizetype firstIndex);
    /// Adds the lines of buffer indexes first .. first + count − 1.
    bool add(const ReadingBuffer &buffer, qsizetype first, qsizetype count);
    /// Hands over the lines gathered last; false when the sink failed.
    bool finish();

private:
    ByteSink sink_;
    std::vector<char> chunk_;
    char *out_;
    char *full_; ///< where a further line might no longer fit
};

/// Buffer indexes of pages `from` to `to` (numbered as the recorder numbers
/// them: page 1 is the short one) for a buffer of `n` readings; an empty range
/// when from > to.
struct IndexRange
{
    qsizetype first = 0;
    qsizetype count = 0;
};
IndexRange exportRange(qsizetype n, int lastPage, int from, int to);

/// The whole text of pages `from` to `to` of `buffer`.
QByteArray exportText(const ReadingBuffer &buffer, int from, int to);

/// Writes the text of pages `from` to `to` to `path`, a megabyte at a time into a file
/// beside the target, which it replaces only when every byte was written: a failure
/// leaves any earlier file as it was. An empty range gives an empty file. False when the file
/// could not be created or written.
bool writeExportText(const QString &path, const ReadingBuffer &buffer, int from, int to);

} // namespace orvel
