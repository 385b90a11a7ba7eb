#include "views/DataListLine.h"

#include "meter/FrameDecoder.h"
#include "resources/Strings.h"

#include <algorithm>

namespace orvel {

namespace {
constexpr int kOhm = 2014;          // " Ohm"
constexpr int kAuxSeparator = 2015; // " ,PF="
} // namespace

QString dataListLine(const TARecord &record, qsizetype index)
{
    const QString aux = fieldText(record.szAux);
    QString line;
    line.reserve(64);
    line += QString::number(index + 1);
    line += QLatin1Char(',');
    line += fieldText(record.szTime);
    line += QLatin1Char(',');
    line += fieldText(record.szDisplay);
    line += fieldText(record.szPrefix);
    // The ohm glyph of the symbol face cannot be shown in a plain text line.
    line += isResistance(record.iFunction) ? LoadStr(kOhm) : fieldText(record.szUnit);
    if (!aux.isEmpty()) {
        line += LoadStr(kAuxSeparator);
        line += aux;
    }
    return line;
}

void LineIndexRuns::reserveNext()
{
    if (runs_.size() == runs_.capacity())
        runs_.reserve(runs_.size() * 2 + 4);
}

void LineIndexRuns::append(qsizetype index)
{
    const bool continues = !runs_.empty() && runs_.back().firstIndex + (count_ - runs_.back().firstRow) == index;
    if (!continues)
        runs_.push_back(Run{index, count_});
    ++count_;
}

qsizetype LineIndexRuns::indexAt(int row) const
{
    // The last run that starts at or before `row`.
    const auto after =
        std::upper_bound(runs_.begin(), runs_.end(), row, [](int r, const Run &run) { return r < run.firstRow; });
    const Run &run = *(after - 1);
    return run.firstIndex + (row - run.firstRow);
}

} // namespace orvel
