// orvel-cli decode's input: lines of hexadecimal bytes, one read a line.
//
// Invariants: the run ends with status 0 or 2; status 2 comes with a message
// on the error stream and 0 without one; every line that is read and is not a
// comment gives exactly one JSON line ({"ok":…}) on the output, in order.

#include "tests/fuzz/FuzzCheck.h"
#include "tools/Decode.h"

#include <QBuffer>
#include <QCoreApplication>

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer buffer(&input);
    buffer.open(QIODevice::ReadOnly);
    char *outText = nullptr, *errText = nullptr;
    std::size_t outSize = 0, errSize = 0;
    std::FILE *out = ::open_memstream(&outText, &outSize);
    std::FILE *err = ::open_memstream(&errText, &errSize);
    FUZZ_CHECK(out && err);
    const int status = orvel::cli::decodeReads(buffer, out, err);
    std::fclose(out);
    std::fclose(err);
    const QByteArray printed(outText, qsizetype(outSize));
    const QByteArray errors(errText, qsizetype(errSize));
    std::free(outText);
    std::free(errText);

    FUZZ_CHECK(status == 0 || status == 2);
    FUZZ_CHECK((status == 2) == !errors.isEmpty());

    // The lines the decoder took, as it splits them (a line feed ends one).
    qsizetype reads = 0;
    qsizetype start = 0;
    qsizetype lineNo = 0;
    while (start < input.size()) {
        qsizetype end = input.indexOf('\n', start);
        end = end < 0 ? input.size() : end + 1;
        ++lineNo;
        if (!input.mid(start, end - start).startsWith('#'))
            ++reads;
        start = end;
    }
    const QList<QByteArray> lines = printed.split('\n');
    FUZZ_CHECK(!printed.isEmpty() || lines.size() == 1);
    const qsizetype printedLines = printed.isEmpty() ? 0 : lines.size() - 1;
    FUZZ_CHECK(printed.isEmpty() || printed.endsWith('\n'));
    if (status == 0)
        FUZZ_CHECK(printedLines == reads);
    else
        FUZZ_CHECK(printedLines < reads); // the bad line printed nothing
    for (qsizetype i = 0; i < printedLines; ++i)
        FUZZ_CHECK(lines[i].startsWith("{\"ok\":") && lines[i].endsWith('}'));
    return 0;
}
