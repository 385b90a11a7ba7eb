#include "export/ExportText.h"
#include "recorder/Tarecord.h"

#include <gtest/gtest.h>

#include <limits>

namespace orvel {
namespace {

TEST(ExportText, ReadingsWithSevenSignificantDigits)
{
    struct Row
    {
        float value;
        const char *text;
    };
    const Row rows[] = {
        {0.0f, "0"},
        {1.5f, "1.5"},
        {-2.0f, "-2"},
        {100.0f, "100"},
        {1.0f / 3.0f, "0.3333333"},
        {-0.001234f, "-0.001234"},
        {123456.7f, "123456.7"},
        {9999999.0f, "9999999"},
        {12345678.0f, "1.234568e+07"},
        {0.00001f, "0.00001"},
        {0.000001f, "1e-06"},
        {-1.5e-20f, "-1.5e-20"},
        {3.0e38f, "3e+38"},
        {std::numeric_limits<float>::infinity(), "INF"},
    };
    for (const Row &r : rows)
        EXPECT_EQ(exportNumber(r.value), QByteArray(r.text)) << r.text;
}

TEST(ExportText, LineWithAndWithoutAuxiliaryText)
{
    TARecord r(QStringLiteral("1.5"), QStringLiteral("0"), 6, QStringLiteral("  9:05:03.4  "), QStringLiteral("1.5"),
               QString(), QStringLiteral("V"), 1.5f, QString());
    QByteArray out;
    appendExportLine(out, r, 6);
    EXPECT_EQ(out, QByteArray("7,  9:05:03.4  ,1.5\r\n"));
    setFieldText(r.szAux, QStringLiteral("PF"));
    appendExportLine(out, r, 7);
    EXPECT_EQ(out, QByteArray("7,  9:05:03.4  ,1.5\r\n8,  9:05:03.4  ,1.5,PF\r\n"));
}

} // namespace
} // namespace orvel
