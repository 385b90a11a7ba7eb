// The per-user port names file (<config>/orvel/ports.conf): "COMn=/dev/…" lines.
//
// Invariants: every port COM1 … COM10 resolves to a path (from the file or the
// default table); a path from the file is trimmed, holds no control character,
// and is in the file; letter case of the port's name changes nothing; the port index
// and the port name reach the same path.

#include "platform/PortNames.h"
#include "tests/fuzz/FuzzCheck.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

#include <cstdint>

using namespace orvel;

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    for (int i = 1; i <= kComPortCount; ++i)
        qunsetenv(portEnvironmentVariable(comPortName(i)).toLatin1().constData());
    const QString home = fuzz::scratchFolder() + QStringLiteral("/orvel-fuzz-config-%1").arg(::getpid());
    qputenv("XDG_CONFIG_HOME", home.toLocal8Bit());
    fuzz::removeAtExit(home);
    static QCoreApplication app(*argc, *argv);
    QDir().mkpath(QFileInfo(portOverrideFilePath()).path());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QFile file(portOverrideFilePath());
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size());
    file.close();
    const QString text = QString::fromUtf8(bytes);

    for (int i = 1; i <= kComPortCount; ++i) {
        const QString name = comPortName(i);
        const ResolvedPort port = resolvePort(name);
        FUZZ_CHECK(!port.path.isEmpty());
        FUZZ_CHECK(port.source == PortSource::UserFile || port.source == PortSource::Default);
        if (port.source == PortSource::UserFile) {
            FUZZ_CHECK(port.path == port.path.trimmed());
            for (QChar c : port.path)
                FUZZ_CHECK(c.unicode() >= 0x20 && c.unicode() != 0x7F);
            FUZZ_CHECK(text.contains(port.path));
        } else {
            FUZZ_CHECK(port.path == defaultDevicePath(i));
        }
        const ResolvedPort lower = resolvePort(name.toLower());
        FUZZ_CHECK(lower.path == port.path && lower.source == port.source);
        FUZZ_CHECK(devicePathForPort(i) == port.path);
    }
    FUZZ_CHECK(resolvePort(QString()).path.isEmpty());
    return 0;
}
