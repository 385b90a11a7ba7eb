#include "meter/Getunitfuncstr.h"

#include "meter/FrameDecoder.h"

#include <gtest/gtest.h>

namespace orvel {
namespace {

int prefixExp(int function, int e)
{
    return GetRangePrefixExp(function, QString::number(e));
}

// The prefix exponent each function shows for the exponents of its ranges.
TEST(RangePrefix, ByFunctionAndExponent)
{
    const struct
    {
        std::vector<int> functions;
        std::vector<std::pair<int, int>> exponentAndPrefix;
    } cases[] = {
        // Voltage has milli only for the two millivolt exponents; at -3 millivolts are shown with the point after
        // the first digit.
        {{fn::VoltAC, fn::VoltDC, fn::VoltDCAC}, {{-2, -3}, {-1, -3}, {-3, 0}, {0, 0}, {3, 0}}},
        {{fn::Volt}, {{-2, 0}}}, // voltage without an AC/DC mark never gets a prefix
        // Capacitance counts in microfarads: 12.34 nF at -2.
        {{fn::Capacitance}, {{-3, -9}, {-2, -9}, {-1, -9}, {0, -6}, {3, -6}, {4, 0}, {-4, 0}}},
        // Resistance and frequency round toward zero in threes: 60.00 kilo-ohm at 4.
        {{fn::Ohm, fn::OhmFlag8, fn::Frequency}, {{7, 6}, {4, 3}, {2, 0}, {-1, 0}, {-4, -3}}},
        // Current (600.0 microampere at -4) and volt-amperes.
        {{fn::AmpDC}, {{-4, -6}, {-1, -3}, {0, 0}, {-5, 0}}},
        {{fn::AmpAC}, {{-3, -6}}},
        {{fn::AmpDCAC}, {{-2, -3}}},
        {{fn::VoltAmp}, {{4, 3}, {6, 3}, {7, 0}, {3, 0}}},
        // Temperature and unknown functions get none.
        {{fn::Celsius, fn::Fahrenheit, 0, 12345}, {{-2, 0}}},
    };
    for (const auto &c : cases) {
        for (int f : c.functions) {
            for (const auto &[exponent, prefix] : c.exponentAndPrefix)
                EXPECT_EQ(prefixExp(f, exponent), prefix) << "function " << f << ", exponent " << exponent;
        }
    }
    // Exponents that are no number get none.
    EXPECT_EQ(GetRangePrefixExp(fn::Ohm, "x"), 0);
    EXPECT_EQ(GetRangePrefixExp(fn::Ohm, ""), 0);
}

TEST(PrefixLabel, LettersForTheFiveExponents)
{
    const std::pair<int, const char *> labels[] = {{-9, "n"}, {-6, "u"}, {-3, "m"}, {0, ""},
                                                   {3, "K"},  {6, "M"},  {9, ""},   {-12, ""}};
    for (const auto &[exponent, label] : labels)
        EXPECT_EQ(GetPrefixLabel(0, exponent), label) << exponent;
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
