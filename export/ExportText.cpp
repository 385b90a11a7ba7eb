#include "export/ExportText.h"

#include "app/FloatText.h"
#include "recorder/Pages.h"
#include "recorder/Tarecord.h"

#include <charconv>
#include <cmath>
#include <cstring>

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

// Writes `value` as the export writes it at `out` (room for 32 characters) and returns the end.
char *putExportNumber(float value, char *out)
{
    auto put = [&out](const char *text) {
        const std::size_t n = std::strlen(text);
        std::memcpy(out, text, n);
        return out + n;
    };
    if (std::isnan(value))
        return put("NAN");
    if (std::isinf(value))
        return put(value > 0 ? "INF" : "-INF");
    if (value == 0.0f)
        return put("0");
    const double v = value;
    // The decimal exponent after rounding to 7 significant digits.
    char sci[40];
    auto r = std::to_chars(sci, sci + sizeof sci, v, std::chars_format::scientific, kDigits - 1);
    const char *e = static_cast<const char *>(std::memchr(sci, 'e', std::size_t(r.ptr - sci)));
    int exponent = 0;
    std::from_chars(e + 1 + (e[1] == '+'), r.ptr, exponent);
    if (exponent >= -5 && exponent < kDigits) {
        char *end = std::to_chars(out, out + 32, v, std::chars_format::fixed, kDigits - 1 - exponent).ptr;
        trimFraction(out, end);
        return end;
    }
    // Mantissa without trailing zeros, then the exponent with a sign and at least two digits.
    char *mantissaEnd = const_cast<char *>(e);
    trimFraction(sci, mantissaEnd);
    const std::size_t mantissa = std::size_t(mantissaEnd - sci);
    std::memcpy(out, sci, mantissa);
    out += mantissa;
    *out++ = 'e';
    *out++ = exponent < 0 ? '-' : '+';
    const int magnitude = std::abs(exponent);
    if (magnitude < 10)
        *out++ = '0';
    return std::to_chars(out, out + 4, magnitude).ptr;
}

// A text field's bytes up to its first NUL (the stored bytes are the Latin-1 text).
template <std::size_t N> char *putField(const TextField<N> &field, char *out)
{
    const void *nul = std::memchr(field.data(), '\0', N);
    const std::size_t n = nul ? std::size_t(static_cast<const char *>(nul) - field.data()) : N;
    std::memcpy(out, field.data(), n);
    return out + n;
}
} // namespace

QByteArray exportNumber(float value)
{
    char out[32];
    return QByteArray(out, putExportNumber(value, out) - out);
}

void appendExportLine(QByteArray &out, const TARecord &r, qsizetype index)
{
    // The whole line is built on the stack and appended at once.
    char line[24 + 1 + 16 + 1 + 32 + 1 + 8 + 2];
    char *p = std::to_chars(line, line + 24, index + 1).ptr;
    *p++ = ',';
    p = putField(r.szTime, p);
    *p++ = ',';
    p = putExportNumber(r.fReading, p);
    if (r.szAux[0] != '\0') {
        *p++ = ',';
        p = putField(r.szAux, p);
    }
    *p++ = '\r';
    *p++ = '\n';
    out.append(line, p - line);
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

} // namespace orvel
