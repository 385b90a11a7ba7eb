// Logger data files (".g52", and ".g51" when the first byte is odd) loaded as
// the recorder loads them, then exported as text.
//
// Invariants: a loaded file gives exactly its whole records (a trailing part
// shorter than a record is left out), each written back to the same 76 bytes
// when it came from a ".g52" (control characters in texts read as blanks); the export of what was loaded has exactly
// one line a record, each ended by CR LF and numbered in order from 1. Its
// statistics, whatever its times say, judge every step between readings with a
// readable time as an interval (never below zero) or out of order, and the
// block summaries give what a walk gives.

#include "export/ExportText.h"
#include "recorder/LoggerFile.h"
#include "recorder/Pages.h"
#include "recorder/Statistics.h"
#include "tests/fuzz/FuzzCheck.h"

#include <QCoreApplication>

#include <cstdint>
#include <cstring>

using namespace orvel;

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const bool old = data[0] & 1;
    const QByteArray bytes(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    const QString path = fuzz::scratchFile(bytes, old ? QStringLiteral(".g51") : QStringLiteral(".g52"));
    const qsizetype recordBytes = old ? 68 : kRecordSize;

    ReadingBuffer buffer;
    QString error;
    FUZZ_CHECK(loadLoggerFile(path, buffer, &error));
    FUZZ_CHECK(buffer.count() == bytes.size() / recordBytes);
    if (!old) {
        // Written back, a record keeps its bytes, but for control characters in
        // its texts, which read as blanks.
        unsigned char again[kRecordSize];
        for (qsizetype i = 0; i < buffer.count(); ++i) {
            writeRecord(buffer.at(i), again);
            const QByteArray expected = bytes.mid(i * kRecordSize, kRecordSize);
            for (int k = 0; k < kRecordSize; ++k)
                FUZZ_CHECK(again[k] == std::uint8_t(expected[k]) || again[k] == ' ');
        }
    }

    const int last = pageCount(buffer.count());
    const QByteArray text = exportText(buffer, 1, last);
    FUZZ_CHECK(text.count("\r\n") == buffer.count());
    FUZZ_CHECK(text.isEmpty() || text.endsWith("\r\n"));
    qsizetype at = 0;
    for (qsizetype i = 0; i < buffer.count(); ++i) {
        const qsizetype end = text.indexOf("\r\n", at);
        FUZZ_CHECK(end >= 0);
        const QByteArray line = text.mid(at, end - at);
        FUZZ_CHECK(!line.contains('\n') && !line.contains('\r'));
        FUZZ_CHECK(line.startsWith(QByteArray::number(i + 1) + ','));
        at = end + 2;
    }
    FUZZ_CHECK(at == text.size());

    const StatsLimits limits{1.0, 0.0};
    const ReadingStats walked = walkStats(buffer, 0, buffer.count(), limits);
    const qsizetype timed = buffer.count() - walked.unreadableTimes;
    FUZZ_CHECK(walked.intervals.count() + walked.outOfOrder == std::max<qsizetype>(timed - 1, 0));
    FUZZ_CHECK(walked.coveredTenths >= 0 && walked.shortestTenths >= -1 && walked.intervals.median() >= -1);
    StatisticsIndex index;
    index.update(buffer, limits);
    const ReadingStats ranged = index.range(buffer, 1, buffer.count());
    const ReadingStats tail = walkStats(buffer, 1, buffer.count(), limits);
    FUZZ_CHECK(ranged.intervals.count() == tail.intervals.count() && ranged.coveredTenths == tail.coveredTenths);
    FUZZ_CHECK(statsLines(buffer, walked, limits, {}).size() >= 1);
    return 0;
}
