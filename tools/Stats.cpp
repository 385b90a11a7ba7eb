#include "tools/Stats.h"

#include "export/ExportText.h"
#include "recorder/LoggerFile.h"
#include "recorder/Pages.h"
#include "recorder/Statistics.h"
#include "resources/Strings.h"
#include "tools/JsonLines.h"
#include "tools/Output.h"

#include <map>
#include <string>

namespace orvel::cli {

namespace {
constexpr int kMarkLine = 2302; ///< "Mark on reading %1 at %2 (%3): %4"

std::string seconds(qint64 tenths)
{
    return jsonNumber(double(tenths) / 10.0);
}

std::string timeJson(const TARecord &r)
{
    return jsonString(fieldText(r.szTime).trimmed());
}

std::string readingJson(const TARecord &r)
{
    return "{\"value\":" + jsonNumber(r.fReading) + ",\"display\":" + jsonString(fieldText(r.szDisplay)) +
           ",\"prefix\":" + jsonString(fieldText(r.szPrefix)) + ",\"unit\":" + jsonString(fieldText(r.szUnit)) +
           ",\"time\":" + timeJson(r) + "}";
}

// The marks of the readings summarised: positions [first, last) of `list`.
struct MarksOf
{
    const MarkList &list;
    qsizetype first, last;
};

std::string statsJson(const QString &file, qsizetype records, const ReadingStats &s, const RecordAt &recordAt,
                      const std::optional<MarksOf> &marks)
{
    const bool any = s.count > 0;
    std::string j = "{\"file\":" + jsonString(file) + ",\"records\":" + std::to_string(records);
    j += ",\"readings\":" + std::to_string(s.count);
    j += ",\"first\":" + (any ? timeJson(recordAt(s.firstIndex)) : "null");
    j += ",\"last\":" + (any ? timeJson(recordAt(s.lastIndex)) : "null");
    j += ",\"minimum\":" + (any ? readingJson(recordAt(s.minIndex)) : "null");
    j += ",\"maximum\":" + (any ? readingJson(recordAt(s.maxIndex)) : "null");
    j += ",\"mean\":" + (any ? jsonNumber(s.mean) : "null");
    j += ",\"deviation\":" + (any ? jsonNumber(s.deviation()) : "null");
    if (s.mixed || s.areaPoints < 2) {
        j += ",\"area\":null";
    } else {
        const AreaText area = areaText(s);
        j += ",\"area\":{\"value\":" + jsonNumber(s.areaHours()) + ",\"unit\":" + jsonString(area.unit) +
             ",\"charge\":" + (area.charge ? "true" : "false") + "}";
    }
    j += std::string(",\"mixedFunctions\":") + (s.mixed ? "true" : "false");
    j += ",\"timeCovered\":" + seconds(s.coveredTenths);
    const bool timed = s.intervals.count() > 0;
    if (timed) {
        j += ",\"intervals\":{\"count\":" + std::to_string(s.intervals.count()) +
             ",\"median\":" + seconds(s.intervals.median()) + ",\"shortest\":" + seconds(s.shortestTenths) +
             ",\"longest\":" + seconds(s.longestTenths) + ",\"longestFrom\":" + timeJson(recordAt(s.longestFrom)) + "}";
        const GapFigures g = s.gaps(ExpectedInterval{});
        j += ",\"expectedInterval\":" + seconds(g.expectedTenths) + ",\"gapThreshold\":" + seconds(g.thresholdTenths);
        j += ",\"gaps\":{\"count\":" + std::to_string(g.count) + ",\"missing\":" + seconds(g.missingTenths) +
             ",\"longest\":" + (g.count > 0 ? seconds(g.longestTenths) : "null") +
             ",\"longestFrom\":" + (g.count > 0 ? timeJson(recordAt(g.longestFrom)) : "null") + "}";
    } else {
        j += ",\"intervals\":null,\"expectedInterval\":null,\"gapThreshold\":null,\"gaps\":null";
    }
    j += ",\"outOfOrder\":" + std::to_string(s.outOfOrder);
    j += ",\"unreadableTimes\":" + std::to_string(s.unreadableTimes);
    if (marks) {
        j += ",\"marks\":[";
        for (qsizetype i = marks->first; i < marks->last; ++i)
            j += (i > marks->first ? "," : "") + markObject(marks->list.at(i));
        j += "]";
    }
    return j + "}\n";
}
} // namespace

int stats(const QString &in, std::optional<PageSpan> pages, bool json, std::FILE *out, std::FILE *err)
{
    LoggerFileReader reader;
    const std::optional<IndexRange> pagesRange = openPages(reader, in, pages, err);
    if (!pagesRange)
        return 1;
    const IndexRange range = *pagesRange;

    // One pass a block at a time: the figures need no more than that.
    ReadingStats s;
    qsizetype records = 0;
    const BlocksRead read = readBlocks(reader, range, [&](const TARecord *block, qsizetype n, qsizetype first) {
        for (qsizetype i = 0; i < n; ++i)
            s.add(first + i, block[i], false, false);
        records += n;
        return true;
    });
    if (read != BlocksRead::Done) {
        printError(LoadStrArg(kCannotRead, in), err);
        return 1;
    }
    // Without a marks file the output is as it always was; with one, its marks
    // of these readings (none, perhaps).
    const MarksRead marksRead = readMarksBeside(in, reader.recordCount(), err);
    reader.close();
    std::optional<MarksOf> marks;
    if (marksRead.found) {
        const auto [first, last] = marksRead.marks.within(range.first, range.count);
        marks.emplace(MarksOf{marksRead.marks, first, last});
    }

    // The few records the texts name are read again.
    std::map<qsizetype, TARecord> named;
    const RecordAt recordAt = [&](qsizetype index) {
        auto it = named.find(index);
        if (it == named.end()) {
            TARecord r;
            LoggerFileReader again;
            if (again.open(in) && again.skip(index) == index)
                again.readRecords(&r, 1);
            it = named.emplace(index, r).first;
        }
        return it->second;
    };
    std::string text;
    if (json) {
        text = statsJson(in, records, s, recordAt, marks);
    } else {
        QStringList lines = statsLines(recordAt, s, StatsLimits{}, ExpectedInterval{});
        for (qsizetype i = marks ? marks->first : 0; marks && i < marks->last; ++i) {
            const Mark &m = marksRead.marks.at(i);
            lines << LoadStr(kMarkLine).arg(QString::number(m.index + 1), m.time, markKindName(m.kind),
                                            markTextOnOneLine(m.text));
        }
        for (const QString &line : lines)
            text += line.toStdString() + '\n';
    }
    if (std::fwrite(text.data(), 1, text.size(), out) != text.size() || std::fflush(out) != 0) {
        printError(LoadStrArg(kCannotWrite, QStringLiteral("-")), err);
        return 1;
    }
    return 0;
}

} // namespace orvel::cli
