#include "recorder/Marks.h"
#include "recorder/Recording.h"
#include "tests/support/Records.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace orvel {
namespace {

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

/// Stores `n` readings, the k-th taken at 9:00:0k.
void store(Recording &rec, int n)
{
    const TMeterReading r = test::voltMeterReading(QStringLiteral("1.5"));
    for (int k = 0; k < n; ++k)
        rec.takeSample(r, QTime(9, 0, int(rec.buffer().count() % 60)));
}

TEST(MarksFile, AnyTextComesBackExactlyOnOneLine)
{
    const QString texts[] = {QString(),
                             QStringLiteral("load switched on"),
                             QStringLiteral("two\nlines\r\nand a tab\t"),
                             QStringLiteral("a, \"quoted\" comma; 'single'"),
                             QStringLiteral("back\\slash \\n \\t"),
                             QStringLiteral("Ωμ Temperatur 温度 😀"),
                             QStringLiteral("# not a comment")};
    MarkList marks;
    for (qsizetype i = 0; i < qsizetype(std::size(texts)); ++i)
        marks.add({i * 3, QStringLiteral("9:05:03.4"), i % 2 ? MarkKind::Alarm : MarkKind::User, texts[i]});
    const QByteArray file = marksFileText(marks, 0, 100);
    EXPECT_EQ(file.count('\n'), marks.size() + 1); // the comment, then one line a mark
    const MarksRead read = parseMarks(file, 100);
    EXPECT_EQ(read.skipped, 0) << read.problem.toStdString();
    EXPECT_EQ(read.marks.all(), marks.all());
    // Numbered from the file's first reading: a file of readings 4 to 6.
    EXPECT_TRUE(marksFileText(marks, 3, 3).endsWith("1\t9:05:03.4\talarm\tload switched on\n"));
}

TEST(MarksFile, LinesThatAreNoMarkAreNamedAndTheRestKept)
{
    struct Row
    {
        const char *text;
        const char *indexes; ///< the marks' readings, as read
        int badLine;
        const char *problem;
    };
    const Row rows[] = {
        {"# c\r\n\r\n2\tt\tuser\ta\r\n", "1", 0, ""},                       // comment, blank line, CR LF
        {"3\tt\tuser\tx\n1\tt\tuser\ty\n2\tt\talarm\tz\n", "0 1 2", 0, ""}, // out of order: put in order
        {"2\tt\tuser\ta\n2\tt\ttrigger\tb\n", "1 1", 0, ""},                // two marks on one reading
        {"4\tt\tuser\ta\n5\tt\tuser\tb\n", "3", 2, "beyond"},               // the 4 readings end at 4
        {"1\tt\tuser\n1\tt\tuser\ta\tb\n", "", 1, "four fields"},           // fields missing, a tab not escaped
        {"0\tt\tuser\ta\nx\tt\tuser\ta\n", "", 1, "no reading number"},
        {"1\tt\tnote\ta\n", "", 1, "no kind"},
        {"\x89PNG\r\n\x1a\n", "", 1, "four fields"}, // not a marks file at all
    };
    for (const Row &r : rows) {
        const MarksRead read = parseMarks(QByteArray(r.text), 4);
        QStringList indexes;
        for (const Mark &m : read.marks.all())
            indexes << QString::number(m.index);
        EXPECT_EQ(indexes.join(' '), QString::fromLatin1(r.indexes)) << r.text;
        EXPECT_EQ(read.badLine, r.badLine) << r.text;
        EXPECT_TRUE(read.problem.contains(QLatin1String(r.problem))) << r.text << read.problem.toStdString();
    }
}

TEST(Recording, MarksGoWithTheirReadingsIntoAndOutOfFiles)
{
    QTemporaryDir dir;
    Recording rec(QStringLiteral("~M"));
    store(rec, 5);
    EXPECT_EQ(rec.placeMark(5, MarkKind::User, QStringLiteral("none")).position, -1); // no reading 6
    EXPECT_EQ(rec.placeMark(4, MarkKind::User, QStringLiteral("last")).position, 0);
    EXPECT_EQ(rec.placeMark(0, MarkKind::User, QStringLiteral("first")).position, 0);
    EXPECT_EQ(rec.marks().at(1).time, QStringLiteral("9:00:04.0"));

    const QString path = dir.filePath(QStringLiteral("run.g52"));
    ASSERT_TRUE(rec.save(path));
    EXPECT_EQ(readFile(marksFilePath(path)).split('\n').mid(1, 2),
              (QByteArrayList{"1\t9:00:00.0\tuser\tfirst", "5\t9:00:04.0\tuser\tlast"}));
    rec.clear();
    EXPECT_TRUE(rec.marks().isEmpty());

    LoadJob job;
    EXPECT_EQ(rec.load(path, job).marksBadLine, 0);
    ASSERT_EQ(rec.marks().size(), 2);
    EXPECT_EQ(rec.marks().at(1).index, 4);

    // A save without marks leaves none of the earlier ones beside the file.
    rec.removeMark(1);
    rec.removeMark(0);
    ASSERT_TRUE(rec.save(path));
    EXPECT_FALSE(QFile::exists(marksFilePath(path)));
    // A damaged marks file: named, and the readings open anyway.
    QFile damaged(marksFilePath(path));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("5\tt\tuser\tok\n9\tt\tuser\tbeyond\n");
    damaged.close();
    const LoadResult loaded = rec.load(path, job);
    EXPECT_EQ(loaded.count, 5);
    EXPECT_EQ(loaded.marksBadLine, 2);
    EXPECT_EQ(rec.marks().size(), 1);
}

TEST(Recording, MarksAreWrittenThroughWhileRecording)
{
    QTemporaryDir dir;
    Recording rec(QStringLiteral("~M"));
    store(rec, 2); // before the recording: not in its temporary file
    ASSERT_TRUE(rec.start(dir.path()));
    store(rec, 3);
    const QString tmp = rec.temporaryStore().currentPath();
    const QString marks = marksFilePath(tmp);
    EXPECT_TRUE(rec.placeMark(0, MarkKind::User, QStringLiteral("older")).error.isEmpty());
    EXPECT_FALSE(QFile::exists(marks));
    rec.placeMark(3, MarkKind::User, QStringLiteral("second of the file"));
    EXPECT_TRUE(readFile(marks).endsWith("2\t9:00:03.0\tuser\tsecond of the file\n")); // at once, numbered in it
    rec.setMarkText(1, QStringLiteral("changed"));
    EXPECT_TRUE(readFile(marks).endsWith("2\t9:00:03.0\tuser\tchanged\n"));

    // Opened after a crash, the temporary file brings its marks along.
    Recording after(QStringLiteral("~N"));
    LoadJob job;
    after.load(tmp, job);
    ASSERT_EQ(after.marks().size(), 1);
    EXPECT_EQ(after.marks().at(0).index, 1);

    // A disk that is full: the recording goes on, the mark stays in memory, the message says so.
    rec.removeMark(1);
    EXPECT_FALSE(QFile::exists(marks));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/full"), marks));
    const MarkResult full = rec.placeMark(4, MarkKind::User, QStringLiteral("kept"));
    EXPECT_FALSE(full.error.isEmpty());
    EXPECT_EQ(rec.marks().at(full.position).text, QStringLiteral("kept"));
    EXPECT_TRUE(rec.state().bRecording);
    QFile::remove(marks);

    // At exit this run's temporary files go with their marks.
    rec.placeMark(4, MarkKind::User, QStringLiteral("again"));
    ASSERT_TRUE(QFile::exists(marks));
    rec.stop();
    rec.DeleteTemporaryStores();
    EXPECT_FALSE(QFile::exists(marks));
}

} // namespace
} // namespace orvel
