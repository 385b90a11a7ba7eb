// orvel-cli as other programs use it: decode's exact output and the simulator
// on a pseudo-terminal read through the program's own port functions.

#include "meter/FrameEncoder.h"
#include "meter/Rscomm.h"
#include "platform/PortNames.h"
#include "recorder/LoggerFile.h"
#include "recorder/Marks.h"
#include "recorder/Statistics.h"
#include "tests/support/LoopbackListener.h"
#include "tests/support/PseudoTerminal.h"
#include "tests/support/Records.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/SimulatorProcess.h"
#include "tools/Rotation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <algorithm>
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

TEST(CliDecode, PrintsOneJsonLinePerReadExactly)
{
    QTemporaryDir dir;
    writeFile(dir.filePath("reads.txt"), "# two frames, a silent read, then a read cut short\n"
                                         "02 14 20 30 4A 5B 6D 78 8F 94 AE B0 C0 D0 E4\n"
                                         "E4 D1 C0 B0 AE 94 8F 79 6D 5A 4A 31 20 14 02\n"
                                         "\n"
                                         "02 14 20\n"
                                         "03 14 20 30 4A 5B 6D 78 8F 94 AE B0 C0 D0 E4\n");
    const CliRun r = cli({"decode", dir.filePath("reads.txt")});
    EXPECT_EQ(r.status, 0) << r.err.constData();
    // The read cut short prints the second frame again: the last full frame stands in for it.
    const QByteArray negative =
        R"({"ok":true,"sValue":"-1.234","sExponent":"-2","dwMode":6,"iFunction":6,"fValue":-1.234,"iPointPos":1,)"
        R"("szDisplay":"-12.34","DataPanel":"-12.34","iPrefixExp":-3,"szPrefix":"m","szUnit":"V","pnlAcDc":"DC",)"
        R"("analog":{"reading":1234,"scaleEnd":6000,"pointPos":1,"negative":true},"fReading":-0.01234})"
        "\n";
    const QByteArray expected =
        R"({"ok":true,"sValue":"1.234","sExponent":"0","dwMode":6,"iFunction":6,"fValue":1.234,"iPointPos":0,)"
        R"("szDisplay":"1.234","DataPanel":"1.234","iPrefixExp":0,"szPrefix":"","szUnit":"V","pnlAcDc":"DC",)"
        R"("analog":{"reading":1234,"scaleEnd":6000,"pointPos":0,"negative":false},"fReading":1.234})"
        "\n" +
        negative + "{\"ok\":false}\n" + negative + "{\"ok\":false}\n";
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
    // The blank display has no point: its exponent, and so the point position, is 3.
    for (const char *part : {R"("sValue":"    ")", R"("fValue":1.234,"iPointPos":3)", R"("DataPanel":"    ")",
                             R"("analog":{"reading":1234,"scaleEnd":6000,"pointPos":1,"negative":false})"})
        EXPECT_TRUE(lines[1].contains(part)) << lines[1].constData();
    EXPECT_TRUE(lines[1].endsWith(R"("fReading":null})"));
}

TEST(CliDecode, BadInputNamesTheLineAndExitsWithTwo)
{
    using Case = std::tuple<QStringList, QByteArray, QByteArrayList>; // arguments, input, what the message names
    for (const auto &[args, input, named] :
         {Case{{"decode"}, "02 14\n# fine\n02 1G 20\n", {"line 3", "1G"}},
          Case{{"decode"}, "00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F\n", {"line 1"}},
          Case{{"decode"}, "021\n", {}}, Case{{"decode", "/nonexistent/reads.txt"}, {}, {}}}) {
        const CliRun r = cli(args, input);
        EXPECT_EQ(r.status, 2) << input.constData();
        for (const QByteArray &part : named)
            EXPECT_TRUE(r.err.contains(part)) << r.err.constData();
    }
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
    const QStringList cycle{"1.111", "2.222", "3.333", "4.444", "5.555"};
};

TEST_F(SimulatorLink, TenFramesInARowAreTheScenariosReadings)
{
    start({});
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

// Ended by its count or by SIGTERM, the simulator exits cleanly, and the link it made goes with it.
TEST(CliSimulate, EndsAfterCountOrOnTerminateAndRemovesItsLink)
{
    const QString link =
        QDir::tempPath() + QStringLiteral("/orvel-sim-link-%1").arg(QCoreApplication::applicationPid());
    for (const QStringList &args : {QStringList{"--count", "3", "--period", "20", "--link", link}, QStringList{}}) {
        QProcess sim;
        sim.start(QStringLiteral(ORVEL_CLI), QStringList{"simulate"} + args);
        ASSERT_TRUE(sim.waitForReadyRead(5000));
        const QString path = QString::fromLocal8Bit(sim.readLine()).trimmed();
        if (args.isEmpty())
            sim.terminate();
        else
            EXPECT_EQ(QFileInfo(link).symLinkTarget(), path);
        ASSERT_TRUE(sim.waitForFinished(5000));
        EXPECT_EQ(sim.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(sim.exitCode(), 0);
        EXPECT_FALSE(QFileInfo::exists(link));
    }
}

TEST(CliSimulate, RefusesBadOptionsAndScenarios)
{
    EXPECT_EQ(cli({"simulate", "--period", "0"}).status, 2);
    EXPECT_EQ(cli({"simulate", "--bogus"}).status, 2);
    QTemporaryDir dir;
    writeFile(dir.filePath("bad.txt"), "1 1.234 DC\n2 nonsense\n");
    const CliRun r = cli({"simulate", "--scenario", dir.filePath("bad.txt")});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.contains("line 2")) << r.err.constData();
}

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

// A line a tick, as the digital display shows it: a scenario's readings, and the
// built-in tour, which opens on a drifting DC voltage.
TEST(CliMonitor, PrintsWhatTheDigitalMeterShowsForEachTick)
{
    QTemporaryDir dir;
    writeFile(dir.filePath("scenario.txt"), "1 12.34 DC V m\n1 4.700 ohm k\n1 25C\n");
    for (const auto &[args, ticks, shown] :
         {std::tuple{QStringList{"--scenario", dir.filePath("scenario.txt"), "--period", "50"}, 6,
                     "^(12\\.34 mV DC|4\\.700 KΩ|025 C)$"},
          std::tuple{QStringList{"--scenario", "tour"}, 3, "^1\\.[45]\\d\\d V DC$"}}) {
        const QStringList lines = monitorSimulator(args, ticks);
        ASSERT_EQ(lines.size(), ticks) << qPrintable(lines.join('|'));
        const QRegularExpression pattern(QString::fromUtf8(shown));
        for (const QString &line : lines)
            EXPECT_TRUE(pattern.match(line).hasMatch()) << qPrintable(line);
    }
}

// Each command's --help is its own part of the usage; a wrong option or value
// names itself, then that part, on standard error.
TEST(CliUsage, EachCommandAnswersHelpAndNamesAWrongOption)
{
    test::IsolatedPorts ports;
    const struct
    {
        QStringList args;
        int status;
        const char *first;  ///< how what it printed begins
        const char *absent; ///< what only another command's usage says
    } cases[] = {
        {{"monitor", "--help"}, 0, "Usage: orvel-cli monitor PORT [--count N] [--json]", "--out"},
        {{"help", "record"}, 0, "Usage: orvel-cli record PORT --out FILE.g52 [OPTIONS]", "--listen"},
        {{"stats", "run.g52", "-h"}, 0, "Usage: orvel-cli stats FILE [--pages FROM-TO] [--json]", "PORT"},
        {{"decode", "--help"}, 0, "Usage: orvel-cli decode [FILE]", "--json"},
        {{"monitor", "--bogus"}, 2, "orvel-cli: monitor has no option --bogus", "--out"},
        {{"record", "COM3", "--out", "x.g52", "--pre", "-1"}, 2, "orvel-cli: bad value for --pre", "--listen"},
        {{"record", "--out", "x.g52"}, 2, "orvel-cli: bad value for PORT", "--listen"},
        {{"ports", "--listen", "--all"}, 2, "orvel-cli: ports has no option --all", "--out"},
        {{"ports", "--bogus"}, 2, "orvel-cli: ports has no option --bogus", "--out"},
        {{"convert", "a.g52", "--json"}, 2, "orvel-cli: convert has no option --json", "PORT"},
    };
    for (const auto &c : cases) {
        const CliRun r = cli(c.args);
        const QString shown = QString::fromUtf8(c.status == 0 ? r.out : r.err);
        const QString usage = "Usage: orvel-cli " + c.args[c.args[0] == "help" ? 1 : 0]; // where its usage starts
        EXPECT_EQ(r.status, c.status) << qPrintable(c.args.join(' '));
        EXPECT_TRUE(shown.startsWith(QString::fromUtf8(c.first))) << qPrintable(shown);
        EXPECT_TRUE(shown.contains(usage)) << qPrintable(shown);
        EXPECT_FALSE(shown.contains(QString::fromUtf8(c.absent))) << qPrintable(shown);
    }
    EXPECT_EQ(cli({"monitor"}).status, 2);
    // A port that does not open, given with --port or as record's first argument:
    // the open error, status 1, and no file made.
    QTemporaryDir dir;
    const QString out = dir.filePath("never.g52");
    for (const QStringList &args : {QStringList{"record", "COM3", "--out", out, "--count", "1"},
                                    QStringList{"record", "--port", "COM3", "--count", "1", "--out", out},
                                    QStringList{"monitor", "--port", "COM3", "--count", "1"}}) {
        const CliRun r = cli(args);
        EXPECT_EQ(r.status, 1) << qPrintable(args.join(' '));
        EXPECT_TRUE(r.err.contains("Error[E9001]")) << r.err.constData();
        EXPECT_FALSE(QFileInfo::exists(out));
    }
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
    // The arguments after "convert IN", the status, what OUT holds afterwards, standard output, and part of the
    // message on standard error.
    using Case = std::tuple<QStringList, int, QByteArray, QByteArray, const char *>;
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
    for (const auto &[args, status, outFile, stdOut, message] : cases) {
        writeFile(out, before);
        const CliRun r = cli(QStringList{"convert", in} + args);
        const std::string what = args.join(' ').toStdString();
        EXPECT_EQ(r.status, status) << what << r.err.constData();
        EXPECT_EQ(readAll(out).toStdString(), outFile.toStdString()) << what;
        EXPECT_EQ(r.out.toStdString(), stdOut.toStdString()) << what;
        EXPECT_TRUE(r.err.contains(message)) << what << r.err.constData();
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

    const QString out = dir.filePath("out.csv"), missing = dir.filePath("no such file.g52");
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

// record against that simulator, into a folder of its own.
class CliRecord : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_FALSE(sim.path.isEmpty()); }

    Simulator sim;
    QTemporaryDir dir;
    const QString g52 = dir.filePath("run.g52"), csv = dir.filePath("run.csv");
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

TEST_F(CliRecord, StoresEachReadingInALoggerFileAndItsExportLine)
{
    const CliRun r = cli({"record", "--port", sim.path, "--count", "3", "--out", g52, "--csv", csv});
    ASSERT_EQ(r.status, 0) << r.err.constData();

    ReadingBuffer buffer;
    ASSERT_TRUE(loadLoggerFile(g52, buffer));
    EXPECT_EQ(buffer.count(), 3);
    expectVoltReadings(buffer);
    static const QRegularExpression progress(QStringLiteral("^[123]: \\d+:\\d\\d:\\d\\d\\.\\d \\d\\.\\d{3} V DC$"));
    const QStringList lines = QString::fromUtf8(r.err).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 7) << r.err.constData(); // a line a reading, then the summary
    for (const QString &line : lines.first(3))
        EXPECT_TRUE(progress.match(line).hasMatch()) << qPrintable(line);
    EXPECT_EQ(lines[3], "Started: at once");
    EXPECT_TRUE(lines[4].startsWith("Stopped: readings 3 at ")) << qPrintable(lines[4]);
    EXPECT_TRUE(lines[5].startsWith("Readings stored: 3, time covered 0:00:0")) << qPrintable(lines[5]);
    EXPECT_EQ(lines[6], "Gaps: none");

    const CliRun converted = cli({"convert", g52});
    EXPECT_EQ(converted.status, 0);
    EXPECT_EQ(converted.out.count("\r\n"), 3);
    EXPECT_EQ(readAll(csv).toStdString(), converted.out.toStdString());
}

TEST_F(CliRecord, NeverReplacesAFileUnasked)
{
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

    // Under a file-size limit of two records and a part the third write fails
    // as on a full disk: a message with the reason and status 1, not the end of
    // the process by a signal; no part of the third record stays, the summary
    // counts what the file holds, and the text file holds their lines.
    r = cli({"record", "--port", sim.path, "--count", "5", "--out", g52, "--csv", csv, "--force"}, {}, [] {
        const rlimit twoRecords{2 * kRecordSize + 30, 2 * kRecordSize + 30};
        setrlimit(RLIMIT_FSIZE, &twoRecords);
    });
    EXPECT_EQ(r.status, 1) << r.err.constData();
    EXPECT_TRUE(r.err.contains(("cannot write " + g52 + ": File too large").toUtf8())) << r.err.constData();
    EXPECT_TRUE(r.err.contains("\nReadings stored: 2, ")) << r.err.constData();
    EXPECT_TRUE(r.err.contains("\nReadings not in the file: 1 (")) << r.err.constData();
    EXPECT_EQ(QFileInfo(g52).size(), 2 * kRecordSize);
    EXPECT_EQ(readAll(csv).toStdString(), cli({"convert", g52}).out.toStdString());

    // Options missing, wrong or at odds: status 2, and a misspelt condition named.
    EXPECT_EQ(cli({"record", "--port", sim.path}).status, 2);
    for (const QStringList &extra : {QStringList{"--interval", "-1"},
                                     {"--count", "0"},
                                     {"--count", "2", "--duration", "1"},
                                     {"--start-when", "abov 1.5"},
                                     {"--stop-when", "after 5"},
                                     {"--pre", "3"}}) {
        r = cli(QStringList{"record", "--port", sim.path, "--out", g52} + extra);
        EXPECT_EQ(r.status, 2) << qPrintable(extra.join(' '));
        EXPECT_TRUE(extra[0] != "--start-when" ||
                    r.err.startsWith("orvel-cli: --start-when abov 1.5: 'abov' is no condition"))
            << r.err.constData();
    }
}

// Unattended runs against a simulator stepping between 1 V and 2 V, with a
// short tick: the readings stored, the marks and what the mark command saw.
class Unattended : public ::testing::Test
{
protected:
    void SetUp() override { qputenv("ORVEL_TICK_MS", "50"); }
    void TearDown() override { qunsetenv("ORVEL_TICK_MS"); }

    // Runs record against `scenario` (frames 20 ms apart); the readings of its file.
    CliRun run(const QByteArray &scenario, const QStringList &args)
    {
        EXPECT_FALSE(sim.start(dir.filePath("scenario.txt"), scenario, 20).isEmpty());
        const CliRun r = cli(QStringList{"record", "--port", sim.path, "--out", g52} + args);
        EXPECT_TRUE(loadLoggerFile(g52, buffer)) << r.err.constData();
        for (const TARecord &record : buffer)
            values += record.fReading > 1.5f ? '2' : '1';
        marks = readMarksFile(marksFilePath(g52), buffer.count()).marks;
        return r;
    }

    QTemporaryDir dir;
    const QString g52 = dir.filePath("run.g52");
    test::SimulatorProcess sim;
    ReadingBuffer buffer;
    std::string values; ///< the readings stored, '1' or '2' a reading
    MarkList marks;
};

TEST_F(Unattended, StartsWithThePreTriggerReadingsAndStopsBeforeTheStepBack)
{
    const QString seen = dir.filePath("seen");
    const CliRun r =
        run("60 1.000 DC V\n20 2.000 DC V\n60 1.000 DC V\n",
            {"--start-when", "above 1.5", "--pre", "3", "--stop-when", "below 1.5", "--json", "--on-mark",
             "echo \"$ORVEL_MARK_KIND|$ORVEL_MARK_TEXT|$ORVEL_MARK_VALUE $ORVEL_MARK_UNIT|$ORVEL_MARK_FILE\" "
             ">>'" +
                 seen + "'; sleep 60"});
    ASSERT_EQ(r.status, 0) << r.err.constData();
    // The three readings before the step, every 2 V reading, nothing after.
    EXPECT_EQ(values.substr(0, 4), "1112") << values;
    EXPECT_EQ(values.find('1', 3), std::string::npos) << values;
    ASSERT_EQ(marks.size(), 2);
    EXPECT_EQ(marks.at(0), (Mark{3, fieldText(buffer.at(3).szTime).trimmed(), MarkKind::Trigger, "start: above 1.5"}));
    EXPECT_EQ(marks.at(1).index, buffer.count() - 1);
    EXPECT_EQ(marks.at(1).text, "stop: below 1.5 (1.000 V)");
    EXPECT_TRUE(r.out.startsWith("{\"trigger\":{\"condition\":\"above 1.5\",\"time\":")) << r.out.constData();
    EXPECT_TRUE(r.out.contains(",\"kept\":3}}\n{\"number\":1,")) << r.out.constData();
    EXPECT_TRUE(r.out.contains("{\"stop\":{\"condition\":\"below 1.5\"")) << r.out.constData();
    EXPECT_TRUE(r.err.contains("\nStarted: above 1.5 at ")) << r.err.constData();
    EXPECT_TRUE(r.err.contains("\nStopped: below 1.5 at ")) << r.err.constData();
    // The command saw each mark in its environment; its sleep held nothing up.
    QByteArray told;
    for (int i = 0; i < 100 && told.count('\n') < 2; ++i, QThread::msleep(50))
        told = readAll(seen);
    EXPECT_EQ(told.toStdString(), "trigger|start: above 1.5|2 V|" + g52.toStdString() +
                                      "\ntrigger|stop: below 1.5 (1.000 V)|2 V|" + g52.toStdString() + "\n");
}

TEST_F(Unattended, AnAlarmMarksEachStepUpOnce)
{
    const CliRun r = run("10 1.000 DC V\n10 2.000 DC V\n",
                         {"--duration", "1.5", "--mark-when", "above 1.5", "--mark-when", "above 1.5A"});
    ASSERT_EQ(r.status, 0) << r.err.constData();
    std::string marked(values.size(), ' ');
    for (const Mark &m : marks.all()) {
        EXPECT_EQ(m.kind, MarkKind::Alarm);
        EXPECT_EQ(m.text, "above 1.5 (2.000 V)");
        marked[std::size_t(m.index)] = 'x';
    }
    std::string steps(values.size(), ' ');
    for (std::size_t i = 0; i < values.size(); ++i)
        steps[i] = values[i] == '2' && (i == 0 || values[i - 1] == '1') ? 'x' : ' ';
    EXPECT_EQ(marked, steps) << values;
    EXPECT_GE(std::count(steps.begin(), steps.end(), 'x'), 2) << values;
    // A unit not the reading's: said once, and never a mark.
    EXPECT_EQ(r.err.count("above 1.5A cannot hold: the meter reads V"), 1) << r.err.constData();
}

// A start condition that never fires: the run says what it waits for and
// ends cleanly on SIGTERM, its file made and empty.
TEST_F(Unattended, WaitsForAStartThatNeverComesAndEndsOnTerminate)
{
    ASSERT_FALSE(sim.start(dir.filePath("scenario.txt"), "5 1.000 DC V\n", 20).isEmpty());
    QProcess rec;
    rec.setReadChannel(QProcess::StandardError);
    rec.start(QStringLiteral(ORVEL_CLI),
              {"record", "--port", sim.path, "--out", g52, "--start-when", "above 100", "--pre", "5"});
    QByteArray err;
    while (!err.contains("keeping 5 readings\n") && rec.waitForReadyRead(5000))
        err += rec.readAllStandardError();
    rec.terminate();
    ASSERT_TRUE(rec.waitForFinished(5000));
    err += rec.readAllStandardError();
    EXPECT_EQ(rec.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(rec.exitCode(), 0) << err.constData();
    EXPECT_TRUE(err.startsWith("orvel-cli: waiting for above 100, keeping 5 readings\n")) << err.constData();
    EXPECT_TRUE(err.contains("\nNot started: still waiting for above 100\nStopped: by a signal\nReadings stored: 0"))
        << err.constData();
    EXPECT_TRUE(QFileInfo::exists(g52));
    EXPECT_EQ(QFileInfo(g52).size(), 0);
}

// Lines on standard input are marks on the newest stored reading (one before
// the first reading waits for it), on disk as soon as they are told: a kill
// right after keeps them. With --json each follows its reading's line.
TEST_F(CliRecord, LinesOnStandardInputAreMarksKeptAtOnce)
{
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

// record --rotate at a second: every reading in exactly one file (the files in
// the order they began, the first and the last included, numbered from 1 in
// each), each mark in the file of its reading, nothing else in the folder.
TEST_F(CliRecord, RotationPutsEveryReadingInExactlyOneFile)
{
    QProcess rec;
    rec.start(QStringLiteral(ORVEL_CLI),
              {"record", "--port", sim.path, "--out", g52, "--rotate", "1", "--count", "7", "--json", "--quiet"});
    QByteArray out;
    while (rec.waitForReadyRead(10000)) {
        const QByteArray more = rec.readAllStandardOutput();
        for (qsizetype n = more.count("\"number\""); n > 0; --n)
            rec.write("after a reading\n"); // a mark on the newest reading, whichever file it is in
        out += more;
    }
    ASSERT_TRUE(rec.state() == QProcess::NotRunning || rec.waitForFinished(10000));
    ASSERT_EQ(rec.exitCode(), 0);
    out += rec.readAllStandardOutput();
    const QString err = QString::fromUtf8(rec.readAllStandardError());
    QStringList files;
    static const QRegularExpression into(QStringLiteral("recording into (.*)$"), QRegularExpression::MultilineOption);
    for (auto m = into.globalMatch(err); m.hasNext();)
        files << m.next().captured(1);
    ASSERT_GE(files.size(), 2) << qPrintable(err);
    EXPECT_EQ(QDir(dir.path()).entryList({"*.g52"}).size(), files.size());

    // The JSON lines in files: a reading numbered 1 begins the next one.
    QList<QList<QJsonObject>> readings, marks;
    for (const QByteArray &line : out.split('\n')) {
        const QJsonObject o = QJsonDocument::fromJson(line).object();
        if (o["number"].toInt() == 1) {
            readings.append(QList<QJsonObject>());
            marks.append(QList<QJsonObject>());
        }
        ASSERT_FALSE(readings.isEmpty()) << line.constData();
        if (o.contains("number"))
            readings.last() << o;
        else if (o.contains("mark"))
            marks.last() << o["mark"].toObject();
    }
    ASSERT_EQ(readings.size(), files.size());
    qsizetype total = 0;
    for (qsizetype k = 0; k < files.size(); ++k) {
        SCOPED_TRACE(qPrintable(files[k]));
        ReadingBuffer buffer;
        ASSERT_TRUE(loadLoggerFile(files[k], buffer));
        ASSERT_EQ(buffer.count(), readings[k].size());
        for (qsizetype i = 0; i < buffer.count(); ++i) {
            EXPECT_EQ(fieldText(buffer.at(i).szTime).trimmed(), readings[k][i]["stamp"].toString());
            EXPECT_EQ(buffer.at(i).fReading, float(readings[k][i]["value"].toDouble()));
        }
        const MarkList kept = readMarksFile(marksFilePath(files[k]), buffer.count()).marks;
        ASSERT_EQ(kept.size(), marks[k].size());
        for (qsizetype i = 0; i < kept.size(); ++i)
            EXPECT_EQ(kept.at(i).index + 1, marks[k][i]["reading"].toInt());
        total += buffer.count();
    }
    EXPECT_EQ(total, 7);
}

// Names with the time of the start are never taken twice: a start in a second
// whose name is taken gets "-2", and nothing earlier is touched, --force or not.
TEST_F(CliRecord, RotatedNamesNeverReplaceAFile)
{
    const QDateTime now = QDateTime::currentDateTime();
    for (int s = -1; s < 60; ++s) // the start's second among them, however slow the start
        writeFile(cli::stampedName(g52, now.addSecs(s)), "earlier");
    const CliRun r = cli({"record", "--port", sim.path, "--out", g52, "--rotate", "never", "--count", "1", "--force"});
    ASSERT_EQ(r.status, 0) << r.err.constData();
    const QStringList made = QDir(dir.path()).entryList({"*-2.g52"});
    ASSERT_EQ(made.size(), 1);
    EXPECT_EQ(QFileInfo(dir.filePath(made[0])).size(), kRecordSize);
    for (const QString &name : QDir(dir.path()).entryList({"*.g52"}))
        EXPECT_TRUE(name == made[0] || readAll(dir.filePath(name)) == "earlier") << qPrintable(name);
}

// Run by systemd with standard error the journal (JOURNAL_STREAM names its
// device and inode), an error carries the journal's priority; on any other
// standard error (the variable left from a parent, naming another file) never.
TEST_F(CliRecord, AnErrorCarriesTheJournalsPriorityOnlyInTheJournal)
{
    test::IsolatedPorts ports;
    const QString log = dir.filePath(QStringLiteral("stderr"));
    writeFile(log, "");
    struct stat st = {};
    ASSERT_EQ(::stat(QFile::encodeName(log).constData(), &st), 0);
    for (const bool journal : {true, false}) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("JOURNAL_STREAM", QStringLiteral("%1:%2").arg(st.st_dev).arg(st.st_ino + (journal ? 0 : 1)));
        p.setProcessEnvironment(env);
        p.setStandardErrorFile(log);
        p.start(QStringLiteral(ORVEL_CLI), {"record", "--port", "COM3", "--out", dir.filePath("x.g52")});
        ASSERT_TRUE(p.waitForFinished(10000));
        EXPECT_EQ(p.exitCode(), 1);
        const QByteArray err = readAll(log);
        EXPECT_EQ(err.startsWith("<3>Error[E9001]"), journal) << err.constData();
        EXPECT_TRUE(err.contains("Error[E9001]")) << err.constData();
    }
}

// The seams of --rotate: a reading exactly at a seam is the next file's first.
TEST(CliRotation, SeamsDurationsAndNames)
{
    using cli::Rotation;
    const QDate may1(2024, 5, 1), may2(2024, 5, 2);
    // What a row shows, the rotation, the readings (ms since the start, local date), which of them begin a file.
    using Row = std::tuple<const char *, Rotation, std::vector<std::pair<qint64, QDate>>, std::vector<bool>>;
    const Row rows[] = {
        {"every second: at the seam exactly, not a millisecond before",
         {Rotation::Every, 1000},
         {{0, may1}, {999, may1}, {1000, may1}, {1999, may1}, {2000, may1}},
         {false, false, true, false, true}},
        {"seams passed in silence make one new file",
         {Rotation::Every, 1000},
         {{500, may1}, {3500, may1}, {3999, may1}, {4000, may1}},
         {false, true, false, true}},
        {"daily: the first reading of the next date, and of a date set back",
         {Rotation::Daily, 0},
         {{0, may1}, {5, may1}, {9, may2}, {20, may2}, {30, may1}},
         {false, false, true, false, true}},
        {"never", {Rotation::Never, 0}, {{0, may1}, {86'400'000, may2}}, {false, false}},
    };
    for (const auto &[what, rotation, readings, expected] : rows) {
        SCOPED_TRACE(what);
        cli::RotationClock clock(rotation, may1);
        std::vector<bool> begins;
        for (const auto &[ms, date] : readings)
            begins.push_back(clock.beginsFile(ms, date));
        EXPECT_EQ(begins, expected);
    }
    for (const auto &[text, ms] : {std::pair{"90", 90'000LL},
                                   {"1s", 1000LL},
                                   {"15m", 900'000LL},
                                   {"1h", 3'600'000LL},
                                   {"366d", 31'622'400'000LL}})
        EXPECT_EQ(cli::parseRotation(QLatin1String(text)).value_or(Rotation{}).everyMs, ms) << text;
    EXPECT_EQ(cli::parseRotation("daily")->kind, Rotation::Daily);
    EXPECT_EQ(cli::parseRotation("never")->kind, Rotation::Never);
    for (const char *bad : {"0", "0s", "1.5", "367d", "10x", "", "-1", "Daily", "1 h"})
        EXPECT_FALSE(cli::parseRotation(QLatin1String(bad))) << bad;
    const QDateTime at(may1, QTime(14, 3, 21));
    EXPECT_EQ(cli::stampedName("/data/run.g52", at), "/data/run-20240501-140321.g52");
    EXPECT_EQ(cli::stampedName("/data/run.g52", at, 2), "/data/run-20240501-140321-2.g52");
    EXPECT_EQ(cli::stampedName("/a.b/run", at), "/a.b/run-20240501-140321");
}

TEST_F(CliRecord, AKilledRecordingLeavesAReadableFile)
{
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

// A meter that falls silent for 3 s after every 20 frames (1.5 s), recorded for
// 10 s: the record's closing summary and stats of its file tell of the same
// gaps (stats judges the interval from the readings: most must come on time).
TEST_F(CliRecord, StallsAreReportedAsGapsByRecordAndByStats)
{
    test::SimulatorProcess stalling;
    ASSERT_FALSE(stalling.start(dir.filePath("scenario.txt"), kFiveVolts, 75, {"--fault", "stall"}).isEmpty());
    QProcess rec;
    rec.start(QStringLiteral(ORVEL_CLI), {"record", "--port", stalling.path, "--duration", "10", "--out", g52});
    ASSERT_TRUE(rec.waitForFinished(60000));
    ASSERT_EQ(rec.exitCode(), 0);
    const QStringList err = QString::fromUtf8(rec.readAllStandardError()).split('\n', Qt::SkipEmptyParts);
    static const QRegularExpression gapsLine(
        QStringLiteral("^Gaps: (\\d+), (0:00:\\d\\d\\.\\d) missing, the longest (0:00:0\\d\\.\\d) from [0-9:. ]+$"));
    ASSERT_GE(err.size(), 2);
    const QRegularExpressionMatch gaps = gapsLine.match(err.last());
    ASSERT_TRUE(gaps.hasMatch()) << qPrintable(err.mid(err.size() - 2).join('\n'));
    EXPECT_TRUE(err[err.size() - 2].startsWith("Readings stored: ")) << qPrintable(err[err.size() - 2]);
    // Two stalls in 10 s (one when the recording starts late), each a gap of about 3 s.
    const int count = gaps.captured(1).toInt();
    const double missing = timeTenths("  " + gaps.captured(2)) / 10.0;
    EXPECT_GE(count, 1);
    EXPECT_LE(count, 3);
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

TEST(CliPorts, ListenFindsTheMeterOnItsPortAndNothingOnASilentOne)
{
    Simulator meter;
    ASSERT_FALSE(meter.path.isEmpty());
    test::PseudoTerminal silent;
    test::IsolatedPorts ports;
    ports.route(1, meter.path);
    ports.route(2, silent.path());
    const CliRun r = cli({"ports", "--listen"});
    ASSERT_EQ(r.status, 0) << r.err.constData();
    const QStringList lines = QString::fromUtf8(r.out).split('\n');
    ASSERT_GE(lines.size(), 2);
    EXPECT_TRUE(lines[0].contains(QRegularExpression(QStringLiteral("present, meter: [1-5]\\.[1-5]{3} V DC$"))))
        << qPrintable(lines[0]);
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral("present, no meter heard"))) << qPrintable(lines[1]);
}

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
        // record: its three stored readings and what stopped it; monitor: a line a tick that brought a reading
        ASSERT_TRUE(run == &record ? lines.size() == 5 : lines.size() >= 4 && lines.size() <= 7)
            << run->out.constData();
        EXPECT_TRUE(lines.back().isEmpty());
        if (run == &record) {
            EXPECT_TRUE(lines[3].startsWith(R"({"stop":{"condition":"readings 3","time":")")) << lines[3].constData();
        }
        for (qsizetype i = 0; i + 1 < lines.size() - (run == &record); ++i) {
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
        // The port with --port, or as the first argument.
        for (const QStringList &args :
             {QStringList{"monitor", "--port", port, "--count", "1"}, QStringList{"monitor", port, "--count", "1"}}) {
            const CliRun r = cli(args);
            EXPECT_EQ(r.status, 1) << qPrintable(args.join(' '));
            EXPECT_TRUE(QString::fromUtf8(r.err).contains(message)) << r.err.constData();
            EXPECT_TRUE(r.out.isEmpty()) << r.out.constData();
        }
    }

    test::LoopbackListener server;
    test::IsolatedPorts ports;
    ports.route(4, server.address());
    ports.route(5, QStringLiteral("tcp://bench"));
    const QStringList lines = QString::fromUtf8(cli({"ports"}).out).split('\n');
    ASSERT_GE(lines.size(), 5);
    EXPECT_TRUE(lines[3].endsWith(" network")) << qPrintable(lines[3]);
    EXPECT_TRUE(lines[4].endsWith(" no port is given")) << qPrintable(lines[4]);
    EXPECT_FALSE(server.waiting(100)) << "ports connected to the network port";
}

} // namespace
} // namespace orvel
