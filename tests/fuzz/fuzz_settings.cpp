// The settings file (ZEVDL.ini) as the program reads it at start-up.
//
// Invariants: either all three fallbacks apply together, or the port is 1..8
// and both limits are finite numbers; values that were read, written back by
// storeSettings, read back the same within the 15 digits written, and exactly
// from the second time on; setting a key then reading it gives the value set.

#include "base/SettingsFile.h"
#include "tests/fuzz/FuzzCheck.h"

#include <QCoreApplication>

#include <cmath>
#include <cstdint>

using namespace orvel;

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString path =
        fuzz::scratchFile(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)), QStringLiteral(".ini"));
    QStringList lines;
    FUZZ_CHECK(readSettingsLines(path, lines));
    const SettingsValues v = parseSettings(lines);
    if (v.usedFallback) {
        FUZZ_CHECK(v.iPort == kFallbackPort && v.fHiLimit == kFallbackHiLimit && v.fLowLimit == kFallbackLowLimit);
    } else {
        FUZZ_CHECK(v.iPort >= 1 && v.iPort <= 8);
        FUZZ_CHECK(std::isfinite(v.fHiLimit) && std::isfinite(v.fLowLimit));
        // Written back (15 significant digits), the values read back within that
        // precision, and from then on unchanged.
        QStringList again = lines;
        storeSettings(again, v.iPort, v.fHiLimit, v.fLowLimit);
        const SettingsValues w = parseSettings(again);
        FUZZ_CHECK(!w.usedFallback && w.iPort == v.iPort);
        FUZZ_CHECK(std::fabs(w.fHiLimit - v.fHiLimit) <= 1e-14 * std::fabs(v.fHiLimit));
        FUZZ_CHECK(std::fabs(w.fLowLimit - v.fLowLimit) <= 1e-14 * std::fabs(v.fLowLimit));
        QStringList fresh;
        storeSettings(fresh, w.iPort, w.fHiLimit, w.fLowLimit);
        FUZZ_CHECK(fresh.size() == 3);
        const SettingsValues x = parseSettings(fresh);
        FUZZ_CHECK(!x.usedFallback && x.iPort == w.iPort && x.fHiLimit == w.fHiLimit && x.fLowLimit == w.fLowLimit);
    }
    QStringList edited = lines;
    setSettingsValue(edited, QStringLiteral("iPort"), QStringLiteral("5"));
    FUZZ_CHECK(settingsValue(edited, QStringLiteral("IPORT")) == QLatin1String("5"));
    return 0;
}
