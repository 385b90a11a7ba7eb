// orvel-cli as other programs use it: decode's exact output and the simulator
// on a pseudo-terminal read through the program's own port functions.

#include "meter/FrameEncoder.h"
#include "meter/Rscomm.h"
#include "tests/support/PseudoTerminal.h"
#include "tests/support/ScriptedPrompt.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryFile>

#include <gtest/gtest.h>

namespace orvel {
namespace {

struct CliRun
{
    int status = -1;
    QByteArray out, err;
};

CliRun cli(const QStringList &args, const QByteArray &input = {})
{
    QProcess p;
    p.start(QStringLiteral(ORVEL_CLI), args);
    p.write(input);
    p.closeWriteChannel();
    CliRun r;
    if (!p.waitForFinished(20000)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.status = p.exitCode();
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

TEST(CliDecode, PrintsOneJsonLinePerReadExactly)
{
    QTemporaryFile file;
    ASSERT_TRUE(file.open());
    file.write("# two frames, a silent read, then a read cut short\n"
               "02 14 20 30 4A 5B 6D 78 8F 94 AE B0 C0 D0 E4\n"
               "E4 D1 C0 B0 AE 94 8F 79 6D 5A 4A 31 20 14 02\n"
               "\n"
               "02 14 20\n"
               "03 14 20 30 4A 5B 6D 78 8F 94 AE B0 C0 D0 E4\n");
    file.close();
    const CliRun r = cli({"decode", file.fileName()});
    EXPECT_EQ(r.status, 0) << r.err.constData();
    const QByteArray expected =
        R"({"ok":true,"sValue":"1.234","sExponent":"0","dwMode":6,"iFunction":6,"fValue":1.234,"iPointPos":0,)"
        R"("szDisplay":"1.234","DataPanel":"1.234","iPrefixExp":0,"szPrefix":"","szUnit":"V","pnlAcDc":"DC",)"
        R"("analog":{"reading":1234,"scaleEnd":6000,"pointPos":0,"negative":false},"fReading":1.234})"
        "\n"
        R"({"ok":true,"sValue":"-1.234","sExponent":"-2","dwMode":6,"iFunction":6,"fValue":-1.234,"iPointPos":1,)"
        R"("szDisplay":"-12.34","DataPanel":"-12.34","iPrefixExp":-3,"szPrefix":"m","szUnit":"V","pnlAcDc":"DC",)"
        R"("analog":{"reading":1234,"scaleEnd":6000,"pointPos":1,"negative":true},"fReading":-0.01234})"
        "\n"
        R"({"ok":false})"
        "\n"
        R"({"ok":true,"sValue":"-1.234","sExponent":"-2","dwMode":6,"iFunction":6,"fValue":-1.234,"iPointPos":1,)"
        R"("szDisplay":"-12.34","DataPanel":"-12.34","iPrefixExp":-3,"szPrefix":"m","szUnit":"V","pnlAcDc":"DC",)"
        R"("analog":{"reading":1234,"scaleEnd":6000,"pointPos":1,"negative":true},"fReading":-0.01234})"
        "\n"
        R"({"ok":false})"
        "\n";
    EXPECT_EQ(r.out.toStdString(), expected.toStdString());
}

TEST(CliDecode, CarriesStateAndPrintsNullForADroppedSample)
{
    // A voltage, then a blank display: the number and the needle stay, the sample is dropped.
    DisplayState v = displayFromText("12.34").value();
    v.dc = v.volt = true;
    v.prefixes = kPrefixMilli;
    DisplayState blank = displayFromText("____").value();
    blank.dc = blank.volt = true;
    const QByteArray input =
        frameBytes(encodeFrame(v).value()).toHex(' ') + "\n" + frameBytes(encodeFrame(blank).value()).toHex(' ') + "\n";
    const CliRun r = cli({"decode"}, input);
    ASSERT_EQ(r.status, 0);
    const QList<QByteArray> lines = r.out.split('\n');
    ASSERT_GE(lines.size(), 2);
    EXPECT_TRUE(lines[1].contains(R"("sValue":"    ")"));
    // The blank display has no point: its exponent, and so the point position, is 3.
    EXPECT_TRUE(lines[1].contains(R"("fValue":1.234,"iPointPos":3)")) << lines[1].constData();
    EXPECT_TRUE(lines[1].contains(R"("DataPanel":"    ")"));
    EXPECT_TRUE(lines[1].contains(R"("analog":{"reading":1234,"scaleEnd":6000,"pointPos":1,"negative":false})"));
    EXPECT_TRUE(lines[1].endsWith(R"("fReading":null})"));
}

TEST(CliDecode, BadInputNamesTheLineAndExitsWithTwo)
{
    CliRun r = cli({"decode"}, "02 14\n# fine\n02 1G 20\n");
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.contains("line 3")) << r.err.constData();
    EXPECT_TRUE(r.err.contains("1G"));

    r = cli({"decode"}, "00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F\n");
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.contains("line 1")) << r.err.constData();

    r = cli({"decode"}, "021\n");
    EXPECT_EQ(r.status, 2);

    r = cli({"decode", "/nonexistent/reads.txt"});
    EXPECT_EQ(r.status, 2);
}

// The simulator, started as a separate program, with its terminal opened as COM1.
class SimulatorLink : public ::testing::Test
{
protected:
    void TearDown() override
    {
        CloseComPort(std::move(port));
        if (sim.state() != QProcess::NotRunning) {
            sim.terminate();
            sim.waitForFinished(5000);
        }
    }

    void start(const QStringList &extra)
    {
        scenario.setFileTemplate(QDir::tempPath() + "/orvel-scenario-XXXXXX.txt");
        ASSERT_TRUE(scenario.open());
        scenario.write("# five readings in turn\n"
                       "1 1.111 DC V\n1 2.222 DC V\n1 3.333 DC V\n1 4.444 DC V\n1 5.555 DC V\n");
        scenario.close();
        sim.start(QStringLiteral(ORVEL_CLI),
                  QStringList{"simulate", "--scenario", scenario.fileName(), "--period", "60"} + extra);
        ASSERT_TRUE(sim.waitForReadyRead(5000));
        const QString path = QString::fromLocal8Bit(sim.readLine()).trimmed();
        ASSERT_TRUE(path.startsWith("/dev/")) << qPrintable(path);
        ports.route(1, path);
        port = OpenComPort(1);
        ASSERT_NE(port, nullptr);
        ASSERT_TRUE(prompt->messages.isEmpty());
    }

    test::IsolatedPorts ports;
    test::ScopedPrompt prompt;
    QTemporaryFile scenario;
    QProcess sim;
    ComHandle port;
};

TEST_F(SimulatorLink, TenFramesInARowAreTheScenariosReadings)
{
    start({});
    const QStringList cycle{"1.111", "2.222", "3.333", "4.444", "5.555"};
    QStringList got;
    for (int i = 0; i < 10; ++i) {
        QString value, exponent;
        std::uint32_t mode = 0;
        ASSERT_EQ(ReadMeterFrame(port.get(), value, exponent, mode), 1) << i;
        EXPECT_EQ(mode, 6u);
        EXPECT_EQ(exponent, "0");
        got << value;
    }
    // Consecutive reads see consecutive frames of the cycle (a read may miss one).
    for (const QString &v : got)
        EXPECT_TRUE(cycle.contains(v)) << qPrintable(v);
    int steps = 0;
    for (int i = 1; i < got.size(); ++i)
        steps += (cycle.indexOf(got[i]) - cycle.indexOf(got[i - 1]) + 5) % 5 == 1;
    EXPECT_GE(steps, 7) << qPrintable(got.join(' '));
}

TEST_F(SimulatorLink, PacedBytesStillDecode)
{
    start({"--pace"});
    const QStringList cycle{"1.111", "2.222", "3.333", "4.444", "5.555"};
    int decoded = 0;
    for (int i = 0; i < 10; ++i) {
        QString value, exponent;
        std::uint32_t mode = 0;
        if (ReadMeterFrame(port.get(), value, exponent, mode) == 1) {
            ++decoded;
            EXPECT_TRUE(cycle.contains(value)) << qPrintable(value);
        }
    }
    // Only a read that catches the middle of the very first frame has no full frame to stand in.
    EXPECT_GE(decoded, 9);
}

TEST(CliSimulate, EndsAfterCountAndRemovesItsLink)
{
    const QString link =
        QDir::tempPath() + QStringLiteral("/orvel-sim-link-%1").arg(QCoreApplication::applicationPid());
    QProcess sim;
    sim.start(QStringLiteral(ORVEL_CLI), {"simulate", "--count", "3", "--period", "20", "--link", link});
    ASSERT_TRUE(sim.waitForReadyRead(5000));
    const QString path = QString::fromLocal8Bit(sim.readLine()).trimmed();
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), path);
    ASSERT_TRUE(sim.waitForFinished(5000));
    EXPECT_EQ(sim.exitCode(), 0);
    EXPECT_FALSE(QFileInfo::exists(link));
}

TEST(CliSimulate, StopsCleanlyOnTerminate)
{
    QProcess sim;
    sim.start(QStringLiteral(ORVEL_CLI), {"simulate"});
    ASSERT_TRUE(sim.waitForReadyRead(5000));
    sim.terminate();
    ASSERT_TRUE(sim.waitForFinished(5000));
    EXPECT_EQ(sim.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(sim.exitCode(), 0);
}

TEST(CliSimulate, RefusesBadOptionsAndScenarios)
{
    EXPECT_EQ(cli({"simulate", "--period", "0"}).status, 2);
    EXPECT_EQ(cli({"simulate", "--bogus"}).status, 2);
    QTemporaryFile bad;
    ASSERT_TRUE(bad.open());
    bad.write("1 1.234 DC\n2 nonsense\n");
    bad.close();
    const CliRun r = cli({"simulate", "--scenario", bad.fileName()});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.contains("line 2")) << r.err.constData();
}

} // namespace
} // namespace orvel

namespace orvel {
namespace {

// Runs orvel-cli monitor for `ticks` ticks against a simulator started with
// `simulateArgs`, and returns the lines it printed.
QStringList monitorSimulator(const QStringList &simulateArgs, int ticks)
{
    QProcess sim;
    sim.start(QStringLiteral(ORVEL_CLI), QStringList{"simulate"} + simulateArgs);
    if (!sim.waitForReadyRead(5000))
        return {QStringLiteral("(the simulator did not start)")};
    const QString path = QString::fromLocal8Bit(sim.readLine()).trimmed();
    const CliRun r = cli({"monitor", "--port", path, "--count", QString::number(ticks)});
    sim.terminate();
    sim.waitForFinished(5000);
    if (r.status != 0)
        return {QStringLiteral("(monitor failed) ") + QString::fromUtf8(r.err)};
    return QString::fromUtf8(r.out).split('\n', Qt::SkipEmptyParts);
}

TEST(CliMonitor, PrintsWhatTheDigitalMeterShowsForEachTick)
{
    QTemporaryFile scenario;
    ASSERT_TRUE(scenario.open());
    scenario.write("1 12.34 DC V m\n1 4.700 ohm k\n1 25C\n");
    scenario.close();
    const QStringList lines = monitorSimulator({"--scenario", scenario.fileName(), "--period", "50"}, 6);
    ASSERT_EQ(lines.size(), 6) << qPrintable(lines.join('|'));
    for (const QString &line : lines)
        EXPECT_TRUE(line == "12.34 mV DC" || line == QString::fromUtf8("4.700 KΩ") || line == "025 C")
            << qPrintable(line);
}

TEST(CliMonitor, FollowsTheDemoTour)
{
    // The built-in demo opens on a drifting DC voltage.
    const QStringList lines = monitorSimulator({}, 3);
    ASSERT_EQ(lines.size(), 3) << qPrintable(lines.join('|'));
    static const QRegularExpression dcVolts(QStringLiteral("^1\\.[45]\\d\\d V DC$"));
    for (const QString &line : lines)
        EXPECT_TRUE(dcVolts.match(line).hasMatch()) << qPrintable(line);
}

TEST(CliMonitor, UnknownPortFailsWithTheOpenError)
{
    test::IsolatedPorts ports;
    const CliRun r = cli({"monitor", "--port", "COM3", "--count", "1"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains("Error[E9001]")) << r.err.constData();
    EXPECT_EQ(cli({"monitor"}).status, 2);
}

} // namespace
} // namespace orvel
