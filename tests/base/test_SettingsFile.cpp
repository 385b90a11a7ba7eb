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

void expectFallback(const SettingsValues &v)
{
    EXPECT_TRUE(v.usedFallback);
    EXPECT_EQ(v.iPort, 2);
    EXPECT_EQ(v.fHiLimit, 300.0);
    EXPECT_EQ(v.fLowLimit, 100.0);
}

TEST(SettingsLookup, FindsKeysInAnyLetterCase)
{
    const auto v = parseSettings(lines({"IPORT=5", "fhilimit=12.5", "FLowLimit=-3"}));
    EXPECT_FALSE(v.usedFallback);
    EXPECT_EQ(v.iPort, 5);
    EXPECT_EQ(v.fHiLimit, 12.5);
    EXPECT_EQ(v.fLowLimit, -3.0);
}

TEST(SettingsLookup, BlanksAroundTheEqualsSignHideTheKey)
{
    expectFallback(parseSettings(lines({"iPort = 5", "fHiLimit=12.5", "fLowLimit=-3"})));
    expectFallback(parseSettings(lines({"iPort=5", "fHiLimit =12.5", "fLowLimit=-3"})));
}

TEST(SettingsLookup, FirstLineOfAKeyWinsAndOtherLinesAreReadPast)
{
    const auto v = parseSettings(lines({"; a comment", "[section]", "iPort=4", "iPort=7", "fHiLimit=1", "unknown=x",
                                        "fLowLimit=0", "garbage without equals"}));
    EXPECT_EQ(v.iPort, 4);
    EXPECT_EQ(v.fHiLimit, 1.0);
    EXPECT_EQ(v.fLowLimit, 0.0);
}

TEST(SettingsLookup, ValueIsEverythingAfterTheFirstEqualsSign)
{
    EXPECT_EQ(settingsValue(lines({"a=b=c"}), "a"), "b=c");
    EXPECT_EQ(settingsValue(lines({"a="}), "a"), "");
    EXPECT_EQ(settingsValue(lines({"b=1"}), "a"), "");
}

TEST(SettingsFallback, OneUnreadableValueGivesAllThreeFallbacks)
{
    // The port on the line before is valid but is still replaced.
    expectFallback(parseSettings(lines({"iPort=5", "fHiLimit=abc", "fLowLimit=1"})));
    expectFallback(parseSettings(lines({"iPort=5", "fHiLimit=10", "fLowLimit="})));
    expectFallback(parseSettings(lines({"iPort=x", "fHiLimit=10", "fLowLimit=1"})));
    expectFallback(parseSettings(lines({"fHiLimit=10", "fLowLimit=1"})));
}

TEST(SettingsFallback, MissingFileReadsLikeAnEmptyOne)
{
    expectFallback(parseSettings({}));
    QStringList read{"left over"};
    EXPECT_FALSE(readSettingsLines("/nonexistent/folder/ZEVDL.ini", read));
}

TEST(SettingsFallback, PortOutsideOneToEightIsUnreadable)
{
    for (const char *port : {"0", "9", "10", "-1", "2147483647"})
        expectFallback(parseSettings(lines({(std::string("iPort=") + port).c_str(), "fHiLimit=10", "fLowLimit=1"})));
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
    const auto v = parseSettings(read);
    EXPECT_EQ(v.iPort, 6);
    EXPECT_EQ(v.fHiLimit, 12.345);
    EXPECT_EQ(v.fLowLimit, -0.5);
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
    EXPECT_EQ(parseSettings(read).iPort, 7);
    EXPECT_EQ(parseSettings(read).fLowLimit, 0.5);
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
    const auto v = parseSettings(list);
    EXPECT_FALSE(v.usedFallback);
    EXPECT_EQ(v.fHiLimit, 2.5);
    EXPECT_EQ(v.fLowLimit, -0.25);

    QLocale::setDefault(QLocale::c());
    std::setlocale(LC_ALL, previous.c_str());
    if (!haveCommaLocale)
        GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed; only Qt's default locale was switched";
}

} // namespace
} // namespace orvel
