#include "export/ExportText.h"

#include "base/FloatText.h"
#include "recorder/Pages.h"
#include "recorder/Tarecord.h"

#include <charconv>
#include <cstring>
#include <vector>

namespace orvel {

namespace {
// A text field's bytes up to its first NUL (the bytes fieldText reads as Latin-1).
template <std::size_t N> char *putField(char *o, const TextField<N> &field)
{
    const void *nul = std::memchr(field.data(), '\0', N);
    const std::size_t n = nul ? std::size_t(static_cast<const char *>(nul) - field.data()) : N;
    std::memcpy(o, field.data(), n);
    return o + n;
}

// The longest line: a 20-digit number, the time, a reading, the auxiliary text, separators, CR LF.
constexpr std::size_t kMaxLine = 20 + 1 + 16 + 1 + 64 + 1 + 8 + 2;

char *putLine(char *o, const TARecord &r, qsizetype index)
{
    o = std::to_chars(o, o + 20, index + 1).ptr;
    *o++ = ',';
    o = putField(o, r.szTime);
    *o++ = ',';
    o += formatExportNumber(r.fReading, o);
    if (r.szAux[0] != '\0') {
        *o++ = ',';
        o = putField(o, r.szAux);
    }
    *o++ = '\r';
    *o++ = '\n';
    return o;
}
} // namespace

void appendExportLine(QByteArray &out, const TARecord &r, qsizetype index)
{
    char line[kMaxLine];
    out.append(line, putLine(line, r, index) - line);
}

IndexRange exportRange(qsizetype n, int lastPage, int from, int to)
{
    IndexRange range;
    if (from > to || n <= 0)
        return range;
    const PageRange first = pageRange(n, lastPage, from);
    const PageRange last = pageRange(n, lastPage, to);
    range.first = first.first;
    range.count = last.first + last.count - first.first;
    if (range.count < 0)
        range.count = 0;
    return range;
}

QByteArray exportText(const ReadingBuffer &buffer, int from, int to)
{
    const IndexRange range = exportRange(buffer.count(), pageCount(buffer.count()), from, to);
    QByteArray out;
    out.reserve(range.count * 40);
    for (qsizetype j = range.first; j < range.first + range.count; ++j)
        appendExportLine(out, buffer.at(j), j);
    return out;
}

ExportLineWriter::ExportLineWriter(ByteSink sink)
    : sink_(std::move(sink))
    , chunk_(std::size_t(1) << 20)
    , out_(chunk_.data())
    , full_(chunk_.data() + chunk_.size() - kMaxLine)
{}

namespace {
// The loop of both adds: the position is kept in a local, which the compiler
// can hold in a register while the lines are written through it.
template <typename RecordAt, typename Finish>
bool addLines(char *&out, char *full, qsizetype first, qsizetype count, RecordAt recordAt, Finish finish)
{
    char *o = out;
    for (qsizetype j = first; j < first + count; ++j) {
        o = putLine(o, recordAt(j), j);
        if (o >= full) {
            out = o;
            if (!finish())
                return false;
            o = out;
        }
    }
    out = o;
    return true;
}
} // namespace

bool ExportLineWriter::add(const TARecord *records, qsizetype count, qsizetype firstIndex)
{
    return addLines(
        out_, full_, firstIndex, count,
        [records, firstIndex](qsizetype j) -> const TARecord & { return records[j - firstIndex]; },
        [this] { return finish(); });
}

bool ExportLineWriter::add(const ReadingBuffer &buffer, qsizetype first, qsizetype count)
{
    return addLines(
        out_, full_, first, count, [&buffer](qsizetype j) -> const TARecord & { return buffer.at(j); },
        [this] { return finish(); });
}

bool ExportLineWriter::finish()
{
    const qint64 n = out_ - chunk_.data();
    out_ = chunk_.data();
    return sink_(chunk_.data(), n);
}

bool writeExportText(const QString &path, const ReadingBuffer &buffer, int from, int to)
{
    if (path.isEmpty())
        return false;
    const IndexRange range = exportRange(buffer.count(), pageCount(buffer.count()), from, to);
    return writeWholeFile(path, [&](const ByteSink &sink) {
        ExportLineWriter writer(sink);
        return writer.add(buffer, range.first, range.count) && writer.finish();
    });
}

} // namespace orvel
