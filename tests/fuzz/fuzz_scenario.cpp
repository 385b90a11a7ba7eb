// The simulator's scenario files.
//
// Invariants: a scenario that parses has no more steps than lines, each
// repeated at least once, and every step's display encodes to a frame that the
// decoder takes back with the same annunciators; a scenario that does not parse
// says which line, and that line exists.

#include "meter/FrameDecoder.h"
#include "meter/Simulator.h"
#include "tests/fuzz/FuzzCheck.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <cstdint>

using namespace orvel;

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype lineCount = text.count(QLatin1Char('\n')) + 1;
    QString error;
    const auto steps = parseScenario(text, &error);
    if (!steps) {
        static const QRegularExpression lineNo(QStringLiteral("^line (\\d+): "));
        const auto m = lineNo.match(error);
        FUZZ_CHECK(m.hasMatch());
        const qsizetype n = m.captured(1).toLongLong();
        FUZZ_CHECK(n >= 1 && n <= lineCount);
        return 0;
    }
    FUZZ_CHECK(steps->size() <= lineCount);
    ScenarioPlayer player(*steps);
    for (const ScenarioStep &s : *steps) {
        FUZZ_CHECK(s.repeat >= 1);
        const auto frame = encodeFrame(s.display);
        FUZZ_CHECK(frame.has_value());
        const auto decoded = decodeFrame(*frame);
        FUZZ_CHECK(decoded.has_value());
        FUZZ_CHECK(((decoded->dwMode & kModeAC) != 0) == s.display.ac);
        FUZZ_CHECK(((decoded->dwMode & kModeDC) != 0) == s.display.dc);
        FUZZ_CHECK(((decoded->dwMode & kModeLowBattery) != 0) == s.display.lowBattery);
        player.next();
    }
    return 0;
}
