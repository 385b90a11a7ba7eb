#include "meter/Getunitfuncstr.h"

#include "meter/FrameDecoder.h"

#include <gtest/gtest.h>

namespace orvel {
namespace {

int prefixExp(int function, int e)
{
    return GetRangePrefixExp(function, QString::number(e));
}

TEST(RangePrefix, VoltageHasMilliOnlyForTheTwoMillivoltExponents)
{
    for (int f : {fn::VoltAC, fn::VoltDC, fn::VoltDCAC}) {
        EXPECT_EQ(prefixExp(f, -2), -3);
        EXPECT_EQ(prefixExp(f, -1), -3);
        EXPECT_EQ(prefixExp(f, -3), 0) << "millivolts shown with the point after the first digit";
        EXPECT_EQ(prefixExp(f, 0), 0);
        EXPECT_EQ(prefixExp(f, 3), 0);
    }
    EXPECT_EQ(prefixExp(fn::Volt, -2), 0) << "voltage without an AC/DC mark never gets a prefix";
}

TEST(RangePrefix, CapacitanceCountsInMicrofarads)
{
    EXPECT_EQ(prefixExp(fn::Capacitance, -3), -9);
    EXPECT_EQ(prefixExp(fn::Capacitance, -2), -9); // 12.34 nF
    EXPECT_EQ(prefixExp(fn::Capacitance, -1), -9);
    EXPECT_EQ(prefixExp(fn::Capacitance, 0), -6);
    EXPECT_EQ(prefixExp(fn::Capacitance, 3), -6);
    EXPECT_EQ(prefixExp(fn::Capacitance, 4), 0);
    EXPECT_EQ(prefixExp(fn::Capacitance, -4), 0);
}

TEST(RangePrefix, ResistanceAndFrequencyRoundTowardZeroInThrees)
{
    for (int f : {fn::Ohm, fn::OhmFlag8, fn::Frequency}) {
        EXPECT_EQ(prefixExp(f, 7), 6);
        EXPECT_EQ(prefixExp(f, 4), 3); // 60.00 kilo-ohm
        EXPECT_EQ(prefixExp(f, 2), 0);
        EXPECT_EQ(prefixExp(f, -1), 0);
        EXPECT_EQ(prefixExp(f, -4), -3);
    }
}

TEST(RangePrefix, CurrentAndVoltAmperes)
{
    EXPECT_EQ(prefixExp(fn::AmpDC, -4), -6); // 600.0 microampere
    EXPECT_EQ(prefixExp(fn::AmpAC, -3), -6);
    EXPECT_EQ(prefixExp(fn::AmpDCAC, -2), -3);
    EXPECT_EQ(prefixExp(fn::AmpDC, -1), -3);
    EXPECT_EQ(prefixExp(fn::AmpDC, 0), 0);
    EXPECT_EQ(prefixExp(fn::AmpDC, -5), 0);
    EXPECT_EQ(prefixExp(fn::VoltAmp, 4), 3);
    EXPECT_EQ(prefixExp(fn::VoltAmp, 6), 3);
    EXPECT_EQ(prefixExp(fn::VoltAmp, 7), 0);
    EXPECT_EQ(prefixExp(fn::VoltAmp, 3), 0);
}

TEST(RangePrefix, TemperatureUnknownAndBadExponentsGetNone)
{
    for (int f : {fn::Celsius, fn::Fahrenheit, 0, 12345})
        EXPECT_EQ(prefixExp(f, -2), 0);
    EXPECT_EQ(GetRangePrefixExp(fn::Ohm, "x"), 0);
    EXPECT_EQ(GetRangePrefixExp(fn::Ohm, ""), 0);
}

TEST(PrefixLabel, LettersForTheFiveExponents)
{
    EXPECT_EQ(GetPrefixLabel(0, -9), "n");
    EXPECT_EQ(GetPrefixLabel(0, -6), "u");
    EXPECT_EQ(GetPrefixLabel(0, -3), "m");
    EXPECT_EQ(GetPrefixLabel(0, 0), "");
    EXPECT_EQ(GetPrefixLabel(0, 3), "K");
    EXPECT_EQ(GetPrefixLabel(0, 6), "M");
    EXPECT_EQ(GetPrefixLabel(0, 9), "");
    EXPECT_EQ(GetPrefixLabel(0, -12), "");
}

TEST(UnitLabel, ByFunctionIgnoringTheLowBattery)
{
    const std::pair<int, const char *> units[] = {{fn::Volt, "V"},
                                                  {fn::VoltAC, "V"},
                                                  {fn::VoltDC, "V"},
                                                  {fn::VoltDCAC, "V"},
                                                  {fn::Capacitance, "F"},
                                                  {fn::Celsius, "C"},
                                                  {fn::Fahrenheit, "F"},
                                                  {fn::Ohm, "W"},
                                                  {fn::OhmFlag8, "W"},
                                                  {fn::AmpAC, "A"},
                                                  {fn::AmpDC, "A"},
                                                  {fn::AmpDCAC, "A"},
                                                  {fn::VoltAmp, "VA"},
                                                  {fn::Frequency, "Hz"},
                                                  {0, ""},
                                                  {3, ""},
                                                  {2048, ""}};
    for (const auto &[function, unit] : units) {
        EXPECT_EQ(GetUnitLabel(std::uint32_t(function)), unit) << function;
        EXPECT_EQ(GetUnitLabel(std::uint32_t(function) | kModeLowBattery), unit) << function;
    }
}

TEST(LabelStyle, TemperatureAndResistanceAreDrawnDifferently)
{
    const LabelStyle plain = labelStyleFor(fn::VoltDC);
    EXPECT_EQ(plain.prefixFace, LabelFace::Arial);
    EXPECT_EQ(plain.prefixAlign, LabelAlign::Center);
    EXPECT_EQ(plain.unitFace, LabelFace::Arial);
    EXPECT_EQ(plain.unitAlign, LabelAlign::Center);
    for (int f : {fn::Celsius, fn::Fahrenheit}) {
        const LabelStyle t = labelStyleFor(f);
        EXPECT_EQ(t.prefixFace, LabelFace::Symbol);
        EXPECT_EQ(t.prefixAlign, LabelAlign::Right);
        EXPECT_EQ(t.unitFace, LabelFace::Arial);
        EXPECT_EQ(t.unitAlign, LabelAlign::Left);
    }
    for (int f : {fn::Ohm, fn::OhmFlag8}) {
        const LabelStyle o = labelStyleFor(f);
        EXPECT_EQ(o.unitFace, LabelFace::Symbol);
        EXPECT_EQ(o.unitAlign, LabelAlign::Center);
        EXPECT_EQ(o.prefixFace, LabelFace::Arial);
    }
}

} // namespace
} // namespace orvel
