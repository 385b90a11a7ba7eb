#include "tools/Decode.h"

#include "meter/FrameDecoder.h"
#include "meter/MeterReading.h"
#include "recorder/StoredValue.h"
#include "resources/Strings.h"
#include "tools/JsonLines.h"

#include <QIODevice>
#include <QRegularExpression>

namespace orvel::cli {

namespace {
constexpr int kTooManyBytes = 2103;
constexpr int kNotAByte = 2104;

std::string readingJson(const ReadingComputation &tick)
{
    const TMeterReading &r = tick.MeterReading;
    const AnalogValues &a = tick.analog;
    const auto stored = storedValue(r);
    std::string j = "{\"ok\":true";
    j += ",\"sValue\":" + jsonString(r.sValue);
    j += ",\"sExponent\":" + jsonString(r.sExponent);
    j += ",\"dwMode\":" + std::to_string(r.dwMode);
    j += ",\"iFunction\":" + std::to_string(r.iFunction);
    j += ",\"fValue\":" + jsonNumber(r.fValue);
    j += ",\"iPointPos\":" + std::to_string(r.iPointPos);
    j += ",\"szDisplay\":" + jsonString(r.szDisplay);
    j += ",\"DataPanel\":" + jsonString(tick.digital.DataPanel);
    j += ",\"iPrefixExp\":" + std::to_string(r.iPrefixExp);
    j += ",\"szPrefix\":" + jsonString(r.szPrefix);
    j += ",\"szUnit\":" + jsonString(r.szUnit);
    j += ",\"pnlAcDc\":" + jsonString(tick.digital.pnlAcDc);
    j += ",\"analog\":{\"reading\":" + std::to_string(a.reading) + ",\"scaleEnd\":" + std::to_string(a.scaleEnd) +
         ",\"pointPos\":" + std::to_string(a.pointPos) + ",\"negative\":" + (a.negative ? "true" : "false") + "}";
    j += ",\"fReading\":" + (stored ? jsonNumber(*stored) : std::string("null"));
    return j + "}";
}

void report(std::FILE *err, const QString &message)
{
    std::fprintf(err, "%s\n", qPrintable(message));
}
} // namespace

int decodeReads(QIODevice &input, std::FILE *out, std::FILE *err)
{
    static const QRegularExpression blanks(QStringLiteral("[ \\t]+"));
    static const QRegularExpression hexByte(QStringLiteral("^[0-9A-Fa-f]{2}$"));
    Frame lastFrame{};
    ReadingComputation tick;
    int lineNo = 0;
    for (;;) {
        const QByteArray raw = input.readLine();
        if (raw.isEmpty())
            break; // end of input (an empty read line still holds its line feed)
        QString line = QString::fromUtf8(raw);
        ++lineNo;
        while (line.endsWith(QLatin1Char('\n')) || line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList tokens = line.split(blanks, Qt::SkipEmptyParts);
        if (tokens.size() > kFrameSize) {
            report(err, LoadStrFmt(kTooManyBytes, lineNo));
            return 2;
        }
        std::uint8_t bytes[kFrameSize];
        int count = 0;
        for (const QString &token : tokens) {
            if (!hexByte.match(token).hasMatch()) {
                report(err, LoadStrArg(kNotAByte, token).replace(QLatin1String("%d"), QString::number(lineNo)));
                return 2;
            }
            bytes[count++] = std::uint8_t(token.toUInt(nullptr, 16));
        }
        const auto frame = frameOfRead(bytes, count, lastFrame);
        const auto decoded = frame ? decodeFrame(*frame) : std::nullopt;
        if (!decoded) {
            std::fputs("{\"ok\":false}\n", out);
        } else {
            tick.takeFrame(*decoded);
            // Limits only place an overload on the comparator, which is not printed.
            tick.complete(0.0, 0.0);
            std::fprintf(out, "%s\n", readingJson(tick).c_str());
        }
        std::fflush(out);
    }
    return 0;
}

} // namespace orvel::cli
