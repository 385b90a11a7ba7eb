#include "platform/PortNames.h"

#include "tests/support/PseudoTerminal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>

namespace orvel {
namespace {

// Writes the per-user override file for one test and removes it afterwards.
class UserPortFile
{
public:
    explicit UserPortFile(const QByteArray &content)
    {
        QDir().mkpath(QFileInfo(portOverrideFilePath()).path());
        QFile file(portOverrideFilePath());
        if (file.open(QIODevice::WriteOnly))
            file.write(content);
    }
    ~UserPortFile() { QFile::remove(portOverrideFilePath()); }
};

class EnvVar
{
public:
    EnvVar(const char *name, const QByteArray &value)
        : name_(name)
        , old_(qgetenv(name))
    {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    ~EnvVar()
    {
        if (old_.isNull())
            qunsetenv(name_);
        else
            qputenv(name_, old_);
    }

private:
    const char *name_;
    QByteArray old_;
};

// Each test of port resolution has a home of its own, so that the user file
// one writes is never read by another running beside it.
class PortResolution : public ::testing::Test
{
    QTemporaryDir home_;
    EnvVar homeVariable_{"HOME", home_.path().toLocal8Bit()};
};

TEST(ComPortNames, HoldsCom1ToCom10InEightByteSlots)
{
    for (int i = 1; i <= kComPortCount; ++i) {
        const QString expected = QStringLiteral("COM%1").arg(i);
        EXPECT_EQ(comPortName(i), expected);
        EXPECT_STREQ(ComPortNames[i], qPrintable(expected));
        EXPECT_EQ(sizeof ComPortNames[i], 8u);
        for (std::size_t b = std::strlen(ComPortNames[i]); b < 8; ++b)
            EXPECT_EQ(ComPortNames[i][b], '\0');
    }
    EXPECT_EQ(comPortName(10), "COM10") << "no device-namespace prefix";
}

TEST(DefaultPorts, ReachBuiltInAndUsbSerialDevicesWithoutSetup)
{
    QSet<QString> paths;
    for (int i = 1; i <= kComPortCount; ++i) {
        const QString path = defaultDevicePath(i);
        EXPECT_TRUE(path.startsWith("/dev/tty")) << qPrintable(path);
        paths.insert(path);
    }
    EXPECT_EQ(paths.size(), kComPortCount) << "every port has a device of its own";
    // Each kind of device is reachable through one of the ports the user can pick.
    QSet<QString> offered;
    for (int i = 1; i <= kProbedPorts; ++i)
        offered.insert(defaultDevicePath(i));
    for (const char *device : {"/dev/ttyS0", "/dev/ttyUSB0", "/dev/ttyACM0"})
        EXPECT_TRUE(offered.contains(device)) << device;
}

TEST_F(PortResolution, EveryNameReachesItsDefaultDevice)
{
    const char *devices[kComPortCount + 1] = {
        "",           "/dev/ttyS0", "/dev/ttyS1",   "/dev/ttyUSB0", "/dev/ttyUSB1", "/dev/ttyACM0", "/dev/ttyACM1",
        "/dev/ttyS2", "/dev/ttyS3", "/dev/ttyUSB2", "/dev/ttyACM2"};
    for (int i = 1; i <= kComPortCount; ++i) {
        const QString name = QStringLiteral("COM%1").arg(i);
        const QByteArray variable = portEnvironmentVariable(name).toLatin1();
        EnvVar clear(variable.constData(), QByteArray());
        const ResolvedPort port = resolvePort(name);
        EXPECT_EQ(port.path, devices[i]) << qPrintable(name);
        EXPECT_EQ(port.source, PortSource::Default) << qPrintable(name);
        EXPECT_EQ(devicePathForPort(i), devices[i]) << qPrintable(name);
    }
}

TEST_F(PortResolution, EnvironmentBeatsUserFileBeatsDefault)
{
    EnvVar clear("ORVEL_COM3", QByteArray());
    EXPECT_EQ(resolvePort("COM3").path, defaultDevicePath(3));
    EXPECT_EQ(resolvePort("COM3").source, PortSource::Default);

    UserPortFile file("# my adapters\n\ncom3 = /dev/serial/by-id/meter\nCOM4=/dev/ttyX\nCOM3=/dev/ttyLater\n");
    EXPECT_EQ(resolvePort("COM3").path, "/dev/ttyLater") << "a later line wins";
    EXPECT_EQ(resolvePort("COM3").source, PortSource::UserFile);
    EXPECT_EQ(resolvePort("com4").path, "/dev/ttyX") << "names ignore letter case";
    EXPECT_EQ(resolvePort("COM5").path, defaultDevicePath(5));

    EnvVar env("ORVEL_COM3", "/dev/pts/99");
    EXPECT_EQ(resolvePort("COM3").path, "/dev/pts/99");
    EXPECT_EQ(resolvePort("COM3").source, PortSource::Environment);
    EXPECT_EQ(devicePathForPort(3), "/dev/pts/99");
}

TEST_F(PortResolution, AUserFilePathWithControlCharactersNamesNoDevice)
{
    EnvVar clear3("ORVEL_COM3", QByteArray());
    EnvVar clear4("ORVEL_COM4", QByteArray());
    static const char content[] = "COM3=/dev/ttyGood\r\nCOM3=/dev/ttyUSB0\0x\nCOM4=/dev/tty\rX\n";
    UserPortFile file(QByteArray(content, sizeof content - 1));
    EXPECT_EQ(resolvePort("COM3").path, "/dev/ttyGood") << "a line ended by CR LF counts; one with a NUL does not";
    EXPECT_EQ(resolvePort("COM4").path, defaultDevicePath(4));
}

TEST_F(PortResolution, IndexesWithoutANameResolveToNothing)
{
    for (int i : {0, 11, -1}) {
        EXPECT_TRUE(comPortName(i).isEmpty()) << i;
        EXPECT_TRUE(defaultDevicePath(i).isEmpty()) << i;
        EXPECT_TRUE(devicePathForPort(i).isEmpty()) << i;
    }
    EXPECT_TRUE(resolvePort("").path.isEmpty());
    EXPECT_TRUE(resolvePort("LPT1").path.isEmpty());
}

TEST_F(PortResolution, AnEmptyEnvironmentValueDoesNotOverride)
{
    EnvVar env("ORVEL_COM1", "");
    EXPECT_EQ(resolvePort("COM1").path, defaultDevicePath(1));
}

} // namespace
} // namespace orvel
