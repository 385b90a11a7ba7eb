#include "export/ExportText.h"

#include "app/FloatText.h"
#include "recorder/Pages.h"
#include "recorder/Tarecord.h"

#include <QSaveFile>

#include <charconv>
#include <cmath>
#include <cstdio>
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
} // namespace

QByteArray exportNumber(float value)
{
    if (std::isnan(value))
        return QByteArrayLiteral("NAN");
    if (std::isinf(value))
        return value > 0 ? QByteArrayLiteral("INF") : QByteArrayLiteral("-INF");
    if (value == 0.0f)
        return QByteArrayLiteral("0");
    const double v = value;
    // The decimal exponent after rounding to 7 significant digits.
    char sci[40];
    auto r = std::to_chars(sci, sci + sizeof sci, v, std::chars_format::scientific, kDigits - 1);
    const char *e = static_cast<const char *>(std::memchr(sci, 'e', std::size_t(r.ptr - sci)));
    int exponent = 0;
    std::from_chars(e + 1 + (e[1] == '+'), r.ptr, exponent);
    char out[64];
    char *end = out;
    if (exponent >= -5 && exponent < kDigits) {
        const auto f = std::to_chars(out, out + sizeof out, v, std::chars_format::fixed, kDigits - 1 - exponent);
        end = f.ptr;
        trimFraction(out, end);
        return QByteArray(out, end - out);
    }
    // Mantissa without trailing zeros, then the exponent with a sign and at least two digits.
    char *mantissaEnd = const_cast<char *>(e);
    trimFraction(sci, mantissaEnd);
    const qsizetype mantissa = mantissaEnd - sci;
    std::memcpy(out, sci, std::size_t(mantissa));
    const int n = std::snprintf(out + mantissa, sizeof out - std::size_t(mantissa), "e%c%02d", exponent < 0 ? '-' : '+',
                                std::abs(exponent));
    return QByteArray(out, mantissa + n);
}

void appendExportLine(QByteArray &out, const TARecord &r, qsizetype index)
{
    char number[24];
    const auto n = std::to_chars(number, number + sizeof number, index + 1);
    out.append(number, n.ptr - number);
    out.append(',');
    out.append(fieldText(r.szTime).toLatin1());
    out.append(',');
    out.append(exportNumber(r.fReading));
    const QString aux = fieldText(r.szAux);
    if (!aux.isEmpty()) {
        out.append(',');
        out.append(aux.toLatin1());
    }
    out.append("\r\n", 2);
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
    const QByteArray text = exportText(buffer, from, to);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(text) != text.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace orvel
