#include "meter/Simulator.h"

#include "meter/MeterReading.h"

#include <QSet>

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

// The demo shows every kind of reading and decodes into sensible readings.
TEST(Scenario, DemoTourDecodes)
{
    const auto steps = demoScenario();
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
    EXPECT_EQ(demoScenario(1).size(), steps.size());
}

} // namespace
} // namespace orvel
