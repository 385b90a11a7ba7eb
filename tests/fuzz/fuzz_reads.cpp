// The meter's reads, as the acquisition tick gets them: the input is a series
// of reads (a length byte, then up to 15 bytes). Each read goes through the
// tick's own path (frameOfRead, decodeFrame, the reading's computation) and
// through AcquisitionCycle::finishTick.
//
// Invariants: a decoded frame's value text has one of the decoder's shapes and
// its exponent is a small whole number; the mode word has only the known bits;
// a computed reading's display text is at most 18 characters, and a record
// made of it keeps its value, exponent, prefix and unit texts whole; what the
// digital meter shows is the display text, the value text or "----"; the stored value is a finite
// number; a read of 1..14 bytes decodes exactly as the last full frame did.

#include "meter/Acquisition.h"
#include "meter/FrameDecoder.h"
#include "meter/MeterReading.h"
#include "recorder/StoredValue.h"
#include "recorder/Tarecord.h"
#include "tests/fuzz/FuzzCheck.h"

#include <QCoreApplication>

#include <cmath>
#include <cstdint>

using namespace orvel;

namespace {

constexpr std::uint32_t kKnownBits = kModeAC | kModeDC | kModeVolt | kModeFarad | kModeCelsius | kModeFahrenheit |
                                     kModeOhm | kModeFlag8 | kModeAmp | kModeHertz | kModeFlag13 | kModeLowBattery;

bool segmentChar(QChar c)
{
    for (char s : segmentCharacters())
        if (c == QLatin1Char(s))
            return true;
    return c == QLatin1Char('?');
}

// The decoder's value texts: four digits with the point after the first, an
// overload text or four blanks.
bool valueShape(const QString &v)
{
    return v == QLatin1String("OL") || v == QLatin1String("OL.") || v == QLatin1String("O.L") ||
           v == QLatin1String(".OL") || v == QLatin1String("    ") ||
           (v.size() == 5 && v[1] == QLatin1Char('.') && segmentChar(v[0]) && segmentChar(v[2]) && segmentChar(v[3]) &&
            segmentChar(v[4]));
}

void checkDecoded(const DecodedFrame &d)
{
    // A leading "-" is the sign, or the first digit showing a dash.
    FUZZ_CHECK(valueShape(d.sValue) || (d.sValue.startsWith(QLatin1Char('-')) && valueShape(d.sValue.mid(1))));
    bool ok = false;
    const int e = d.sExponent.toInt(&ok);
    FUZZ_CHECK(ok && e >= -9 && e <= 15); // prefix -9 .. 6, point 0 .. 3, microfarads + 6
    FUZZ_CHECK((d.dwMode & ~kKnownBits) == 0);
}

void checkComputed(const ReadingComputation &tick)
{
    const TMeterReading &r = tick.MeterReading;
    // The widest display a frame can bring: the sign, ten digits, the point and
    // C's six decimals of a negative precision ("-9999000000.000000", -9.999 V at 10^9).
    FUZZ_CHECK(r.szDisplay.size() <= 18);
    // A stored reading keeps its value, exponent, prefix and unit whole.
    const TARecord stored(r.sValue, r.sExponent, r.iFunction, QString(), r.szDisplay, r.szPrefix, r.szUnit, 0.0f,
                          r.sAux);
    FUZZ_CHECK(fieldText(stored.szValue) == r.sValue);
    FUZZ_CHECK(fieldText(stored.szExponent) == r.sExponent);
    FUZZ_CHECK(fieldText(stored.szPrefix) == r.szPrefix);
    FUZZ_CHECK(fieldText(stored.szUnit) == r.szUnit);
    FUZZ_CHECK(fieldText(stored.szDisplay) == r.szDisplay.left(15));
    const QString &shown = tick.digital.DataPanel;
    FUZZ_CHECK(shown == r.szDisplay || shown == r.sValue || shown == QLatin1String("----"));
    const QString &mark = tick.digital.pnlAcDc;
    FUZZ_CHECK(mark.isEmpty() || mark == QLatin1String("AC") || mark == QLatin1String("DC") ||
               mark == QLatin1String("DC+AC"));
    FUZZ_CHECK(r.iFunction == functionOf(r.dwMode));
    if (const auto value = storedValue(r))
        FUZZ_CHECK(std::isfinite(*value));
    FUZZ_CHECK(std::isfinite(r.fValue));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    Frame lastFrame{};
    std::optional<DecodedFrame> lastDecoded;
    bool haveFull = false;
    ReadingComputation tick;
    AcquisitionCycle cycle;
    int endedTicks = 0;
    QObject::connect(&cycle, &AcquisitionCycle::tickEnded, [&](bool) { ++endedTicks; });
    int ticks = 0;

    std::size_t at = 0;
    while (at < size) {
        const int length = data[at++] % 16;
        const int count = int(std::min<std::size_t>(std::size_t(length), size - at));
        const std::uint8_t *bytes = data + at;
        at += std::size_t(count);

        const auto frame = frameOfRead(bytes, count, lastFrame);
        FUZZ_CHECK(frame.has_value() == (count > 0));
        const auto decoded = frame ? decodeFrame(*frame) : std::nullopt;
        if (count == kFrameSize) {
            haveFull = true;
            lastDecoded = decoded;
        } else if (count > 0) {
            // A short read stands for the last full frame (the all-zero one before any).
            FUZZ_CHECK(decoded.has_value() == (haveFull && lastDecoded.has_value()));
            if (decoded && lastDecoded)
                FUZZ_CHECK(decoded->sValue == lastDecoded->sValue && decoded->sExponent == lastDecoded->sExponent &&
                           decoded->dwMode == lastDecoded->dwMode);
        }
        if (decoded) {
            checkDecoded(*decoded);
            tick.takeFrame(*decoded);
            tick.complete(300.0, 100.0);
            checkComputed(tick);
        }

        cycle.finishTick(count, QByteArray(reinterpret_cast<const char *>(bytes), count));
        ++ticks;
        FUZZ_CHECK(endedTicks == ticks);
        FUZZ_CHECK(cycle.iNoDataCount >= 0 && cycle.iNoDataCount < kNoDataWarningEvery);
        checkComputed(cycle.computation);
    }
    return 0;
}
