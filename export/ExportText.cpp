#include "export/ExportText.h"

#include "app/FloatText.h"
#include "recorder/Pages.h"
#include "recorder/Tarecord.h"

#include <QSaveFile>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

namespace orvel {

namespace {
constexpr int kDigits = 7;

// Drops trailing zeros of a fraction, and the point when nothing follows it.
void trimFraction(char *begin, char *&end)
{
    char *point = static_cast<char *>(std::memchr(begin, '.', std::size_t(end - begin)));
    if (!point)
        return;
    while (end > point + 1 && end[-1] == '0')
        --end;
    if (end == point + 1)
        --end;
}

// Writes a reading as the export writes it into `out` (room for 64 characters); returns the length.
int formatExportNumber(float value, char *out)
{
    auto literal = [out](const char *text) {
        const std::size_t n = std::strlen(text);
        std::memcpy(out, text, n);
        return static_cast<int>(n);
    };
    if (std::isnan(value))
        return literal("NAN");
    if (std::isinf(value))
        return literal(value > 0 ? "INF" : "-INF");
    if (value == 0.0f)
        return literal("0");
    const double v = value;
    // The decimal exponent after rounding to 7 significant digits.
    char sci[40];
    auto r = std::to_chars(sci, sci + sizeof sci, v, std::chars_format::scientific, kDigits - 1);
    const char *e = static_cast<const char *>(std::memchr(sci, 'e', std::size_t(r.ptr - sci)));
    int exponent = 0;
    std::from_chars(e + 1 + (e[1] == '+'), r.ptr, exponent);
    if (exponent >= -5 && exponent < kDigits) {
        // Fixed notation from the same 7 rounded digits: the point moved by the exponent.
        const char *sign = sci[0] == '-' ? "-" : "";
        const char *digits = sci + (*sign ? 1 : 0); // "d.dddddd"
        char *o = out;
        if (*sign)
            *o++ = '-';
        if (exponent < 0) {
            *o++ = '0';
            *o++ = '.';
            for (int z = -1; z > exponent; --z)
                *o++ = '0';
            *o++ = digits[0];
            std::memcpy(o, digits + 2, kDigits - 1);
            o += kDigits - 1;
        } else {
            *o++ = digits[0];
            std::memcpy(o, digits + 2, std::size_t(exponent));
            o += exponent;
            *o++ = '.';
            std::memcpy(o, digits + 2 + exponent, std::size_t(kDigits - 1 - exponent));
            o += kDigits - 1 - exponent;
        }
        trimFraction(out, o);
        return static_cast<int>(o - out);
    }
    // Mantissa without trailing zeros, then the exponent with a sign and at least two digits.
    char *mantissaEnd = const_cast<char *>(e);
    trimFraction(sci, mantissaEnd);
    const int mantissa = static_cast<int>(mantissaEnd - sci);
    std::memcpy(out, sci, std::size_t(mantissa));
    return mantissa + std::snprintf(out + mantissa, 64 - std::size_t(mantissa), "e%c%02d", exponent < 0 ? '-' : '+',
                                    std::abs(exponent));
}

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

QByteArray exportNumber(float value)
{
    char out[64];
    return QByteArray(out, formatExportNumber(value, out));
}

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

bool writeExportText(const QString &path, const ReadingBuffer &buffer, int from, int to)
{
    if (path.isEmpty())
        return false;
    const IndexRange range = exportRange(buffer.count(), pageCount(buffer.count()), from, to);
    QSaveFile file(path);
    // Unbuffered: a buffered QSaveFile can lose a write error at commit.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    // The lines go out a megabyte at a time into the file beside the target,
    // which replaces the target only at commit: the file still appears whole,
    // and no fresh memory the size of the text is needed.
    std::vector<char> chunk(std::size_t(1) << 20);
    char *const begin = chunk.data();
    char *const full = begin + chunk.size() - kMaxLine;
    char *o = begin;
    auto flush = [&] {
        const qint64 n = o - begin;
        o = begin;
        return file.write(begin, n) == n;
    };
    for (qsizetype j = range.first; j < range.first + range.count; ++j) {
        o = putLine(o, buffer.at(j), j);
        if (o >= full && !flush()) {
            file.cancelWriting();
            return false;
        }
    }
    if (!flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace orvel
