#include "recorder/StoredValue.h"

#include "meter/FrameDecoder.h"
#include "meter/MeterReading.h"

#include <gtest/gtest.h>

namespace orvel {
namespace {

TMeterReading reading(const char *sValue, const char *sExponent, int function)
{
    TMeterReading r;
    r.sValue = QString::fromLatin1(sValue);
    r.sExponent = QString::fromLatin1(sExponent);
    r.iFunction = function;
    return r;
}

TEST(StoredValue, IsTheValueTextTimesTenToTheExponentInSinglePrecision)
{
    EXPECT_EQ(storedValue(reading("1.234", "-3", fn::VoltDC)), 0.001234f);
    EXPECT_EQ(storedValue(reading("-1.234", "-2", fn::VoltDC)), -0.01234f);
    EXPECT_EQ(storedValue(reading(" .25", "2", fn::Celsius)), 25.0f);
    EXPECT_EQ(storedValue(reading("6.000", "4", fn::Ohm)), 60000.0f);
    EXPECT_EQ(storedValue(reading("1.234", "0", fn::VoltDCAC)), 1.234f) << "no display format, still a number";
}

TEST(StoredValue, OverloadStoresTheFunctionsOverloadValue)
{
    EXPECT_EQ(storedValue(reading("-OL.", "1", fn::VoltDC)), -66.0f);
    EXPECT_EQ(storedValue(reading("O.L", "1", fn::VoltAC)), 66.0f);
    EXPECT_EQ(storedValue(reading("OL", "-2", fn::AmpDC)), float(6.6e-2));
    EXPECT_EQ(storedValue(reading("OL", "-2", fn::Capacitance)), float(5.5e-2));
    EXPECT_EQ(storedValue(reading("OL", "2", fn::Celsius)), 1100.0f);
    EXPECT_EQ(storedValue(reading("-OL", "2", fn::Fahrenheit)), -1100.0f);
    EXPECT_EQ(storedValue(reading(".OL", "6", fn::Ohm)), float(9.9e6));
    EXPECT_EQ(storedValue(reading("OL", "6", fn::OhmFlag8)), 1000.0f);
    EXPECT_EQ(storedValue(reading("OL", "3", fn::Frequency)), float(9.9e3));
    EXPECT_EQ(storedValue(reading("OL", "0", 2048)), 110.0f);
}

TEST(StoredValue, DropsWhatIsNeitherANumberNorAKnownOverload)
{
    EXPECT_FALSE(storedValue(reading("-OL.", "1", fn::VoltAmp)));
    EXPECT_FALSE(storedValue(reading("OL", "1", fn::Volt)));
    EXPECT_FALSE(storedValue(reading("    ", "0", fn::VoltDC)));
    EXPECT_FALSE(storedValue(reading("?.234", "0", fn::VoltDC)));
    EXPECT_FALSE(storedValue(reading("- .10", "2", fn::Celsius)));
    EXPECT_FALSE(storedValue(reading("1.234", "x", fn::VoltDC)));
}

TEST(TimeStamp, HourInThreeColumnsThenTenthsAndTwoBlanks)
{
    EXPECT_EQ(formatTimeStamp(QTime(9, 5, 3, 456)), "  9:05:03.4  ");
    EXPECT_EQ(formatTimeStamp(QTime(0, 0, 0, 999)), "  0:00:00.9  ");
    EXPECT_EQ(formatTimeStamp(QTime(23, 59, 59, 0)), " 23:59:59.0  ");
    EXPECT_EQ(formatTimeStamp(QTime(12, 0, 0, 99)), " 12:00:00.0  ");
    EXPECT_EQ(formatTimeStamp(QTime(9, 5, 3, 456)).size(), 13);
}

TEST(TimeStamp, ComesFromAnInjectedClock)
{
    const WallClock fixed = [] { return QTime(14, 30, 15, 250); };
    EXPECT_EQ(formatTimeStamp(fixed()), " 14:30:15.2  ");
    EXPECT_TRUE(localTimeNow().isValid());
}

} // namespace
} // namespace orvel
