// A marks file beside a logger file, as Open and the start-up recovery read it.
//
// Invariants: the first input byte is the recording's length (0 … 255
// readings), the rest the file's text. No mark lies beyond the readings, the
// marks are in the order of their readings, a bad line is named exactly when
// one was left out, and the marks written out read back the same.

#include "recorder/Marks.h"
#include "tests/fuzz/FuzzCheck.h"

#include <QCoreApplication>

#include <cstdint>

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
    const qsizetype readings = data[0];
    const QByteArray text(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    const MarksRead read = parseMarks(text, readings);
    FUZZ_CHECK((read.skipped > 0) == (read.badLine > 0));
    FUZZ_CHECK(read.skipped == 0 || !read.problem.isEmpty());
    qsizetype previous = 0;
    for (const Mark &mark : read.marks.all()) {
        FUZZ_CHECK(mark.index >= 0 && mark.index < readings);
        FUZZ_CHECK(mark.index >= previous);
        previous = mark.index;
    }
    const MarksRead again = parseMarks(marksFileText(read.marks, 0, readings), readings);
    FUZZ_CHECK(again.skipped == 0);
    FUZZ_CHECK(again.marks.all() == read.marks.all());
    return 0;
}
