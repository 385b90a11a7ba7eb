#pragma once
// The exported text: one line a reading, "index,time,reading[,aux]", CR LF
// after every line, no header. Shared by the export dialog and orvel-cli convert.

#include <QByteArray>
#include <QString>

namespace orvel {

class ReadingBuffer;
struct TARecord;

/// A reading as the export writes it: 7 significant digits, no trailing zeros,
/// "." only when needed, fixed notation from 0.00001 up to below 10^7,
/// otherwise scientific with at least two exponent digits ("1.234568e+07",
/// "1e-06"); "0" for zero.
QByteArray exportNumber(float value);

/// Appends the line of record `r` at buffer index `index` (numbered index + 1), CR LF included.
void appendExportLine(QByteArray &out, const TARecord &r, qsizetype index);

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
