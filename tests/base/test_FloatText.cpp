#include "base/FloatText.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <clocale>
#include <limits>

namespace orvel {
namespace {

TEST(FloatToText, WritesUpToFifteenDigitsWithoutTrailingZeros)
{
    EXPECT_EQ(floatToText(100.0), "100");
    EXPECT_EQ(floatToText(2.5), "2.5");
    EXPECT_EQ(floatToText(-0.001), "-0.001");
    EXPECT_EQ(floatToText(0.0), "0");
    EXPECT_EQ(floatToText(0.1 + 0.2), "0.3");
    EXPECT_EQ(floatToText(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(floatToText(123456789012345.0), "123456789012345");
}

TEST(FloatToText, UsesExponentFormOnlyForVerySmallOrLargeMagnitudes)
{
    EXPECT_EQ(floatToText(0.0001), "0.0001");
    EXPECT_EQ(floatToText(0.00001), "1E-5");
    EXPECT_EQ(floatToText(-0.000025), "-2.5E-5");
    EXPECT_EQ(floatToText(1e15), "1E15");
    EXPECT_EQ(floatToText(1.5e20), "1.5E20");
    EXPECT_EQ(floatToText(1.25e-100), "1.25E-100");
}

TEST(TextToFloat, ReadsPointDecimalsAndRefusesEverythingElse)
{
    EXPECT_EQ(textToFloat("2.5"), 2.5);
    EXPECT_EQ(textToFloat(" -12.75 "), -12.75);
    EXPECT_EQ(textToFloat("1E-5"), 1e-5);
    EXPECT_EQ(textToFloat("300"), 300.0);
    EXPECT_FALSE(textToFloat(""));
    EXPECT_FALSE(textToFloat("abc"));
    EXPECT_FALSE(textToFloat("2,5"));
    EXPECT_FALSE(textToFloat("1,000"));
    EXPECT_FALSE(textToFloat("12abc"));
    EXPECT_FALSE(textToFloat("inf"));
    EXPECT_FALSE(textToFloat("nan"));
}

TEST(FormatC, FollowsCsPrintf)
{
    EXPECT_EQ(formatC("%05.*f", 2, 12.34), "12.34");
    EXPECT_EQ(formatC("%04.*f", 0, 6000.0), "6000");
    EXPECT_EQ(formatC("%05.*f", -1, 1.5), "1.500000") << "a negative precision is taken as missing";
    EXPECT_EQ(formatC("%3d:%02d:%02d.%-3d", 9, 5, 3, 4), "  9:05:03.4  ");
}

TEST(TextToInt, ReadsDecimalIntegersOnly)
{
    EXPECT_EQ(textToInt("5"), 5);
    EXPECT_EQ(textToInt(" -3 "), -3);
    EXPECT_FALSE(textToInt("5.0"));
    EXPECT_FALSE(textToInt("x"));
    EXPECT_FALSE(textToInt(""));
    EXPECT_FALSE(textToInt("99999999999"));
}

// A user whose locale writes decimals with a comma still gets "." both ways.
TEST(FloatText, IgnoresACommaDecimalLocale)
{
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    const bool haveCommaLocale = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    const QLocale previousQt;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));

    EXPECT_EQ(floatToText(2.5), "2.5");
    EXPECT_EQ(floatToText(1.5e20), "1.5E20");
    EXPECT_EQ(textToFloat("2.5"), 2.5);
    EXPECT_FALSE(textToFloat("2,5"));
    EXPECT_EQ(formatC("%05.1f|%06.*f|%03.0f", 2.5, 3, -0.012, 25.0), "002.5|-0.012|025");

    QLocale::setDefault(previousQt);
    std::setlocale(LC_ALL, previous.c_str());
    if (!haveCommaLocale)
        GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed; only Qt's default locale was switched";
}

TEST(ExportNumber, HasSevenSignificantDigitsAndItsOwnNotation)
{
    struct Row
    {
        float value;
        const char *text;
    };
    const Row rows[] = {
        {0.0f, "0"},
        {-0.0f, "0"},
        {1.0f, "1"},
        {1.234f, "1.234"},
        {-1.234f, "-1.234"},
        {0.001234f, "0.001234"},
        {100.0f, "100"},
        {12.5f, "12.5"},
        {1234567.0f, "1234567"},
        {9999999.0f, "9999999"},
        {12345678.0f, "1.234568e+07"},
        {1.0e7f, "1e+07"},
        {0.00001f, "0.00001"},
        {0.0000123456789f, "0.00001234568"},
        {0.000001f, "1e-06"},
        {-0.000001234f, "-1.234e-06"},
        {3.0e38f, "3e+38"},
        {1.0e-30f, "1e-30"},
        {0.1f, "0.1"},
        {1.0f / 3.0f, "0.3333333"},
        {123456.7f, "123456.7"},
        {-1.5e-20f, "-1.5e-20"},
        {std::numeric_limits<float>::infinity(), "INF"},
    };
    for (const Row &r : rows)
        EXPECT_EQ(exportNumber(r.value), QByteArray(r.text)) << r.text;
    EXPECT_EQ(exportNumber(std::numeric_limits<float>::quiet_NaN()), "NAN");
}

} // namespace
} // namespace orvel
