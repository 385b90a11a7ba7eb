#include "export/ExportText.h"
#include "recorder/Pages.h"
#include "recorder/Tarecord.h"
#include "tests/support/Records.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace orvel {
namespace {

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

TEST(ExportText, LinesAndPageRanges)
{
    ReadingBuffer buffer;
    for (int i = 0; i < 450; ++i)
        buffer.append(test::voltReading(float(i) / 4, QStringLiteral("  9:05:03.4  "), {},
                                        i == 7 ? QStringLiteral("0.87") : QString()));
    const QByteArray all = exportText(buffer, 1, 3);
    EXPECT_EQ(all.count("\r\n"), 450);
    EXPECT_TRUE(all.startsWith("1,  9:05:03.4  ,0\r\n2,  9:05:03.4  ,0.25\r\n"));
    EXPECT_TRUE(all.contains("\r\n8,  9:05:03.4  ,1.75,0.87\r\n"));
    EXPECT_TRUE(all.endsWith("450,  9:05:03.4  ,112.25\r\n"));

    const QByteArray page2 = exportText(buffer, 2, 2);
    EXPECT_EQ(page2.count("\r\n"), 200);
    EXPECT_TRUE(page2.startsWith("51,"));
    EXPECT_TRUE(page2.contains("\r\n250,"));
    EXPECT_FALSE(page2.contains("\r\n251,"));
    EXPECT_EQ(exportText(buffer, 1, 1).count("\r\n"), 50);
    EXPECT_TRUE(exportText(buffer, 3, 2).isEmpty()) << "From after To gives nothing";
    EXPECT_TRUE(exportText(ReadingBuffer(), 1, 1).isEmpty());

    // Written a megabyte at a time, pages 2 on of 60000 readings are the text line by line.
    for (int i = 450; i < 60000; ++i)
        buffer.append(test::voltReading(float(i) / 4, QStringLiteral("  9:05:03.4  ")));
    QTemporaryDir dir;
    const int last = pageCount(buffer.count());
    ASSERT_TRUE(writeExportText(dir.filePath("all.csv"), buffer, 2, last));
    QFile file(dir.filePath("all.csv"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), exportText(buffer, 2, last));
}

} // namespace
} // namespace orvel
