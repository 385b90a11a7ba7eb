#include "recorder/Recovery.h"
#include "recorder/Tarecord.h"
#include "recorder/TempStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>

#include <sys/resource.h>

namespace orvel {
namespace {

TARecord sample(int i = 0)
{
    return TARecord(QStringLiteral("-1.234"), QStringLiteral("-3"), 6, QStringLiteral("  9:05:03.4  "),
                    QStringLiteral("-1.234"), QStringLiteral("m"), QStringLiteral("V"), -0.001234f * float(i + 1),
                    QStringLiteral("AUX"));
}

TEST(Tarecord, WritesEveryFieldAtItsOffsetLittleEndian)
{
    unsigned char b[kRecordSize];
    std::memset(b, 0xEE, sizeof b);
    TARecord r = sample();
    r.fReading = -2.5f; // 0xC0200000
    writeRecord(r, b);
    auto text = [&](int offset, int width) { return QByteArray(reinterpret_cast<const char *>(b) + offset, width); };
    EXPECT_EQ(text(0, 8), QByteArray("-1.234\0\0", 8));
    EXPECT_EQ(text(8, 4), QByteArray("-3\0\0", 4));
    EXPECT_EQ(text(12, 4), QByteArray("\x06\0\0\0", 4));
    EXPECT_EQ(text(16, 16), QByteArray("  9:05:03.4  \0\0\0", 16));
    EXPECT_EQ(text(32, 16), QByteArray("-1.234\0\0\0\0\0\0\0\0\0\0", 16));
    EXPECT_EQ(text(48, 8), QByteArray("m\0\0\0\0\0\0\0", 8));
    EXPECT_EQ(text(56, 8), QByteArray("V\0\0\0\0\0\0\0", 8));
    EXPECT_EQ(text(64, 4), QByteArray("\0\0\x20\xC0", 4));
    EXPECT_EQ(text(68, 8), QByteArray("AUX\0\0\0\0\0", 8));

    // A negative function code and the old 68-byte layout.
    r.iFunction = -2;
    writeRecord(r, b);
    EXPECT_EQ(text(12, 4), QByteArray("\xFE\xFF\xFF\xFF", 4));
    const TARecord old = readOldRecord(b);
    EXPECT_EQ(old.iFunction, -2);
    EXPECT_EQ(fieldText(old.szUnit), "V");
    EXPECT_EQ(fieldText(old.szAux), "") << "a .g51 record has no auxiliary text";
}

TEST(Tarecord, ReadsBackEveryByteAndTextsWithoutNulStayInTheirField)
{
    unsigned char b[kRecordSize];
    for (int i = 0; i < kRecordSize; ++i)
        b[i] = static_cast<unsigned char>('A' + i % 26); // no NUL anywhere
    const TARecord r = readRecord(b);
    EXPECT_EQ(fieldText(r.szValue), "ABCDEFGH");
    EXPECT_EQ(fieldText(r.szExponent), "IJKL");
    EXPECT_EQ(fieldText(r.szTime).size(), 16);
    EXPECT_EQ(fieldText(r.szAux).size(), 8);
    unsigned char again[kRecordSize];
    writeRecord(r, again);
    EXPECT_EQ(std::memcmp(b, again, kRecordSize), 0) << "a record saved again keeps its bytes";

    // A text too long for its field is cut so that a NUL still ends it.
    TARecord t;
    setFieldText(t.szValue, QStringLiteral("123456789"));
    EXPECT_EQ(fieldText(t.szValue), "1234567");
}

TEST(ReadingBuffer, KeepsRecordsInOrderInLittleMoreThanTheirOwnSize)
{
    ReadingBuffer buffer;
    constexpr int n = 100000;
    for (int i = 0; i < n; ++i)
        buffer.append(sample(i));
    ASSERT_EQ(buffer.count(), n);
    EXPECT_FLOAT_EQ(buffer.at(0).fReading, -0.001234f);
    EXPECT_FLOAT_EQ(buffer.at(n - 1).fReading, -0.001234f * n);
    EXPECT_LE(double(buffer.bytesReserved()), 1.1 * kRecordSize * n);
    buffer.clear();
    EXPECT_TRUE(buffer.isEmpty());
    EXPECT_EQ(buffer.bytesReserved(), 0u);
}

TEST(TemporaryStore, NumbersFilesPassesOverOthersAndDeletesOnlyItsOwn)
{
    QTemporaryDir dir;
    auto path = [&](int n) { return dir.filePath(QStringLiteral("~VORDL%1.TMP").arg(n)); };
    QFile left(path(2)); // a crashed run's recording
    ASSERT_TRUE(left.open(QIODevice::WriteOnly));
    left.write("kept");
    left.close();

    TemporaryStore store(QStringLiteral("~VORDL"));
    ASSERT_TRUE(store.open(dir.path()));
    EXPECT_EQ(store.currentPath(), path(1));
    ASSERT_TRUE(store.write(sample(0)));
    ASSERT_TRUE(store.write(sample(1)));
    ASSERT_TRUE(store.open(dir.path())) << "opening again closes the first file";
    EXPECT_EQ(store.count(), 3) << "the file a crashed run left is passed over";
    EXPECT_EQ(QFileInfo(path(1)).size(), 2 * kRecordSize);

    EXPECT_TRUE(store.deleteAll().isEmpty());
    for (int n : {1, 2, 3})
        EXPECT_EQ(QFile::exists(path(n)), n == 2) << n;

    TemporaryStore nowhere(QStringLiteral("~VORDL"));
    EXPECT_FALSE(nowhere.open(dir.filePath(QStringLiteral("missing/folder"))));
    EXPECT_FALSE(nowhere.errorText().isEmpty());
    EXPECT_FALSE(nowhere.write(sample()));
}

TEST(TemporaryStore, AWriteThatCannotCompleteIsReported)
{
    // A file size limit of 100 bytes stands in for a full disk: the second
    // record fits only in part, and the store must say so.
    QTemporaryDir dir;
    TemporaryStore store(QStringLiteral("~VORDL"));
    ASSERT_TRUE(store.open(dir.path()));
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto *previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool first = store.write(sample(0));
    const bool second = store.write(sample(1));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_TRUE(first);
    EXPECT_FALSE(second);
    EXPECT_TRUE(store.errorText().startsWith(store.currentPath())) << store.errorText().toStdString();
}

TEST(Recovery, OffersOnlyFilesWithReadingsThatNoRunningCopyWrites)
{
    QTemporaryDir dir;
    auto write = [&](const QString &name, int records) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        for (int i = 0; i < records; ++i) {
            TARecord r = sample(i);
            setFieldText(r.szTime, QString::asprintf("%3d:03:21.4  ", 9 + i)); // each reading later
            unsigned char b[kRecordSize];
            writeRecord(r, b);
            f.write(reinterpret_cast<const char *>(b), kRecordSize);
        }
    };
    write(QStringLiteral("~VORDL1.TMP"), 2);
    write(QStringLiteral("~VORDL2.TMP"), 0);          // nothing to recover
    write(QStringLiteral("other.TMP"), 3);            // not a temporary store file
    write(QStringLiteral("~VORDL1.TMP.bak"), 3);      // nor this
    TemporaryStore running(QStringLiteral("~VORDL")); // another copy, still recording
    ASSERT_TRUE(running.open(dir.path()));
    ASSERT_TRUE(running.write(sample(0)));

    const QList<InterruptedRecording> found = findInterruptedRecordings(dir.path(), QStringLiteral("~VORDL"));
    ASSERT_EQ(found.size(), 1);
    EXPECT_EQ(found[0].path, dir.filePath(QStringLiteral("~VORDL1.TMP")));
    EXPECT_EQ(found[0].records, 2);
    EXPECT_EQ(found[0].lastTime, QStringLiteral("10:03:21")) << "the last reading's time";

    running.close(); // that copy ended without deleting its file: now it is offered too
    EXPECT_EQ(findInterruptedRecordings(dir.path(), QStringLiteral("~VORDL")).size(), 2);
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("~VORDL2.TMP")))) << "nothing is deleted";
}

} // namespace
} // namespace orvel
