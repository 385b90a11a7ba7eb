#include "base/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <clocale>

namespace orvel {
namespace {

QStringList lines(std::initializer_list<const char *> texts)
{
    QStringList list;
    for (const char *t : texts)
        list.append(QString::fromUtf8(t));
    return list;
}

// Without the values given, checks for the three fallbacks.
void expectSettings(const SettingsValues &v, bool fallback = true, int port = 2, double hi = 300.0, double low = 100.0)
{
    EXPECT_EQ(v.usedFallback, fallback);
    EXPECT_EQ(v.iPort, port);
    EXPECT_EQ(v.fHiLimit, hi);
    EXPECT_EQ(v.fLowLimit, low);
}

TEST(SettingsLookup, FindsKeysInAnyLetterCase)
{
    expectSettings(parseSettings(lines({"IPORT=5", "fhilimit=12.5", "FLowLimit=-3"})), false, 5, 12.5, -3.0);
}

TEST(SettingsLookup, FirstLineOfAKeyWinsAndOtherLinesAreReadPast)
{
    expectSettings(parseSettings(lines({"; a comment", "[section]", "iPort=4", "iPort=7", "fHiLimit=1", "unknown=x",
                                        "fLowLimit=0", "garbage without equals"})),
                   false, 4, 1.0, 0.0);
}

TEST(SettingsLookup, ValueIsEverythingAfterTheFirstEqualsSign)
{
    EXPECT_EQ(settingsValue(lines({"a=b=c"}), "a"), "b=c");
    EXPECT_EQ(settingsValue(lines({"a="}), "a"), "");
    EXPECT_EQ(settingsValue(lines({"b=1"}), "a"), "");
}

TEST(SettingsFallback, OneHiddenOrUnreadableValueGivesAllThreeFallbacks)
{
    // Blanks around the equals sign hide a key. A valid port on the line before is still replaced.
    const QStringList rows[] = {
        lines({"iPort = 5", "fHiLimit=12.5", "fLowLimit=-3"}), lines({"iPort=5", "fHiLimit =12.5", "fLowLimit=-3"}),
        lines({"iPort=5", "fHiLimit=abc", "fLowLimit=1"}),     lines({"iPort=5", "fHiLimit=10", "fLowLimit="}),
        lines({"iPort=x", "fHiLimit=10", "fLowLimit=1"}),      lines({"fHiLimit=10", "fLowLimit=1"})};
    for (const QStringList &row : rows) {
        SCOPED_TRACE(row.join(' ').toStdString());
        expectSettings(parseSettings(row));
    }
}

TEST(SettingsFallback, MissingFileReadsLikeAnEmptyOne)
{
    expectSettings(parseSettings({}));
    QStringList read{"left over"};
    EXPECT_FALSE(readSettingsLines("/nonexistent/folder/ZEVDL.ini", read));
}

TEST(SettingsFallback, PortOutsideOneToEightIsUnreadable)
{
    for (const char *port : {"0", "9", "10", "-1", "2147483647"})
        expectSettings(parseSettings(lines({(std::string("iPort=") + port).c_str(), "fHiLimit=10", "fLowLimit=1"})));
    EXPECT_EQ(parseSettings(lines({"iPort=1", "fHiLimit=10", "fLowLimit=1"})).iPort, 1);
    EXPECT_EQ(parseSettings(lines({"iPort=8", "fHiLimit=10", "fLowLimit=1"})).iPort, 8);
}

TEST(SettingsFallback, FallbackLimitsAreOrdered)
{
    EXPECT_GT(kFallbackHiLimit, kFallbackLowLimit);
}

TEST(SettingsWrite, StoringIntoAnEmptyListGivesExactlyThreeLines)
{
    QStringList list;
    storeSettings(list, 3, 100.0, 2.5);
    EXPECT_EQ(list, lines({"iPort=3", "fHiLimit=100", "fLowLimit=2.5"}));
    storeSettings(list, 4, 1e-5, -7.0);
    EXPECT_EQ(list, lines({"iPort=4", "fHiLimit=1E-5", "fLowLimit=-7"}));
}

TEST(SettingsWrite, FileHasCrLfLinesAndReadsBack)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = settingsFilePath(dir.path());
    EXPECT_EQ(path, dir.path() + "/ZEVDL.ini");

    QStringList list;
    storeSettings(list, 6, 12.345, -0.5);
    ASSERT_TRUE(writeSettingsLines(path, list));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("iPort=6\r\nfHiLimit=12.345\r\nfLowLimit=-0.5\r\n"));

    QStringList read;
    ASSERT_TRUE(readSettingsLines(path, read));
    EXPECT_EQ(read, list);
    expectSettings(parseSettings(read), false, 6, 12.345, -0.5);
}

TEST(SettingsWrite, ReadsFilesWithBareLineFeeds)
{
    QTemporaryDir dir;
    QFile file(dir.filePath("ZEVDL.ini"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("iPort=7\nfHiLimit=1.5\nfLowLimit=0.5");
    file.close();
    QStringList read;
    ASSERT_TRUE(readSettingsLines(file.fileName(), read));
    expectSettings(parseSettings(read), false, 7, 1.5, 0.5);
}

TEST(SettingsWrite, FailureIsReportedAndLeavesNoPartialFile)
{
    QTemporaryDir dir;
    // A folder standing where the file should go cannot be replaced by a file.
    ASSERT_TRUE(QDir(dir.path()).mkdir("ZEVDL.ini"));
    QString error;
    EXPECT_FALSE(writeSettingsLines(settingsFilePath(dir.path()), lines({"iPort=1"}), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(QFileInfo(settingsFilePath(dir.path())).isDir());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 0);

    EXPECT_FALSE(writeSettingsLines(dir.filePath("missing/ZEVDL.ini"), lines({"iPort=1"}), &error));
}

TEST(SettingsWrite, DecimalPointIsAPointInEveryLocale)
{
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    const bool haveCommaLocale = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));

    QStringList list;
    storeSettings(list, 2, 2.5, -0.25);
    EXPECT_EQ(list, lines({"iPort=2", "fHiLimit=2.5", "fLowLimit=-0.25"}));
    expectSettings(parseSettings(list), false, 2, 2.5, -0.25);

    QLocale::setDefault(QLocale::c());
    std::setlocale(LC_ALL, previous.c_str());
    if (!haveCommaLocale)
        GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed; only Qt's default locale was switched";
}

} // namespace
} // namespace orvel
