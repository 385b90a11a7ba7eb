#include "meter/Simulator.h"

#include "meter/MeterReading.h"

#include <QSet>

#include <algorithm>
#include <cmath>

#include <gtest/gtest.h>

namespace orvel {
namespace {

TEST(Scenario, ReadsStatesWithRepeatsAndAnnunciators)
{
    QString error;
    const auto steps = parseScenario("# a comment\n"
                                     "\n"
                                     "20  1.234  DC V\n"
                                     "5\t_0.L_ ohm M\n"
                                     "3 12.34 dc v m lowbat\n"
                                     "1 25C\n",
                                     &error);
    ASSERT_TRUE(steps) << qPrintable(error);
    ASSERT_EQ(steps->size(), 4);
    EXPECT_EQ((*steps)[0].repeat, 20);
    EXPECT_TRUE((*steps)[0].display.dc);
    EXPECT_TRUE((*steps)[0].display.volt);
    EXPECT_EQ((*steps)[1].display.prefixes, kPrefixMega);
    EXPECT_TRUE((*steps)[1].display.ohm);
    EXPECT_EQ((*steps)[2].display.prefixes, kPrefixMilli) << "prefix letters keep their case: m is milli";
    EXPECT_TRUE((*steps)[2].display.lowBattery);
    EXPECT_EQ((*steps)[3].display.digits, (std::array<char, 4>{' ', '2', '5', 'C'}));
}

TEST(Scenario, NamesTheBadLine)
{
    QString error;
    EXPECT_FALSE(parseScenario("1 1.234 DC\n0 1.234\n", &error));
    EXPECT_TRUE(error.contains("line 2")) << qPrintable(error);
    EXPECT_FALSE(parseScenario("1 1.234 DC\n\n2 12X4\n", &error));
    EXPECT_TRUE(error.contains("line 3")) << qPrintable(error);
    EXPECT_TRUE(error.contains("12X4"));
    EXPECT_FALSE(parseScenario("1 1.234 volts\n", &error));
    EXPECT_TRUE(error.contains("volts"));
    EXPECT_FALSE(parseScenario("x 1.234\n", &error));
}

TEST(Scenario, PlayerRepeatsAndStartsAgain)
{
    const auto steps = parseScenario("2 1.111\n1 2.222\n").value();
    ScenarioPlayer player(steps);
    QStringList shown;
    for (int i = 0; i < 7; ++i)
        shown << QString::fromLatin1(player.next().digits.data(), 4);
    EXPECT_EQ(shown, (QStringList{"1111", "1111", "2222", "1111", "1111", "2222", "1111"}));
}

// The tour shows every kind of reading and decodes into sensible readings.
TEST(Scenario, DemoTourDecodes)
{
    const auto steps = tourScenario();
    QSet<int> functions;
    bool overload = false, lowBattery = false, blank = false;
    ReadingComputation rc;
    for (const ScenarioStep &s : steps) {
        const auto frame = encodeFrame(s.display);
        ASSERT_TRUE(frame);
        const auto d = decodeFrame(*frame);
        ASSERT_TRUE(d);
        rc.takeFrame(*d);
        lowBattery |= rc.lowBattery();
        rc.complete(10, 0);
        functions.insert(rc.MeterReading.iFunction);
        overload |= rc.MeterReading.sValue.contains('L');
        blank |= rc.MeterReading.sValue.trimmed().isEmpty();
    }
    for (int f :
         {fn::VoltDC, fn::VoltAC, fn::Ohm, fn::Capacitance, fn::Frequency, fn::AmpDC, fn::Celsius, fn::Fahrenheit})
        EXPECT_TRUE(functions.contains(f)) << f;
    EXPECT_TRUE(overload);
    EXPECT_TRUE(lowBattery);
    EXPECT_TRUE(blank);
    EXPECT_EQ(tourScenario(1).size(), steps.size());
}

// The default battery: DC volts within a cell's range, a step where the load
// changes, down to the cut-off and charged full again, and the meter's own
// battery low on exactly its two frames now and then.
TEST(Scenario, BatteryDischargesStepsAndCharges)
{
    const auto steps = batteryScenario();
    ASSERT_GT(steps.size(), 6000);
    ReadingComputation rc;
    QList<double> volts;
    QList<qsizetype> lowBattery;
    for (const ScenarioStep &s : steps) {
        rc.takeFrame(decodeFrame(encodeFrame(s.display).value()).value());
        rc.complete(10, 0);
        ASSERT_EQ(rc.MeterReading.iFunction, fn::VoltDC);
        volts << rc.MeterReading.sValue.toDouble();
        if (rc.lowBattery())
            lowBattery << volts.size() - 1;
    }
    EXPECT_EQ(lowBattery.first(), kFirstLowBattery);
    for (qsizetype k = 0; k < lowBattery.size(); ++k)
        EXPECT_EQ(lowBattery[k], kFirstLowBattery + k / 2 * kLowBatteryEvery + k % 2);
    EXPECT_GT(volts[199] - volts[200], 0.06) << "the heavy load comes on at frame 200";
    EXPECT_LT(std::abs(volts[198] - volts[199]), 0.01);
    EXPECT_LT(*std::min_element(volts.begin(), volts.end()), 3.05);
    EXPECT_GE(*std::max_element(volts.begin(), volts.end()), 4.19);
    EXPECT_GT(*std::min_element(volts.begin(), volts.end()), 2.9);
    EXPECT_EQ(builtInScenario(QStringLiteral("battery"))->size(), steps.size());
    EXPECT_FALSE(builtInScenario(QStringLiteral("tour.txt")));
}

} // namespace
} // namespace orvel
