// orvel-cli as other programs use it: decode's exact output and the simulator
// on a pseudo-terminal read through the program's own port functions.

#include "meter/FrameEncoder.h"
#include "meter/Rscomm.h"
#include "platform/PortNames.h"
#include "tests/support/PseudoTerminal.h"
#include "tests/support/Records.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/SimulatorProcess.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <functional>
#include <tuple>

#include <fcntl.h>
#include <linux/capability.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace orvel {
namespace {

struct CliRun
{
    int status = -1;
    QByteArray out, err;
};

CliRun cli(const QStringList &args, const QByteArray &input = {}, const std::function<void()> &inChild = {},
           const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    QProcess p;
    p.setProcessEnvironment(environment);
    if (inChild)
        p.setChildProcessModifier(inChild);
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

// Five DC voltages in turn, as the simulator plays them.
constexpr char kFiveVolts[] = "1 1.111 DC V\n1 2.222 DC V\n1 3.333 DC V\n1 4.444 DC V\n1 5.555 DC V\n";

// The simulator, started as a separate program, with its terminal opened as COM1.
class SimulatorLink : public ::testing::Test
{
protected:
    void TearDown() override
    {
        CloseComPort(std::move(port));
        sim.stop();
    }

    void start(const QStringList &extra)
    {
        const QString path = sim.start(dir.filePath("scenario.txt"), kFiveVolts, 60, extra);
        ASSERT_TRUE(path.startsWith("/dev/")) << qPrintable(path);
        ports.route(1, path);
        port = OpenComPort(1);
        ASSERT_NE(port, nullptr);
        ASSERT_TRUE(prompt->messages.isEmpty());
    }

    test::IsolatedPorts ports;
    test::ScopedPrompt prompt;
    QTemporaryDir dir;
    test::SimulatorProcess sim;
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

bool hasCapability(int capability)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("CapEff:"))
            return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> capability) & 1;
    return false;
}

// In the child, before exec: give up the capabilities that let root open a file
// whatever its mode, so the program meets file modes as any user does.
void dropFileModeOverride()
{
    for (int capability : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH})
        ::prctl(PR_CAPBSET_DROP, capability, 0, 0, 0);
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2] = {};
    if (::syscall(SYS_capget, &header, data) == 0) {
        data[0].inheritable &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        ::syscall(SYS_capset, &header, data);
    }
}

TEST(CliPorts, ADeviceTheUserMayNotOpenGetsTheDialoutAdvice)
{
    if (::geteuid() == 0 && !hasCapability(CAP_SETPCAP))
        GTEST_SKIP() << "root without CAP_SETPCAP cannot give up its file access here";
    const QString advice = QStringLiteral("permission denied — add yourself to the dialout group, then log in again");
    test::PseudoTerminal denied, open;
    ASSERT_TRUE(denied.isValid() && open.isValid());
    ASSERT_EQ(::chmod(denied.path().toLocal8Bit().constData(), 0), 0);
    test::IsolatedPorts ports;
    ports.route(2, denied.path());
    ports.route(3, open.path());

    const CliRun list = cli({"ports"}, {}, dropFileModeOverride);
    ASSERT_EQ(list.status, 0) << list.err.constData();
    const QStringList lines = QString::fromUtf8(list.out).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), kComPortCount);
    EXPECT_TRUE(lines[1].startsWith("COM2 ") && lines[1].endsWith(advice)) << qPrintable(lines[1]);
    EXPECT_TRUE(lines[2].startsWith("COM3 ") && lines[2].endsWith("present")) << qPrintable(lines[2]);
    EXPECT_TRUE(lines[3].endsWith("absent")) << qPrintable(lines[3]);

    // monitor and record: the open error as it always reads, then the advice.
    QTemporaryDir dir;
    const QString out = dir.filePath("never.g52");
    for (const QStringList &args : {QStringList{"monitor", "--port", "COM2", "--count", "1"},
                                    QStringList{"record", "--port", denied.path(), "--out", out}}) {
        const CliRun r = cli(args, {}, dropFileModeOverride);
        const QString err = QString::fromUtf8(r.err);
        EXPECT_EQ(r.status, 1) << qPrintable(args.join(' '));
        EXPECT_TRUE(err.contains("Error[E9001]: The specified serial port open error.\n")) << qPrintable(err);
        EXPECT_TRUE(err.contains(args[2] + ": " + advice + "\n")) << qPrintable(err);
    }
    EXPECT_FALSE(QFileInfo::exists(out));
}

} // namespace
} // namespace orvel

#include "recorder/LoggerFile.h"
#include "recorder/Marks.h"
#include "recorder/Statistics.h"

#include <QTemporaryDir>

namespace orvel {
namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// Readings that cycle through numbers the export writes in each notation, with
// an auxiliary text on every third; and each one's line as the export writes it.
struct Sample
{
    float value;
    const char *text;
};
constexpr Sample kSamples[] = {
    {1.234f, "1.234"},      {12345678.0f, "1.234568e+07"},
    {0.000001f, "1e-06"},   {0.00001f, "0.00001"},
    {-1.5f, "-1.5"},        {0.0f, "0"},
    {-0.0012f, "-0.0012"},  {9999999.0f, "9999999"},
    {-1.0e8f, "-1e+08"},    {123.456f, "123.456"},
    {-2.5e-7f, "-2.5e-07"}, {3.0e38f, "3e+38"},
};

QString timeOf(int i)
{
    return QString::asprintf("%3d:%02d:%02d.%d  ", 9 + i / 36000, i / 600 % 60, i / 10 % 60, i % 10);
}

QString auxOf(int i)
{
    return i % 3 == 0 ? QStringLiteral("A%1").arg(i % 1000) : QString();
}

TARecord sampleRecord(int i)
{
    const Sample &s = kSamples[i % std::size(kSamples)];
    return test::voltReading(s.value, timeOf(i), QStringLiteral("1.234"), auxOf(i));
}

QByteArray expectedLines(int first, int count, bool withAux = true)
{
    QByteArray text;
    for (int i = first; i < first + count; ++i) {
        text += QByteArray::number(i + 1) + ',' + timeOf(i).toLatin1() + ',' + kSamples[i % std::size(kSamples)].text;
        if (withAux && !auxOf(i).isEmpty())
            text += ',' + auxOf(i).toLatin1();
        text += "\r\n";
    }
    return text;
}

QString makeLoggerFile(const QTemporaryDir &dir, int n, const QString &name = QStringLiteral("in.g52"))
{
    ReadingBuffer buffer;
    for (int i = 0; i < n; ++i)
        buffer.append(sampleRecord(i));
    const QString path = dir.filePath(name);
    EXPECT_TRUE(saveLoggerFile(path, buffer));
    return path;
}

TEST(CliConvert, WritesTheExportTextOfEveryRecord)
{
    QTemporaryDir dir;
    for (const int n : {0, 1, 199, 200, 201, 60000, 450}) { // 60000: past the first block read and written
        const QString in = makeLoggerFile(dir, n);
        const QString out = dir.filePath(QStringLiteral("out.csv"));
        const CliRun r = cli({"convert", in, out});
        EXPECT_EQ(r.status, 0) << n << r.err.constData();
        EXPECT_EQ(readAll(out), expectedLines(0, n)) << n; // as bytes: no line-by-line diff of megabytes
    }
    // Spot checks of the line format itself, not through the helper.
    const QList<QByteArray> lines = readAll(dir.filePath(QStringLiteral("out.csv"))).split('\n');
    ASSERT_EQ(lines.size(), 451);
    EXPECT_EQ(lines[0], "1,  9:00:00.0  ,1.234,A0\r");
    EXPECT_EQ(lines[1], "2,  9:00:00.1  ,1.234568e+07\r");
    EXPECT_EQ(lines[447], "448,  9:00:44.7  ,0.00001,A447\r");
    EXPECT_EQ(lines[448], "449,  9:00:44.8  ,-1.5\r");
    EXPECT_EQ(lines[449], "450,  9:00:44.9  ,0\r");
    EXPECT_EQ(lines[450], "");
}

TEST(CliConvert, PageRangesAndWhereTheTextGoes)
{
    QTemporaryDir dir;
    const QString in = makeLoggerFile(dir, 450);
    const QString out = dir.filePath(QStringLiteral("out.csv"));
    const QByteArray before = "an earlier, longer file that must be replaced whole or left alone\n";
    // Marks on both sides of each end of page 2 (readings 51 .. 250), and a damaged line 5.
    const QByteArray page2Marks = "51\t9:00:05.0\talarm\tfirst\n250\t9:00:24.9\tuser\tlast\n";
    writeFile(marksFilePath(in), "# c\n50\t9:00:04.9\tuser\tbefore\n" + page2Marks + "oops\n251\tt\tuser\tafter\n");
    struct Case
    {
        QStringList args; ///< after "convert IN"
        int status;
        QByteArray outFile; ///< what OUT holds afterwards
        QByteArray stdOut;
        const char *message; ///< part of the message on standard error
    };
    const Case cases[] = {
        {{out, "--pages", "2-2"}, 0, expectedLines(50, 200), "", ""},
        {{"--pages", "1-1", out}, 0, expectedLines(0, 50), "", ""},
        {{out, "--pages", "2-3"}, 0, expectedLines(50, 400), "", ""},
        {{out, "--pages", "2-1"}, 0, "", "", ""},
        {{out, "--pages", "0-1"}, 1, before, "", "page 0"},
        {{out, "--pages", "1-4"}, 1, before, "", "page 4"},
        {{"-", "--pages", "3-3"}, 0, before, expectedLines(250, 200), ""},
        {{"--pages", "1-1"}, 0, before, expectedLines(0, 50), ""},
        {{"--marks", "--pages", "2-2", "--out", out}, 0, page2Marks, "", "in.g52.marks, line 5: not the four"},
        {{"--marks", "--pages", "1-1"}, 0, before, "50\t9:00:04.9\tuser\tbefore\n", "line 5"},
    };
    for (const Case &c : cases) {
        writeFile(out, before);
        const CliRun r = cli(QStringList{"convert", in} + c.args);
        const std::string what = c.args.join(' ').toStdString();
        EXPECT_EQ(r.status, c.status) << what << r.err.constData();
        EXPECT_EQ(readAll(out).toStdString(), c.outFile.toStdString()) << what;
        EXPECT_EQ(r.out.toStdString(), c.stdOut.toStdString()) << what;
        EXPECT_TRUE(r.err.contains(c.message)) << what << r.err.constData();
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 3) << "no temporary file is left beside OUT";

    // A few lines wait in standard output's buffer until the end: a full disk
    // there is still reported.
    const CliRun full = cli({"convert", makeLoggerFile(dir, 3, QStringLiteral("small.g52"))}, {},
                            [] { ::dup2(::open("/dev/full", O_WRONLY), STDOUT_FILENO); });
    EXPECT_EQ(full.status, 1);
    EXPECT_EQ(full.err.toStdString(), "orvel-cli: cannot write -\n");
}

TEST(CliConvert, ReadsOldFilesByTheirExtensionAndFailsOnWhatItCannotRead)
{
    QTemporaryDir dir;
    // A ".g51" file: the first 68 bytes of each record, no auxiliary text.
    QByteArray old;
    for (int i = 0; i < 201; ++i) {
        unsigned char bytes[kRecordSize];
        writeRecord(sampleRecord(i), bytes);
        old.append(reinterpret_cast<const char *>(bytes), kOldRecordSize);
    }
    old.append("tail"); // shorter than a record: ignored
    const QString g51 = dir.filePath(QStringLiteral("RUN.G51"));
    writeFile(g51, old);
    // Page 1 is the first record alone, so page 2 starts one old record in.
    for (const auto &[pages, first, count] :
         {std::tuple{QStringList{}, 0, 201}, std::tuple{QStringList{"--pages", "2-2"}, 1, 200}}) {
        const CliRun r = cli(QStringList{"convert", g51} + pages);
        EXPECT_EQ(r.status, 0) << r.err.constData();
        EXPECT_EQ(r.out.toStdString(), expectedLines(first, count, false).toStdString()) << qPrintable(pages.join(' '));
    }

    const QString out = dir.filePath(QStringLiteral("out.csv"));
    const QString missing = dir.filePath(QStringLiteral("no such file.g52"));
    const CliRun r = cli({"convert", missing, out});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(missing.toUtf8())) << r.err.constData();
    EXPECT_FALSE(QFileInfo::exists(out));

    for (const QStringList &bad : {QStringList{"convert"}, QStringList{"convert", g51, "--pages", "2"},
                                   QStringList{"convert", g51, "--pages", "-1-2"},
                                   QStringList{"convert", g51, out, "x"}, QStringList{"convert", g51, "--bogus"}})
        EXPECT_EQ(cli(bad).status, 2) << qPrintable(bad.join(' '));
}

// stats names a record by its own time: the first, smallest and largest of a
// page (not of the file), and of a file longer than a block read at once; and
// it lists the marks of the page's readings.
TEST(CliStats, NamesThePagesOwnRecords)
{
    QTemporaryDir dir;
    ReadingBuffer file; // the smallest and the largest lie beyond the first block
    for (int i = 0; i < 16834; ++i)
        file.append(test::voltReading(float((i + 100) % 16500), timeOf(i)));
    const QString path = dir.filePath(QStringLiteral("run\\1.g52")); // a backslash, escaped in JSON
    ASSERT_TRUE(saveLoggerFile(path, file));
    // Page 2 is readings 35 .. 234; reading 35's text as the marks file escapes it.
    const QString text = QStringLiteral("a \"q\" \\ Ωλ温\t\n");
    writeFile(marksFilePath(path), "34\tt\tuser\tx\n35\t9:00:03.4\tuser\ta \"q\" \\\\ Ωλ温\\t\\n\n235\tt\talarm\ty\n");
    for (const auto &[pages, first, smallest, largest, last, marked] :
         {std::tuple{QStringList{}, 0, 16400, 16399, 16833, "34 35 235"},
          std::tuple{QStringList{"--pages", "2-2"}, 34, 34, 233, 233, "35"}}) {
        const CliRun r = cli(QStringList{"stats", path, "--json"} + pages);
        QJsonParseError error;
        const QJsonObject o = QJsonDocument::fromJson(r.out, &error).object();
        ASSERT_EQ(error.error, QJsonParseError::NoError) << r.out.constData() << r.err.constData();
        EXPECT_EQ(o["file"].toString().toStdString(), path.toStdString());
        const QStringList named{o["first"].toString(), o["minimum"]["time"].toString(), o["maximum"]["time"].toString(),
                                o["last"].toString()};
        const QStringList times{timeOf(first), timeOf(smallest), timeOf(largest), timeOf(last)};
        EXPECT_EQ(named.join(' ').toStdString(), times.join(' ').simplified().toStdString())
            << qPrintable(pages.join(' '));
        QStringList readings;
        for (const QJsonValue m : o["marks"].toArray())
            readings << QString::number(m["reading"].toInt());
        EXPECT_EQ(readings.join(' ').toStdString(), marked);
        const QJsonObject mark{{"reading", 35}, {"time", "9:00:03.4"}, {"kind", "user"}, {"text", text}};
        EXPECT_EQ(o["marks"][pages.isEmpty() ? 1 : 0].toObject(), mark) << r.out.constData();
    }
    // As text: after the figures, page 2's one mark, its text on one line.
    const CliRun r = cli({"stats", path, "--pages", "2-2"});
    EXPECT_EQ(r.out.count("Mark"), 1) << r.out.constData();
    EXPECT_TRUE(r.out.endsWith("\nMark on reading 35 at 9:00:03.4 (user): a \"q\" \\\\ Ωλ温\\t\\n\n"))
        << r.out.constData();
}

// A user's language changes the words and never the data: the exported text,
// the JSON lines and the numbers among the words are the same bytes in German
// (whose C library writes a decimal comma) as in English.
TEST(CliLanguage, GermanChangesTheWordsNeverTheData)
{
    QTemporaryDir dir;
    const QString in = makeLoggerFile(dir, 450);
    writeFile(marksFilePath(in), "51\t9:00:05.0\talarm\tfirst\n");
    auto run = [](const QStringList &args, const char *language, const char *locale) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("LANGUAGE"), QLatin1String(language));
        environment.insert(QStringLiteral("LC_ALL"), QLatin1String(locale));
        const CliRun r = cli(args, "02 14 20 30 4A 5B 6D 78 8F 94 AE B0 C0 D0 E4\n", {}, environment);
        return QString::number(r.status) + '\n' + QString::fromUtf8(r.out + r.err);
    };
    auto numbers = [](QString text) { // what is left of the text without its words
        return text.replace(QRegularExpression(QStringLiteral("[^\\d.:,+-]+")), QStringLiteral(" ")).toStdString();
    };
    // The statistics' words and a message are German, with the same numbers.
    for (const auto &[args, words] : {std::pair{QStringList{"convert", in}, false},
                                      {{"convert", in, "--marks"}, false},
                                      {{"stats", in, "--json"}, false},
                                      {{"decode"}, false},
                                      {{"stats", in}, true},
                                      {{"convert", in, "--pages", "9-9"}, true}}) {
        const QString en = run(args, "en", "C.UTF-8"), de = run(args, "de", "de_DE.UTF-8");
        EXPECT_EQ(numbers(de), numbers(en)) << qPrintable(args.join(' '));
        EXPECT_EQ(de != en, words) << qPrintable(args.join(' ') + '\n' + de);
    }
}

// A simulator playing five DC voltages in turn, as a separate program.
class Simulator : public test::SimulatorProcess
{
public:
    Simulator() { start(dir_.filePath("scenario.txt"), kFiveVolts, 60); }

private:
    QTemporaryDir dir_;
};

void expectVoltReadings(const ReadingBuffer &buffer)
{
    static const QList<float> played{1.111f, 2.222f, 3.333f, 4.444f, 5.555f};
    for (const TARecord &r : buffer) {
        EXPECT_EQ(fieldText(r.szUnit), "V");
        EXPECT_EQ(r.iFunction, 6);
        EXPECT_TRUE(played.contains(r.fReading)) << r.fReading;
        EXPECT_EQ(fieldText(r.szTime).size(), 13) << qPrintable(fieldText(r.szTime));
    }
}

TEST(CliRecord, StoresEachReadingInALoggerFileAndItsExportLine)
{
    Simulator sim;
    ASSERT_FALSE(sim.path.isEmpty());
    QTemporaryDir dir;
    const QString g52 = dir.filePath(QStringLiteral("run.g52"));
    const QString csv = dir.filePath(QStringLiteral("run.csv"));
    const CliRun r = cli({"record", "--port", sim.path, "--count", "3", "--out", g52, "--csv", csv});
    ASSERT_EQ(r.status, 0) << r.err.constData();

    ReadingBuffer buffer;
    ASSERT_TRUE(loadLoggerFile(g52, buffer));
    EXPECT_EQ(buffer.count(), 3);
    expectVoltReadings(buffer);
    static const QRegularExpression progress(QStringLiteral("^[123]: \\d+:\\d\\d:\\d\\d\\.\\d \\d\\.\\d{3} V DC$"));
    const QStringList lines = QString::fromUtf8(r.err).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 5) << r.err.constData(); // a line a reading, then the summary
    for (const QString &line : lines.first(3))
        EXPECT_TRUE(progress.match(line).hasMatch()) << qPrintable(line);
    EXPECT_TRUE(lines[3].startsWith("Readings stored: 3, time covered 0:00:0")) << qPrintable(lines[3]);
    EXPECT_EQ(lines[4], "Gaps: none");

    const CliRun converted = cli({"convert", g52});
    EXPECT_EQ(converted.status, 0);
    EXPECT_EQ(converted.out.count("\r\n"), 3);
    EXPECT_EQ(readAll(csv).toStdString(), converted.out.toStdString());
}

TEST(CliRecord, NeverReplacesAFileUnasked)
{
    Simulator sim;
    ASSERT_FALSE(sim.path.isEmpty());
    QTemporaryDir dir;
    const QString g52 = dir.filePath(QStringLiteral("run.g52"));
    const QString csv = dir.filePath(QStringLiteral("run.csv"));
    writeFile(g52, "earlier recording");
    writeFile(marksFilePath(g52), "1\tt\tuser\tan earlier recording's mark\n");
    CliRun r = cli({"record", "--port", sim.path, "--count", "1", "--out", g52});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(g52.toUtf8())) << r.err.constData();
    EXPECT_EQ(readAll(g52), "earlier recording");

    r = cli({"record", "--port", sim.path, "--count", "1", "--out", g52, "--force"});
    EXPECT_EQ(r.status, 0) << r.err.constData();
    EXPECT_EQ(QFileInfo(g52).size(), kRecordSize);
    EXPECT_FALSE(QFileInfo::exists(marksFilePath(g52))) << "its marks went with the earlier recording";

    // Under a file-size limit of two records the third write fails as on a full
    // disk: a message and status 1, not the end of the process by a signal; the
    // text file holds the lines of the readings the logger file holds.
    r = cli({"record", "--port", sim.path, "--count", "5", "--out", g52, "--csv", csv, "--force"}, {}, [] {
        const rlimit twoRecords{2 * kRecordSize, 2 * kRecordSize};
        setrlimit(RLIMIT_FSIZE, &twoRecords);
    });
    EXPECT_EQ(r.status, 1) << r.err.constData();
    EXPECT_TRUE(r.err.contains(("cannot write " + g52).toUtf8())) << r.err.constData();
    EXPECT_EQ(QFileInfo(g52).size(), 2 * kRecordSize);
    EXPECT_EQ(readAll(csv).toStdString(), cli({"convert", g52}).out.toStdString());
    QFile::remove(csv);

    // A port that does not open: a message, status 1, and no file made.
    test::IsolatedPorts ports;
    r = cli({"record", "--port", "COM3", "--count", "1", "--out", csv});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains("Error[E9001]")) << r.err.constData();
    EXPECT_FALSE(QFileInfo::exists(csv));

    for (const QStringList &bad :
         {QStringList{"record", "--out", g52}, QStringList{"record", "--port", sim.path},
          QStringList{"record", "--port", sim.path, "--out", g52, "--interval", "-1"},
          QStringList{"record", "--port", sim.path, "--out", g52, "--count", "0"},
          QStringList{"record", "--port", sim.path, "--out", g52, "--count", "2", "--duration", "1"}})
        EXPECT_EQ(cli(bad).status, 2) << qPrintable(bad.join(' '));
}

// Lines on standard input are marks on the newest stored reading (one before
// the first reading waits for it), on disk as soon as they are told: a kill
// right after keeps them. With --json each follows its reading's line.
TEST(CliRecord, LinesOnStandardInputAreMarksKeptAtOnce)
{
    Simulator sim;
    ASSERT_FALSE(sim.path.isEmpty());
    QTemporaryDir dir;
    const QString g52 = dir.filePath(QStringLiteral("run.g52"));
    QProcess rec;
    rec.start(QStringLiteral(ORVEL_CLI), {"record", "--port", sim.path, "--out", g52, "--json"});
    rec.write("early\n"); // in the pipe long before the first reading can come
    rec.waitForBytesWritten(5000);
    QByteArray out;
    auto waitFor = [&](const char *wanted) {
        while (!out.contains(wanted) && rec.waitForReadyRead(5000))
            out += rec.readAllStandardOutput();
    };
    waitFor("\"number\":2,");
    rec.write("probe \"moved\" \\ Ω\r\n");
    waitFor("moved");
    rec.kill();
    rec.waitForFinished(5000);

    ReadingBuffer buffer;
    ASSERT_TRUE(loadLoggerFile(g52, buffer));
    const MarksRead read = readMarksFile(marksFilePath(g52), buffer.count());
    ASSERT_EQ(read.marks.size(), 2) << readAll(marksFilePath(g52)).constData();
    EXPECT_EQ(read.marks.at(0).index, 0);
    EXPECT_EQ(read.marks.at(0).text, "early");
    EXPECT_EQ(read.marks.at(1).text, QStringLiteral("probe \"moved\" \\ Ω"));
    QJsonObject previous;
    int told = 0;
    for (const QByteArray &line : out.split('\n')) {
        const QJsonObject o = QJsonDocument::fromJson(line).object(), mark = o["mark"].toObject();
        if (!mark.isEmpty() && told < 2) {
            const Mark &m = read.marks.at(told++);
            EXPECT_EQ(mark, (QJsonObject{{"reading", m.index + 1},
                                         {"time", fieldText(buffer.at(m.index).szTime).trimmed()},
                                         {"kind", "user"},
                                         {"text", m.text}}));
            EXPECT_EQ(previous["number"].toInt(), m.index + 1) << "on the newest reading";
        }
        previous = mark.isEmpty() ? o : previous;
    }
    EXPECT_EQ(told, 2) << out.constData();
}

TEST(CliRecord, AKilledRecordingLeavesAReadableFile)
{
    Simulator sim;
    ASSERT_FALSE(sim.path.isEmpty());
    QTemporaryDir dir;
    const QString g52 = dir.filePath(QStringLiteral("run.g52")), csv = dir.filePath(QStringLiteral("run.csv"));
    QProcess rec;
    rec.setReadChannel(QProcess::StandardError);
    rec.start(QStringLiteral(ORVEL_CLI), {"record", "--port", sim.path, "--out", g52, "--csv", csv});
    QByteArray progress;
    while (progress.count('\n') < 3 && rec.waitForReadyRead(5000))
        progress += rec.readAllStandardError();
    rec.kill(); // SIGKILL: no chance to tidy up
    rec.waitForFinished(5000);
    ASSERT_GE(progress.count('\n'), 3) << progress.constData();

    EXPECT_EQ(QFileInfo(g52).size() % kRecordSize, 0);
    ReadingBuffer buffer;
    ASSERT_TRUE(loadLoggerFile(g52, buffer));
    EXPECT_GE(buffer.count(), 3);
    expectVoltReadings(buffer);
    // Killed just after it reported a reading, not while it stores one: each
    // reading stored has its CSV line on disk.
    EXPECT_EQ(readAll(csv).toStdString(), cli({"convert", g52}).out.toStdString());
}

// A meter that falls silent for 3 s after every 20 frames, recorded for 30 s:
// the record's closing summary and stats of its file tell of the same gaps.
TEST(CliRecord, StallsAreReportedAsGapsByRecordAndByStats)
{
    QTemporaryDir dir;
    test::SimulatorProcess sim;
    ASSERT_FALSE(sim.start(dir.filePath("scenario.txt"), kFiveVolts, 100, {"--fault", "stall"}).isEmpty());
    const QString g52 = dir.filePath(QStringLiteral("run.g52"));
    QProcess rec;
    rec.start(QStringLiteral(ORVEL_CLI), {"record", "--port", sim.path, "--duration", "30", "--out", g52});
    ASSERT_TRUE(rec.waitForFinished(60000));
    ASSERT_EQ(rec.exitCode(), 0);
    const QStringList err = QString::fromUtf8(rec.readAllStandardError()).split('\n', Qt::SkipEmptyParts);
    static const QRegularExpression gapsLine(
        QStringLiteral("^Gaps: (\\d+), (0:00:\\d\\d\\.\\d) missing, the longest (0:00:0\\d\\.\\d) from [0-9:. ]+$"));
    ASSERT_GE(err.size(), 2);
    const QRegularExpressionMatch gaps = gapsLine.match(err.last());
    ASSERT_TRUE(gaps.hasMatch()) << qPrintable(err.mid(err.size() - 2).join('\n'));
    EXPECT_TRUE(err[err.size() - 2].startsWith("Readings stored: ")) << qPrintable(err[err.size() - 2]);
    // About six stalls in 30 s, each a gap of about 3 s.
    const int count = gaps.captured(1).toInt();
    const double missing = timeTenths("  " + gaps.captured(2)) / 10.0;
    EXPECT_GE(count, 3);
    EXPECT_LE(count, 8);
    EXPECT_NEAR(missing / count, 3.2, 0.8);
    EXPECT_NEAR(timeTenths("  " + gaps.captured(3)) / 10.0, 3.2, 1.0);

    // stats of the file: the same gaps line, and in JSON the same figures.
    const CliRun text = cli({"stats", g52});
    ASSERT_EQ(text.status, 0) << text.err.constData();
    EXPECT_TRUE(QString::fromUtf8(text.out).split('\n').contains(err.last())) << text.out.constData();
    const CliRun json = cli({"stats", g52, "--json"});
    ASSERT_EQ(json.status, 0) << json.err.constData();
    const QJsonObject o = QJsonDocument::fromJson(json.out).object();
    EXPECT_EQ(o["expectedInterval"].toDouble(), 0.5);
    EXPECT_EQ(o["gaps"]["count"].toInt(), count);
    EXPECT_NEAR(o["gaps"]["missing"].toDouble(), missing, 0.01);
    EXPECT_EQ(o["records"].toInt(), QFileInfo(g52).size() / kRecordSize);
    EXPECT_EQ(cli({"stats", g52, "--pages", "9-9"}).status, 1);
    EXPECT_EQ(cli({"stats", g52, g52}).status, 2);
}

} // namespace
} // namespace orvel

namespace orvel {
namespace {

TEST(CliPorts, ListenFindsTheMeterOnItsPortAndNothingOnASilentOne)
{
    Simulator meter;
    ASSERT_FALSE(meter.path.isEmpty());
    test::PseudoTerminal silent;
    qputenv("ORVEL_COM1", meter.path.toLocal8Bit());
    qputenv("ORVEL_COM2", silent.path().toLocal8Bit());
    const CliRun r = cli({"ports", "--listen"});
    qunsetenv("ORVEL_COM1");
    qunsetenv("ORVEL_COM2");
    ASSERT_EQ(r.status, 0) << r.err.constData();
    const QStringList lines = QString::fromUtf8(r.out).split('\n');
    ASSERT_GE(lines.size(), 2);
    EXPECT_TRUE(lines[0].contains(QRegularExpression(QStringLiteral("present, meter: [1-5]\\.[1-5]{3} V DC$"))))
        << qPrintable(lines[0]);
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral("present, no meter heard"))) << qPrintable(lines[1]);
    EXPECT_EQ(cli({"ports", "--bogus"}).status, 2);
}

} // namespace
} // namespace orvel

#include "tests/support/LoopbackListener.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace orvel {
namespace {

// monitor and record linked to simulate --listen: every standard output line is
// a JSON object of a reading the simulator played, with its time; record's are
// numbered and stamped.
TEST(CliNetwork, JsonLinesCarryTheReadingsTheSimulatorServes)
{
    QTemporaryDir dir;
    test::SimulatorProcess sim;
    const QString address =
        sim.start(dir.filePath("s.txt"), "1 12.34 DC V m\n1 4.700 ohm k\n1 _0.L_ ohm M\n", 60, {"--listen", "0"});
    ASSERT_TRUE(address.startsWith("tcp://127.0.0.1:")) << qPrintable(address);
    const QStringList played{
        R"({"value":0.01234,"display":"12.34","prefix":"m","unit":"V","function":"DC voltage","acdc":"DC"})",
        R"({"value":4700,"display":"4.700","prefix":"K","unit":"Ω","function":"resistance","acdc":""})",
        R"({"value":null,"display":"O.L","prefix":"M","unit":"Ω","function":"resistance","acdc":""})"};
    static const QRegularExpression stamp(QStringLiteral(R"(^\d{1,2}:\d\d:\d\d\.\d$)"));
    static const QRegularExpression isoTime(QStringLiteral(R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}[+-]\d\d:\d\d$)"));

    // monitor runs on until stopped: each line can be read as soon as it is printed.
    const QByteArray zone = qgetenv("TZ");
    qputenv("TZ", "UTC0");
    QProcess live;
    live.start(QStringLiteral(ORVEL_CLI), {"monitor", "--port", address, "--json"});
    CliRun monitor;
    while (monitor.out.count('\n') < 4 && live.waitForReadyRead(5000))
        monitor.out += live.readAllStandardOutput();
    monitor.status = live.state() == QProcess::Running ? 0 : live.exitCode();
    monitor.err = live.readAllStandardError();
    live.kill();
    live.waitForFinished();
    qputenv("TZ", "<+0530>-5:30");
    CliRun record = cli({"record", "--port", address, "--count", "3", "--out", dir.filePath("run.g52"), "--json"});
    zone.isNull() ? qunsetenv("TZ") : qputenv("TZ", zone);
    for (const CliRun *run : {&monitor, &record}) {
        ASSERT_EQ(run->status, 0) << run->err.constData();
        const QList<QByteArray> lines = run->out.split('\n');
        // record: its three stored readings; monitor: a line a tick that brought a reading
        ASSERT_TRUE(run == &record ? lines.size() == 4 : lines.size() >= 4 && lines.size() <= 7)
            << run->out.constData();
        EXPECT_TRUE(lines.back().isEmpty());
        for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
            QJsonParseError error;
            QJsonObject o = QJsonDocument::fromJson(lines[i], &error).object();
            ASSERT_EQ(error.error, QJsonParseError::NoError) << lines[i].constData();
            const QString time = o.take("time").toString(); // offset 0 too is written out
            EXPECT_TRUE(isoTime.match(time).hasMatch() && time.endsWith(run == &monitor ? "+00:00" : "+05:30"))
                << lines[i].constData();
            EXPECT_EQ(o.take("lowBattery"), QJsonValue(false));
            if (run == &record) {
                EXPECT_TRUE(lines[i].startsWith("{\"number\":" + QByteArray::number(i + 1) + ",\"time\":"));
                EXPECT_TRUE(stamp.match(o.take("stamp").toString()).hasMatch()) << lines[i].constData();
                o.remove("number");
            }
            EXPECT_TRUE(std::any_of(played.begin(), played.end(), [&o](const QString &p) {
                return QJsonDocument::fromJson(p.toUtf8()).object() == o;
            })) << lines[i].constData();
        }
    }
}

// Malformed network ports are refused with a message naming them, a refused
// connection names host, port and why, and ports shows network ports without
// connecting to them.
TEST(CliNetwork, BadAndUnreachablePortsAreNamed)
{
    const QString free = QStringLiteral("tcp://127.0.0.1:%1").arg(test::LoopbackListener::freePort());
    const QList<std::pair<QString, QString>> cases{
        {"tcp://bench:70000", "'tcp://bench:70000' is not a network port: the port is not a number from 1 to 65535."},
        {free, "Error[E9010]: Cannot reach the meter at 127.0.0.1 port " + free.section(':', 2) +
                   ": the connection was refused (nothing listens on that port).\n"},
    };
    for (const auto &[port, message] : cases) {
        const CliRun r = cli({"monitor", "--port", port, "--count", "1"});
        EXPECT_EQ(r.status, 1) << qPrintable(port);
        EXPECT_TRUE(QString::fromUtf8(r.err).contains(message)) << r.err.constData();
        EXPECT_TRUE(r.out.isEmpty()) << r.out.constData();
    }

    test::LoopbackListener server;
    test::IsolatedPorts ports;
    ports.route(4, server.address());
    ports.route(5, QStringLiteral("tcp://bench"));
    const CliRun list = cli({"ports"});
    const QStringList lines = QString::fromUtf8(list.out).split('\n');
    ASSERT_GE(lines.size(), 5);
    EXPECT_TRUE(lines[3].endsWith(" network")) << qPrintable(lines[3]);
    EXPECT_TRUE(lines[4].endsWith(" no port is given")) << qPrintable(lines[4]);
    EXPECT_FALSE(server.waiting(100)) << "ports connected to the network port";
}

} // namespace
} // namespace orvel
