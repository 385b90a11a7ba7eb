#include "meter/MeterReading.h"

#include "meter/Needle.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <clocale>

namespace orvel {
namespace {

// Runs one tick's computation on a decoded reading.
class Tick : public ::testing::Test
{
protected:
    ReadingComputation rc;
    ReadingComputation::Outcome outcome;
    const TMeterReading &r = rc.MeterReading;

    void tick(const char *sValue, const char *sExponent, std::uint32_t mode, double hi = 10, double lo = 0)
    {
        rc.takeFrame({QString::fromLatin1(sValue), QString::fromLatin1(sExponent), mode});
        outcome = rc.complete(hi, lo);
    }
};

TEST_F(Tick, DcMillivolts)
{
    tick("1.234", "-2", fn::VoltDC);
    EXPECT_EQ(r.iPointPos, 1);
    EXPECT_DOUBLE_EQ(r.fValue, 1.234);
    EXPECT_EQ(r.szDisplay, "12.34");
    EXPECT_EQ(rc.digital.DataPanel, "12.34");
    EXPECT_EQ(r.iPrefixExp, -3);
    EXPECT_EQ(r.szPrefix, "m");
    EXPECT_EQ(r.szUnit, "V");
    EXPECT_EQ(rc.digital.pnlAcDc, "DC");
    EXPECT_EQ(rc.digital.SubDataPanel, " ");
    EXPECT_TRUE(outcome.numeric);
    // The comparator takes the displayed number without its prefix.
    EXPECT_TRUE(outcome.comparatorUpdated);
    EXPECT_FLOAT_EQ(rc.comparator.reading, 12.34f);
    EXPECT_EQ(rc.comparator.szPrefix, "m");
    EXPECT_EQ(rc.comparator.iFunction, fn::VoltDC);
}

TEST_F(Tick, VoltageAndCurrentKeepFourDigitsWithLeadingZeros)
{
    struct Case
    {
        const char *value;
        const char *exponent;
        int function;
        int pointPos;
        const char *display;
    } cases[] = {
        {"-0.012", "0", fn::VoltDC, 0, "-0.012"},      {"0.123", "0", fn::VoltAC, 0, "0.123"},
        {"1.000", "3", fn::VoltDC, 3, "1000"},         {"-1.000", "3", fn::VoltDC, 3, "-1000"},
        {"-0.600", "3", fn::VoltDC, 3, "-0600"},       {"6.000", "2", fn::Volt, 2, "600.0"},
        {"-0.500", "-2", fn::VoltDC, 1, "-05.00"},     {"-0.500", "-1", fn::AmpDC, 2, "-050.0"},
        {"6.000", "-4", fn::AmpDC, 2, "600.0"},        {"6.000", "-3", fn::AmpAC, 3, "6000"},
        {"1.234", "-1", fn::AmpDC, 2, "123.4"},        {"-1.234", "0", fn::AmpDC, 0, "-1.234"},
        {"1.234", "4", fn::VoltDC, 4, "12340.000000"}, // a negative precision means C's default of six
    };
    for (const Case &c : cases) {
        tick(c.value, c.exponent, std::uint32_t(c.function));
        EXPECT_EQ(r.iPointPos, c.pointPos) << c.value << " E" << c.exponent;
        EXPECT_EQ(r.szDisplay, c.display) << c.value << " E" << c.exponent;
        EXPECT_EQ(rc.digital.DataPanel, c.display);
    }
}

TEST_F(Tick, CapacitanceFormats)
{
    struct Case
    {
        const char *exponent;
        int pointPos;
        const char *display;
        const char *prefix;
    } cases[] = {{"-2", 1, "12.34", "n"},
                 {"-3", 0, "1.234", "n"},
                 {"0", 0, "1.234", "u"},
                 {"2", 2, "123.4", "u"},
                 {"3", 3, "1234", "u"}};
    for (const Case &c : cases) {
        tick("1.234", c.exponent, fn::Capacitance);
        EXPECT_EQ(r.iPointPos, c.pointPos) << c.exponent;
        EXPECT_EQ(r.szDisplay, c.display) << c.exponent;
        EXPECT_EQ(r.szPrefix, c.prefix) << c.exponent;
        EXPECT_EQ(r.szUnit, "F");
    }
}

TEST_F(Tick, ResistanceInKiloOhmsUsesTheSymbolFace)
{
    tick("6.000", "4", fn::Ohm);
    EXPECT_EQ(r.iPointPos, 1);
    EXPECT_EQ(r.szDisplay, "60.00");
    EXPECT_EQ(r.szPrefix, "K");
    EXPECT_EQ(r.szUnit, "W");
    EXPECT_EQ(rc.digital.style.unitFace, LabelFace::Symbol);
    EXPECT_EQ(rc.digital.style.prefixFace, LabelFace::Arial);
}

TEST_F(Tick, TemperatureCutsTheUnitLetterAndShowsThreeDigits)
{
    tick(" .25C", "2", fn::Celsius);
    EXPECT_EQ(r.sValue, " .25");
    EXPECT_DOUBLE_EQ(r.fValue, 25.0);
    EXPECT_EQ(r.iPointPos, 2);
    EXPECT_EQ(r.szDisplay, "025");
    EXPECT_EQ(rc.digital.DataPanel, "025");
    EXPECT_EQ(rc.digital.UnitPanel, "");
    EXPECT_EQ(rc.digital.FuncPanel, "C");
    EXPECT_EQ(rc.digital.style.prefixFace, LabelFace::Symbol);
    EXPECT_EQ(rc.digital.style.prefixAlign, LabelAlign::Right);
    EXPECT_EQ(rc.digital.style.unitAlign, LabelAlign::Left);

    // A negative temperature whose first digit is blank is not a number.
    tick("- .10C", "2", fn::Celsius);
    EXPECT_EQ(r.sValue, "- .10");
    EXPECT_EQ(rc.digital.DataPanel, "- .10");
    EXPECT_EQ(r.szDisplay, "- .10");
    EXPECT_DOUBLE_EQ(r.fValue, 25.0) << "unchanged";
    EXPECT_FALSE(outcome.numeric);
}

TEST_F(Tick, TemperatureOverloadKeepsItsL)
{
    tick("OL", "2", fn::Fahrenheit);
    EXPECT_EQ(r.sValue, "OL");
    EXPECT_EQ(rc.digital.DataPanel, "OL");
    EXPECT_EQ(rc.analog.reading, 6500);
    EXPECT_EQ(rc.analog.scaleEnd, 6000);
    EXPECT_TRUE(outcome.comparatorUpdated);
    EXPECT_FLOAT_EQ(rc.comparator.reading, 15.0f);
}

TEST_F(Tick, FrequencyKeepsThePointPositionWhenTheTextIsNoNumber)
{
    tick("5.000", "1", fn::Frequency);
    EXPECT_EQ(r.iPointPos, 1);
    EXPECT_EQ(r.szDisplay, "50.00");
    EXPECT_EQ(r.szUnit, "Hz");
    tick("    ", "0", fn::Frequency);
    EXPECT_EQ(r.iPointPos, 1);
    EXPECT_DOUBLE_EQ(r.fValue, 5.0);
    EXPECT_EQ(rc.digital.DataPanel, "    ");
}

TEST_F(Tick, FunctionsWithoutANumberFormatShowDashes)
{
    tick("1.234", "-2", fn::VoltDC); // sets fValue and iPointPos first
    tick("1.234", "0", fn::VoltDCAC);
    EXPECT_EQ(rc.digital.DataPanel, "----");
    EXPECT_EQ(r.szDisplay, "1.234");
    EXPECT_EQ(rc.digital.pnlAcDc, "DC+AC");
    EXPECT_EQ(r.szUnit, "V");
    EXPECT_EQ(r.szPrefix, "");
    EXPECT_EQ(r.iPointPos, 1) << "unchanged";
    for (std::uint32_t f : {std::uint32_t(fn::VoltAmp), 3u, std::uint32_t(fn::AmpDCAC)}) {
        tick("2.000", "0", f);
        EXPECT_EQ(rc.digital.DataPanel, "----") << f;
    }
    EXPECT_EQ(rc.digital.pnlAcDc, "DC+AC") << "current DC+AC, ticked last";
}

TEST_F(Tick, BlankDisplayKeepsNumberAndNeedles)
{
    tick("1.234", "-2", fn::VoltDC);
    const AnalogValues before = rc.analog;
    const float comparatorBefore = rc.comparator.reading;
    tick("    ", "0", fn::VoltDC);
    EXPECT_EQ(rc.digital.DataPanel, "    ");
    EXPECT_DOUBLE_EQ(r.fValue, 1.234);
    EXPECT_EQ(rc.analog.reading, before.reading);
    EXPECT_EQ(rc.analog.scaleEnd, before.scaleEnd);
    EXPECT_EQ(rc.analog.pointPos, before.pointPos);
    EXPECT_FALSE(outcome.comparatorUpdated);
    EXPECT_EQ(rc.comparator.reading, comparatorBefore);
}

TEST_F(Tick, AnalogCountsAndScaleEnds)
{
    struct Case
    {
        const char *value;
        const char *exponent;
        int function;
        int reading, scaleEnd, pointPos;
        bool negative;
    } cases[] = {
        {"1.234", "-2", fn::VoltDC, 1234, 6000, 1, false},
        {"-1.234", "-2", fn::VoltDC, 1234, 6000, 1, true},
        {"3.000", "-1", fn::VoltAC, 3000, 6000, 2, false},
        {"1.000", "3", fn::Volt, 1000, 6000, 3, false}, // whole-number volts move the needle too
        {"1.000", "3", fn::VoltDC, 1000, 6000, 3, false},
        {" .25C", "2", fn::Celsius, 25, 2000, 2, false},
        {"5.000", "1", fn::Frequency, 5000, 10000, 1, false},
        {"1.234", "3", fn::Capacitance, 1234, 10000, 3, false},
        {"1.234", "-2", fn::Capacitance, 1234, 6000, 1, false},
        {"6.000", "4", fn::Ohm, 6000, 6000, 1, false},
        // "----" on the display, digits for the needle; iPointPos is still the resistance's
        {"1.234", "0", fn::VoltDCAC, 1234, 6000, 1, false},
    };
    for (const Case &c : cases) {
        tick(c.value, c.exponent, std::uint32_t(c.function));
        EXPECT_EQ(rc.analog.reading, c.reading) << c.value;
        EXPECT_EQ(rc.analog.scaleEnd, c.scaleEnd) << c.value;
        EXPECT_EQ(rc.analog.pointPos, c.pointPos) << c.value;
        EXPECT_EQ(rc.analog.negative, c.negative) << c.value;
        EXPECT_EQ(rc.analog.iFunction, c.function);
    }
}

TEST_F(Tick, OverloadPinsTheAnalogNeedleAndPlacesTheComparatorOutside)
{
    tick("O.L", "1", fn::Ohm, 10, 0);
    EXPECT_EQ(rc.digital.DataPanel, "O.L");
    EXPECT_EQ(rc.analog.scaleEnd, 6000);
    EXPECT_EQ(rc.analog.reading, 6500);
    EXPECT_EQ(rc.analog.pointPos, r.iPointPos);
    EXPECT_TRUE(outcome.comparatorUpdated);
    EXPECT_FLOAT_EQ(rc.comparator.reading, 15.0f);

    tick("-O.L", "1", fn::VoltDC, 10, 0);
    EXPECT_TRUE(rc.analog.negative);
    EXPECT_EQ(rc.analog.reading, 6500);
    EXPECT_FLOAT_EQ(rc.comparator.reading, -5.0f);
}

TEST_F(Tick, AReadingEqualToALimitAsBothAreShownIsAPass)
{
    // Limits that no float holds exactly, against readings from the display's text.
    struct Case
    {
        const char *value;
        const char *exponent;
        double hi, lo;
        const char *display;
        int tone;
        double angle; ///< 0: not checked
    } cases[] = {
        {"1.234", "-2", 12.34, 0.0, "12.34", 0, 70.0},        {"0.100", "0", 0.1, -1.0, "0.100", 0, 70.0},
        {"0.700", "0", 1.5, 0.7, "0.700", 0, 110.0},          {"-0.700", "0", -0.7, -1.5, "-0.700", 0, 70.0},
        {"1.235", "-2", 12.34, 0.0, "12.35", kHighTone, 0.0}, {"0.699", "0", 1.5, 0.7, "0.699", kLowTone, 0.0},
    };
    for (const Case &c : cases) {
        tick(c.value, c.exponent, fn::VoltDC, c.hi, c.lo);
        ASSERT_EQ(r.szDisplay, c.display);
        EXPECT_EQ(alarmFrequency(rc.comparator.reading, c.hi, c.lo), c.tone) << c.display;
        if (c.angle != 0.0) {
            EXPECT_NEAR(comparatorNeedleAngle(rc.comparator.reading, c.hi, c.lo), c.angle, 1e-4) << c.display;
        }
    }
}

TEST_F(Tick, LowBatteryIsSeenAndDoesNotChangeTheFunction)
{
    rc.takeFrame({QStringLiteral("1.234"), QStringLiteral("0"), fn::VoltDC | kModeLowBattery});
    EXPECT_TRUE(rc.lowBattery());
    EXPECT_EQ(r.iFunction, fn::VoltDC);
    rc.complete(10, 0);
    EXPECT_EQ(rc.digital.DataPanel, "1.234");
    EXPECT_EQ(r.szUnit, "V");
}

TEST_F(Tick, CommaLocaleChangesNothing)
{
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    const bool haveCommaLocale = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    tick("1.234", "-2", fn::VoltDC);
    EXPECT_EQ(r.szDisplay, "12.34");
    EXPECT_DOUBLE_EQ(r.fValue, 1.234);
    QLocale::setDefault(QLocale::c());
    std::setlocale(LC_ALL, previous.c_str());
    if (!haveCommaLocale)
        GTEST_SKIP() << "de_DE.UTF-8 is not installed";
}

} // namespace
} // namespace orvel
