#include "recorder/Conditions.h"

#include "meter/FrameDecoder.h"
#include "meter/MeterReading.h"

#include <gtest/gtest.h>

namespace orvel {
namespace {

// A reading as a tick leaves it: "1.5" volts, "150mA", "4.7uF", "OL" and "-OL"
// (overloads), "_" (a blank display).
TMeterReading reading(const QString &token)
{
    TMeterReading r;
    r.iFunction = fn::VoltDC;
    r.szUnit = QStringLiteral("V");
    r.sExponent = QStringLiteral("0");
    QString number = token;
    if (token.endsWith(QLatin1String("mA"))) {
        r.iFunction = fn::AmpDC, r.szUnit = QStringLiteral("A"), r.szPrefix = QStringLiteral("m");
        r.sExponent = QStringLiteral("-3"), number.chop(2);
    } else if (token.endsWith(QLatin1String("uF"))) {
        r.iFunction = fn::Capacitance, r.szUnit = QStringLiteral("F"), r.szPrefix = QStringLiteral("u");
        number.chop(2); // counted in microfarads
    }
    r.sValue = token == QLatin1String("_") ? QStringLiteral("    ") : token.contains('L') ? token : number;
    r.szDisplay = r.sValue;
    return r;
}

struct Row
{
    const char *text;
    ConditionUse use;
    const char *events; ///< readings 500 ms apart, "+MS": that much time passes without one; null: a bad text
    const char *expect; ///< where it fires ('x'), or the words of the message
    const char *written = nullptr; ///< its written form, when not the text itself
};

constexpr auto S = ConditionUse::Start, T = ConditionUse::Stop, A = ConditionUse::Alarm;

const Row kRows[] = {
    // Edges, not levels; a value equal to the threshold is not beyond it.
    {"above 1.5", A, "1 1.5 1.6 1.6 1 2", "..x..x"},
    {"below 1.5", T, "2 1.5 1.4 1.4", "..x."},
    {"Outside 4.9 .. 5.1 V", A, "5 5.2 5.3 5 4.8 4.8", ".x..x.", "outside 4.9V..5.1V"},
    {"inside 4.9..5.1", T, "5 5.1 5.2 4.9 4.8", "x..x."},
    {"outside 4.9..5.1", S, "5.2", "x"}, // holding when armed: fires at once
    // Prefixes and units: compared with the stored value in its unit without prefix.
    {"above 150mA", A, "150mA 151mA", ".x"},
    {"above 0.15", A, "150mA 151mA", ".x"},
    {"above 1.5 A", A, "2 2", "..", "above 1.5A"}, // volts: a unit not the reading's never holds
    {"above 4.7u", A, "4.7uF 4.8uF", ".x"},
    {"below 5kohm", A, "4.7uF", "."},
    // "for" holds back until the test has held that long, judged at a reading.
    {"above 1.5 for 1s", A, "2 2 2 2 1 2", "..x...", "above 1.5 for 1s"},
    {"above 1.5 for 1000ms", A, "2 2 1 2 2 2", ".....x", "above 1.5 for 1s"},
    // A blank display leaves a value test as it was.
    {"above 1.5", A, "2 _ 2 1 _ 2", "x....x"},
    {"overload", A, "1 OL OL 1 -OL", ".x..x"},
    {"above 1000", A, "5 OL -OL", ".x."},
    {"below -1000", S, "-OL", "x"},
    // The comparator's limits (3 and 1 here) judge the number as shown, prefix not applied.
    {"outside limits", A, "2 3 3.1 2 0.9 OL", "..x.x."},
    {"outside limits", T, "2 150mA", ".x"},
    // Time: silent, after, readings, at (armed at 12:00:00).
    {"silent 2s", A, "1 +1000 +1000 1 +1999 +1", "..x..x"},
    {"silent 1s", S, "_ _ _", "..x"},
    {"after 2s", T, "+1999 +1", ".x"},
    {"readings 3", T, "1 1 _ 1 1", "...x."},
    {"at 12:00", S, "+0", "x", "at 12:00"},
    {"at 11:59:59", T, "+86398999 +1", ".x"},
    {"at 7:30", T, "+0", ".", "at 07:30"},
    // Bad texts: the message names what is wrong.
    {"", S, nullptr, "the condition is empty"},
    {"abov 1.5", S, nullptr, "'abov' is no condition"},
    {"above", S, nullptr, "'above' needs a value after it, such as above 1.5"},
    {"above x", S, nullptr, "'x' is no value"},
    {"above 1.5x", S, nullptr, "'x' is no unit"},
    {"above 1e39", S, nullptr, "the value 1e39 does not fit single precision"},
    {"outside 5.1..4.9", S, nullptr, "the range 5.1..4.9 runs backwards"},
    {"inside 1V..2A", S, nullptr, "different units (V and A)"},
    {"outside 4.9", S, nullptr, "'outside' needs a range LO..HI or the word 'limits'"},
    {"silent 10", S, nullptr, "'10' is no duration"},
    {"silent 0s", S, nullptr, "the duration 0s is out of range"},
    {"readings 0", T, nullptr, "'0' is no count of readings"},
    {"at 24:00", S, nullptr, "'24:00' is no time of day"},
    {"above 1.5 for", S, nullptr, "'for' needs a duration"},
    {"above 1.5 please", S, nullptr, "'please' is not understood"},
    {"after 5s", S, nullptr, "'after' counts from the start of the recording: it can only stop one"},
    {"readings 5", A, nullptr, "it can only stop one"},
    {"at 12:00", A, nullptr, "'at' cannot be an alarm"},
};

TEST(Conditions, FireWhereTheyShouldOrSayWhatIsWrong)
{
    const QDateTime armed(QDate(2024, 5, 1), QTime(12, 0));
    for (const Row &row : kRows) {
        SCOPED_TRACE(row.text);
        const ParsedCondition parsed = parseCondition(QString::fromUtf8(row.text), row.use);
        if (!row.events) {
            EXPECT_FALSE(parsed.condition);
            EXPECT_TRUE(parsed.error.contains(QString::fromUtf8(row.expect))) << qPrintable(parsed.error);
            continue;
        }
        ASSERT_TRUE(parsed.condition) << qPrintable(parsed.error);
        const QString written = conditionText(*parsed.condition);
        EXPECT_EQ(written.toStdString(), row.written ? row.written : row.text);
        EXPECT_EQ(parseCondition(written, row.use).condition, parsed.condition);

        ConditionJudge judge(*parsed.condition);
        judge.arm(armed);
        ConditionMoment m{armed.toMSecsSinceEpoch(), nullptr, 0, 3.0, 1.0};
        std::string fired;
        bool first = true;
        for (const QString &event : QString::fromUtf8(row.events).split(' ')) {
            ConditionSample sample;
            if (event.startsWith('+')) {
                m.nowMs += event.toLongLong();
                m.reading = nullptr;
            } else {
                m.nowMs += first ? 0 : 500;
                sample = conditionSample(reading(event));
                m.stored += sample.valid;
                m.reading = &sample;
            }
            first = false;
            fired += judge.judge(m) ? 'x' : '.';
        }
        EXPECT_EQ(fired, row.expect);
    }
}

TEST(Conditions, TheStatusShowsValuesWithTheirUnits)
{
    const auto above = parseCondition(QStringLiteral("above 1.5"), ConditionUse::Start).condition.value();
    EXPECT_EQ(conditionDisplay(above, QStringLiteral("V")), QStringLiteral("above 1.500 V"));
    const auto inside = parseCondition(QStringLiteral("inside 4.7k..5kohm"), ConditionUse::Start).condition.value();
    EXPECT_EQ(conditionDisplay(inside), QStringLiteral("inside 4.700 kohm .. 5.000 kohm"));
}

} // namespace
} // namespace orvel
