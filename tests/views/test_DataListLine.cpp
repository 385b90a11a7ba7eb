#include "views/DataListLine.h"

#include <gtest/gtest.h>

namespace orvel {
namespace {

struct LineCase
{
    const char *name;
    int function;
    const char *unit;
    const char *aux;
    qsizetype index;
    const char *line;
};

TEST(DataListLine, JoinsNumberTimeValuePrefixUnitAndAux)
{
    const LineCase cases[] = {
        {"ordinary", 6, "V", "", 0, "1,  9:05:03.4  ,-1.234mV"},
        {"number is index + 1", 6, "V", "", 31999, "32000,  9:05:03.4  ,-1.234mV"},
        {"resistance 384 says Ohm after the prefix", 384, "W", "", 4, "5,  9:05:03.4  ,-1.234m Ohm"},
        {"resistance 128 too", 128, "W", "", 4, "5,  9:05:03.4  ,-1.234m Ohm"},
        {"other functions keep their unit", 1024, "Hz", "", 4, "5,  9:05:03.4  ,-1.234mHz"},
        {"aux text is appended", 6, "V", "0.87", 4, "5,  9:05:03.4  ,-1.234mV ,PF=0.87"},
        {"aux after Ohm", 384, "W", "x", 4, "5,  9:05:03.4  ,-1.234m Ohm ,PF=x"},
    };
    for (const LineCase &c : cases) {
        const TARecord r(QStringLiteral("-1.234"), QStringLiteral("-3"), c.function, QStringLiteral("  9:05:03.4  "),
                         QStringLiteral("-1.234"), QStringLiteral("m"), QString::fromLatin1(c.unit), -0.001234f,
                         QString::fromLatin1(c.aux));
        EXPECT_EQ(dataListLine(r, c.index).toStdString(), c.line) << c.name;
    }
}

TEST(DataListLine, RunsMapEveryLineToItsBufferIndex)
{
    // Two runs (a gap after 5), then a line that goes back to 0 (a new run).
    const qsizetype added[] = {3, 4, 5, 9, 10, 0};
    LineIndexRuns runs;
    for (qsizetype i : added)
        runs.append(i);
    ASSERT_EQ(runs.count(), 6);
    EXPECT_EQ(runs.runCount(), 3u);
    for (int row = 0; row < runs.count(); ++row)
        EXPECT_EQ(runs.indexAt(row), added[row]) << "row " << row;

    LineIndexRuns consecutive;
    for (qsizetype i = 0; i < kLinesPerSheet; ++i)
        consecutive.append(i + 64000);
    EXPECT_EQ(consecutive.runCount(), 1u);
    EXPECT_EQ(consecutive.indexAt(kLinesPerSheet - 1), 64000 + kLinesPerSheet - 1);
}

} // namespace
} // namespace orvel
