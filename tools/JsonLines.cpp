#include "tools/JsonLines.h"

#include "meter/DisplayText.h"
#include "meter/FrameDecoder.h"
#include "meter/MeterReading.h"
#include "recorder/Marks.h"
#include "resources/Strings.h"

#include <cstdio>

namespace orvel::cli {

namespace {
// String ids of the function names.
constexpr int kFunctionNames = 2160; // 2160 …
constexpr int kUnknownFunction = 2173;
constexpr int kWarningCode = 2174; // "W%d"
} // namespace

std::string jsonString(const QString &text)
{
    std::string out = "\"";
    for (char32_t c : text.toStdU32String()) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20) {
                char esc[8];
                std::snprintf(esc, sizeof esc, "\\u%04x", unsigned(c));
                out += esc;
            } else {
                out += QString::fromUcs4(&c, 1).toStdString();
            }
        }
    }
    return out + "\"";
}

QString isoLocalTime(const QDateTime &at)
{
    const int offset = at.offsetFromUtc() / 60; // minutes
    const int size = offset < 0 ? -offset : offset;
    return at.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz")) + QLatin1Char(offset < 0 ? '-' : '+') +
           QStringLiteral("%1:%2").arg(size / 60, 2, 10, QLatin1Char('0')).arg(size % 60, 2, 10, QLatin1Char('0'));
}

QString functionName(int iFunction)
{
    static constexpr int codes[] = {fn::Volt,    fn::VoltAC,     fn::VoltDC,  fn::VoltDCAC, fn::Capacitance,
                                    fn::Celsius, fn::Fahrenheit, fn::Ohm,     fn::OhmFlag8, fn::AmpAC,
                                    fn::AmpDC,   fn::AmpDCAC,    fn::VoltAmp, fn::Frequency};
    for (int i = 0; i < int(std::size(codes)); ++i)
        if (codes[i] == iFunction)
            return LoadStr(i < 8 ? kFunctionNames + i : kFunctionNames + i - 1); // both resistances are one name
    return LoadStr(kUnknownFunction);
}

std::string readingObject(const ReadingComputation &tick, const QDateTime &at, const StoredReading *stored)
{
    const TMeterReading &r = tick.MeterReading;
    const auto value = displayNumberTimesTen(r.sValue, r.sExponent);
    std::string j = "{";
    if (stored)
        j += "\"number\":" + std::to_string(stored->number) + ",";
    j += "\"time\":" + jsonString(isoLocalTime(at));
    if (stored)
        j += ",\"stamp\":" + jsonString(stored->stamp);
    j += ",\"value\":" + (value ? jsonNumber(*value) : std::string("null"));
    j += ",\"display\":" + jsonString(tick.digital.DataPanel);
    j += ",\"prefix\":" + jsonString(labelText(tick.digital.UnitPanel, tick.digital.style.prefixFace));
    j += ",\"unit\":" + jsonString(labelText(tick.digital.FuncPanel, tick.digital.style.unitFace));
    j += ",\"function\":" + jsonString(functionName(r.iFunction));
    j += ",\"acdc\":" + jsonString(tick.digital.pnlAcDc);
    j += ",\"lowBattery\":" + std::string(tick.lowBattery() ? "true" : "false");
    return j + "}";
}

// JSON lines are read by programs: their words are English in every language.
std::string warningObject(int textId)
{
    return "{\"warning\":" + jsonString(LoadStrFmt(kWarningCode, textId)) +
           ",\"text\":" + jsonString(sourceText(textId)) + "}";
}

std::string markObject(const Mark &mark)
{
    return "{\"reading\":" + std::to_string(mark.index + 1) + ",\"time\":" + jsonString(mark.time) +
           ",\"kind\":" + jsonString(markKindName(mark.kind)) + ",\"text\":" + jsonString(mark.text) + "}";
}

void writeJsonLine(const std::string &line)
{
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

} // namespace orvel::cli
