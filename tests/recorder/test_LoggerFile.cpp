#include "recorder/LoggerFile.h"

#include "base/WholeFile.h"
#include "export/ExportText.h"
#include "recorder/Pages.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>

#include <sys/resource.h>

namespace orvel {
namespace {

TARecord reading(int i)
{
    return TARecord(QStringLiteral("%1").arg(i), QStringLiteral("-3"), 6, QStringLiteral("  9:05:03.4  "),
                    QStringLiteral("%1").arg(i), QStringLiteral("m"), QStringLiteral("V"), float(i) * 0.001f,
                    i % 3 ? QString() : QStringLiteral("x"));
}

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// A damaged or foreign file with line breaks and other control characters in
// its texts: they read as blanks, so its export still has one line a record.
TEST(LoggerFile, ControlCharactersInTextsReadAsBlanks)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("damaged.g52");
    unsigned char bytes[2 * kRecordSize];
    writeRecord(reading(1), bytes);
    writeRecord(reading(2), bytes + kRecordSize);
    std::memcpy(bytes + 16, "\r\n9:05\n\t", 8);           // the first record's time
    std::memcpy(bytes + kRecordSize + 68, "a\nb\x7f", 5); // the second record's auxiliary text
    writeBytes(path, QByteArray(reinterpret_cast<const char *>(bytes), sizeof bytes));

    ReadingBuffer buffer;
    ASSERT_TRUE(loadLoggerFile(path, buffer));
    ASSERT_EQ(buffer.count(), 2);
    EXPECT_EQ(fieldText(buffer.at(0).szTime), "  9:05  3.4  ");
    EXPECT_EQ(fieldText(buffer.at(1).szAux), "a b ");
    const QByteArray text = exportText(buffer, 1, pageCount(2));
    EXPECT_EQ(text.count('\n'), 2) << text.constData();
    EXPECT_EQ(text.count('\r'), 2) << text.constData();
}

TEST(LoggerFile, SaveOpenSaveKeepsEveryByteAndTheTailIsIgnored)
{
    QTemporaryDir dir;
    ReadingBuffer buffer;
    for (int i = 0; i < 401; ++i)
        buffer.append(reading(i));
    const QString first = dir.filePath(QStringLiteral("a.g52"));
    ASSERT_TRUE(saveLoggerFile(first, buffer));
    EXPECT_EQ(bytesOf(first).size(), 401 * kRecordSize);

    // A file with a partial record at its end, and fields without a NUL.
    QByteArray bytes = bytesOf(first);
    std::memset(bytes.data() + 16, 'T', 16); // szTime of record 0 fills its field
    bytes.append("partial");
    const QString odd = dir.filePath(QStringLiteral("b.TMP"));
    writeBytes(odd, bytes);
    ReadingBuffer loaded;
    ASSERT_TRUE(loadLoggerFile(odd, loaded));
    ASSERT_EQ(loaded.count(), 401);
    EXPECT_EQ(fieldText(loaded.at(0).szTime), QString(16, QLatin1Char('T')));
    EXPECT_EQ(fieldText(loaded.at(400).szDisplay), QStringLiteral("400"));
    const QString again = dir.filePath(QStringLiteral("c.g52"));
    ASSERT_TRUE(saveLoggerFile(again, loaded));
    EXPECT_EQ(bytesOf(again), bytes.left(401 * kRecordSize));

    ReadingBuffer none;
    writeBytes(dir.filePath(QStringLiteral("empty.g52")), QByteArray());
    EXPECT_TRUE(loadLoggerFile(dir.filePath(QStringLiteral("empty.g52")), none));
    EXPECT_EQ(none.count(), 0);
    QString why;
    EXPECT_FALSE(loadLoggerFile(dir.filePath(QStringLiteral("missing.g52")), none, &why));
    EXPECT_FALSE(why.isEmpty());
}

TEST(LoggerFile, OldFilesAreChosenByTheirExtensionInAnyCase)
{
    struct Row
    {
        const char *path;
        bool old;
    };
    const Row rows[] = {{"/data/run.g51", true},      {"/DATA/RUN.G51", true},
                        {"/data/run.g52", false},     {"/data.g51backup/run.g52", false},
                        {"/data/run.g51.tmp", false}, {"/data/~VORDL1.TMP", false}};
    for (const Row &r : rows)
        EXPECT_EQ(isOldLoggerFile(QString::fromLatin1(r.path)), r.old) << r.path;

    // 68-byte records become 76-byte ones with an empty auxiliary text.
    QTemporaryDir dir;
    QByteArray old;
    for (int i = 0; i < 3; ++i) {
        unsigned char b[kRecordSize];
        writeRecord(reading(i * 3), b); // every one has an auxiliary text
        old.append(reinterpret_cast<const char *>(b), kOldRecordSize);
    }
    const QString path = dir.filePath(QStringLiteral("RUN.G51"));
    writeBytes(path, old);
    ReadingBuffer loaded;
    ASSERT_TRUE(loadLoggerFile(path, loaded));
    ASSERT_EQ(loaded.count(), 3);
    EXPECT_EQ(fieldText(loaded.at(2).szDisplay), QStringLiteral("6"));
    EXPECT_EQ(fieldText(loaded.at(2).szAux), QString());
}

TEST(LoggerFile, AFailedSaveLeavesThePreviousFileAsItWas)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("run.g52"));
    writeBytes(path, QByteArray("previous recording"));
    ReadingBuffer buffer;
    for (int i = 0; i < 100; ++i)
        buffer.append(reading(i));

    // The write fails part-way: a file size limit stands in for a full disk.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto *previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    QString why;
    const bool saved1 = saveLoggerFile(path, buffer, &why);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_FALSE(saved1);
    EXPECT_FALSE(why.isEmpty());
    EXPECT_EQ(bytesOf(path), QByteArray("previous recording"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"run.g52"}) << "no temporary file is left";

    // Every byte written, but the final rename is refused: a folder took the name meanwhile.
    const QString taken = dir.filePath(QStringLiteral("taken.g52"));
    why.clear();
    EXPECT_FALSE(writeWholeFile(
        taken, [&](const ByteSink &sink) { return sink("x", 1) && QDir().mkpath(taken + "/x"); }, &why));
    EXPECT_FALSE(why.isEmpty());

    // A folder where nothing can be written (sysfs refuses new files even to root).
    EXPECT_FALSE(saveLoggerFile(QStringLiteral("/sys/orvel-test.g52"), buffer));
    EXPECT_FALSE(saveLoggerFile(dir.filePath(QStringLiteral("no/such/folder/run.g52")), buffer));
}

} // namespace
} // namespace orvel
