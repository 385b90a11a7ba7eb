#include "platform/PortNames.h"

#include <QFile>
#include <QStandardPaths>

namespace orvel {

const char ComPortNames[kComPortCount + 1][8] = {
    "", "COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8", "COM9", "COM10",
};

namespace {
// Built-in serial ports first (COM1, COM2 as on a PC), then USB serial adapters
// and USB modem-class devices, so each common device has a port without setup.
const char *const kDefaultPaths[kComPortCount + 1] = {
    "",
    "/dev/ttyS0",   // COM1
    "/dev/ttyS1",   // COM2
    "/dev/ttyUSB0", // COM3
    "/dev/ttyUSB1", // COM4
    "/dev/ttyACM0", // COM5
    "/dev/ttyACM1", // COM6
    "/dev/ttyS2",   // COM7
    "/dev/ttyS3",   // COM8
    "/dev/ttyUSB2", // COM9
    "/dev/ttyACM2", // COM10
};

int indexOfName(const QString &name)
{
    for (int i = 1; i <= kComPortCount; ++i)
        if (name.compare(QLatin1String(ComPortNames[i]), Qt::CaseInsensitive) == 0)
            return i;
    return 0;
}

// A device path holds no control characters: a line whose value does (a NUL
// or a stray carriage return in a damaged file) names no device, since the
// open would reach a different path or none.
bool plainPath(const QString &path)
{
    for (QChar c : path)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return false;
    return true;
}

QString userFileEntry(const QString &name)
{
    QFile file(portOverrideFilePath());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString found;
    for (const QByteArray &bytes : file.readAll().split('\n')) {
        const QString line = QString::fromUtf8(bytes).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        const QString path = line.mid(eq + 1).trimmed();
        if (line.left(eq).trimmed().compare(name, Qt::CaseInsensitive) == 0 && plainPath(path))
            found = path; // a later line wins
    }
    return found;
}
} // namespace

QString comPortName(int index)
{
    if (index < 1 || index > kComPortCount)
        return {};
    return QLatin1String(ComPortNames[index]);
}

QString defaultDevicePath(int index)
{
    if (index < 1 || index > kComPortCount)
        return {};
    return QLatin1String(kDefaultPaths[index]);
}

QString portOverrideFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/orvel/ports.conf");
}

QString portEnvironmentVariable(const QString &name)
{
    return QStringLiteral("ORVEL_") + name.toUpper();
}

ResolvedPort resolvePort(const QString &name)
{
    if (name.isEmpty())
        return {};
    const QString fromEnv = qEnvironmentVariable(portEnvironmentVariable(name).toLatin1().constData());
    if (!fromEnv.isEmpty())
        return {fromEnv, PortSource::Environment};
    const QString fromFile = userFileEntry(name);
    if (!fromFile.isEmpty())
        return {fromFile, PortSource::UserFile};
    const int index = indexOfName(name);
    if (index == 0)
        return {};
    return {defaultDevicePath(index), PortSource::Default};
}

QString devicePathForPort(int index)
{
    return resolvePort(comPortName(index)).path;
}

} // namespace orvel
