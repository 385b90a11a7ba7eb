// orvel-cli: the program's command-line companion.

#include "chart/ChartExport.h"
#include "meter/MeterProbe.h"
#include "meter/Rscomm.h"
#include "meter/Simulator.h"
#include "platform/NetworkDevice.h"
#include "platform/PortNames.h"
#include "recorder/Conditions.h"
#include "recorder/IntervalText.h"
#include "resources/Strings.h"
#include "resources/Translations.h"
#include "tools/Convert.h"
#include "tools/Decode.h"
#include "tools/Monitor.h"
#include "tools/Output.h"
#include "tools/Plot.h"
#include "tools/Record.h"
#include "tools/Simulate.h"
#include "tools/Stats.h"
#include "tools/Usage.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QStringList>

#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

namespace {

using orvel::cli::kCannotRead;
using orvel::cli::printError;

constexpr int kUsage = 2100;
constexpr int kUnknownCommand = 2101;
constexpr int kBadOption = 2107;
constexpr int kBadScenario = 2108;
constexpr int kNoSuchOption = 2504; // "orvel-cli: %1 has no option %2"
constexpr int kBadCondition = 2440; // "orvel-cli: %1 %2: %3": the option, its text, what is wrong
constexpr int kVersionLine = 2192;  // "orvel-cli %s"
constexpr int kFromEnvironment = 2180, kFromUserFile = 2181, kFromDefault = 2182, kPresent = 2183, kAbsent = 2184;

// The command's own part of the usage text (all of it for no command), on `to`.
void printUsage(const QString &command, std::FILE *to)
{
    const QString whole = orvel::LoadStr(kUsage);
    const QString own = orvel::cli::commandUsage(whole, command);
    std::fputs(qPrintable(own.isEmpty() ? whole : own), to);
}

// A wrong option or a bad value: names it, then the command's usage; exit status 2.
int usageError(const QString &command, const QString &option)
{
    const QStringList known = orvel::cli::usageOptions(orvel::cli::commandUsage(orvel::LoadStr(kUsage), command));
    const bool unknown = option.startsWith(u'-') && !known.contains(option);
    printError(unknown ? orvel::LoadStr(kNoSuchOption).arg(command, option) : orvel::LoadStrArg(kBadOption, option));
    std::fputc('\n', stderr);
    printUsage(command, stderr);
    return 2;
}

QString sourceName(orvel::PortSource source)
{
    switch (source) {
    case orvel::PortSource::Environment: return orvel::LoadStr(kFromEnvironment);
    case orvel::PortSource::UserFile: return orvel::LoadStr(kFromUserFile);
    case orvel::PortSource::Default: return orvel::LoadStr(kFromDefault);
    case orvel::PortSource::None: break;
    }
    return QStringLiteral("-");
}

// One line per port: name, device path, where the path came from, and whether
// the device opens now.
// With `listen`, every port that opens is listened to (never written to) for up
// to a second, all at once, and what a meter sent is shown after "present".
int listPorts(bool listen)
{
    struct Line
    {
        QString name, path, source;
        orvel::PortProbe probe;
        QString heard;
    };
    std::vector<Line> lines;
    for (int i = 1; i <= orvel::kComPortCount; ++i) {
        const QString name = orvel::comPortName(i);
        const orvel::ResolvedPort port = orvel::resolvePort(name);
        lines.push_back({name, port.path, sourceName(port.source), orvel::ProbeComDevice(port.path), {}});
    }
    if (listen) {
        std::vector<std::thread> listeners;
        for (Line &line : lines) {
            if (line.probe != orvel::PortProbe::Opens && line.probe != orvel::PortProbe::Network)
                continue;
            listeners.emplace_back([&line] { line.heard = orvel::heardText(orvel::listenForMeter(line.path)); });
        }
        for (std::thread &t : listeners)
            t.join();
    }
    for (const Line &line : lines) {
        QString state = line.probe == orvel::PortProbe::Opens     ? orvel::LoadStr(kPresent)
                        : line.probe == orvel::PortProbe::Denied  ? orvel::LoadStr(orvel::str::AccessDenied)
                        : line.probe == orvel::PortProbe::Network ? orvel::LoadStr(orvel::str::NetworkPort)
                                                                  : orvel::LoadStr(kAbsent);
        QString why; // a network port written wrong: what is wrong with it
        if (line.probe == orvel::PortProbe::Fails && orvel::isNetworkPath(line.path) &&
            !orvel::parseNetworkAddress(line.path, &why))
            state = why;
        if (!line.heard.isEmpty())
            state += QStringLiteral(", ") + line.heard;
        std::printf("%-6s %-24s %-12s %s\n", qPrintable(line.name), qPrintable(line.path), qPrintable(line.source),
                    qPrintable(state));
    }
    return 0;
}

int decode(const QStringList &args)
{
    QFile input;
    const QString path = args.value(0);
    const bool opened = path.isEmpty() || path == QLatin1String("-")
                            ? input.open(stdin, QIODevice::ReadOnly)
                            : (input.setFileName(path), input.open(QIODevice::ReadOnly));
    if (!opened) {
        printError(orvel::LoadStrArg(kCannotRead, path));
        return 2;
    }
    return orvel::cli::decodeReads(input, stdout, stderr);
}

int monitor(const QStringList &args)
{
    QString port;
    qint64 count = -1;
    bool json = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        bool ok = i + 1 < args.size();
        if (args[i] == QLatin1String("--port") && ok && port.isEmpty()) {
            port = args[++i];
        } else if (!args[i].startsWith(u'-') && !args[i].isEmpty() && port.isEmpty()) {
            port = args[i]; // the port as the first argument
            ok = true;
        } else if (args[i] == QLatin1String("--count") && ok) {
            count = args[++i].toLongLong(&ok);
        } else if (args[i] == QLatin1String("--json")) {
            ok = json = true;
        } else {
            ok = false;
        }
        if (!ok || count < -1)
            return usageError(QStringLiteral("monitor"), args[i]);
    }
    if (port.isEmpty())
        return usageError(QStringLiteral("monitor"), QStringLiteral("PORT"));
    return orvel::cli::monitor(port, count, json);
}

// convert IN [OUT | --out OUT] [--pages FROM-TO] [--marks], or with `statsCommand`
// stats FILE [--pages FROM-TO] [--json]
int fileCommand(const QStringList &args, bool statsCommand)
{
    const QString command = QLatin1String(statsCommand ? "stats" : "convert");
    bool json = false, marks = false;
    QStringList files;
    QString out;
    std::optional<orvel::cli::PageSpan> pages;
    static const QRegularExpression pageSpan(QStringLiteral("^(\\d{1,9})-(\\d{1,9})$"));
    const qsizetype maxFiles = statsCommand ? 1 : 2;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (statsCommand && args[i] == QLatin1String("--json")) {
            json = true;
        } else if (!statsCommand && args[i] == QLatin1String("--marks")) {
            marks = true;
        } else if (!statsCommand && args[i] == QLatin1String("--out") && i + 1 < args.size() && out.isEmpty()) {
            out = args[++i];
        } else if (args[i] == QLatin1String("--pages")) {
            const QRegularExpressionMatch m = pageSpan.match(args.value(i + 1));
            if (!m.hasMatch())
                return usageError(command, args[i]);
            pages = orvel::cli::PageSpan{m.captured(1).toInt(), m.captured(2).toInt()};
            ++i;
        } else if (args[i].startsWith(QLatin1String("--")) || files.size() == maxFiles) {
            return usageError(command, args[i]);
        } else {
            files << args[i];
        }
    }
    if (files.isEmpty()) {
        printUsage(command, stderr);
        return 2;
    }
    if (statsCommand)
        return orvel::cli::stats(files[0], pages, json);
    if (files.size() == 2 && !out.isEmpty()) // OUT twice
        return usageError(command, QStringLiteral("--out"));
    out = files.value(1, out);
    return marks ? orvel::cli::convertMarks(files[0], out, pages) : orvel::cli::convert(files[0], out, pages);
}

// plot FILE [--pages FROM-TO] [--size WIDTHxHEIGHT] --out PICTURE
int plot(const QStringList &args)
{
    orvel::cli::PlotOptions options;
    static const QRegularExpression pageSpan(QStringLiteral("^(\\d{1,9})-(\\d{1,9})$"));
    static const QRegularExpression size(QStringLiteral("^(\\d{1,5})x(\\d{1,5})$"));
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &opt = args[i];
        const QString value = args.value(i + 1);
        bool ok = true;
        if (opt == QLatin1String("--pages")) {
            const QRegularExpressionMatch m = pageSpan.match(value);
            ok = m.hasMatch() && m.captured(1).toInt() <= m.captured(2).toInt();
            options.pages = orvel::cli::PageSpan{m.captured(1).toInt(), m.captured(2).toInt()};
            ++i;
        } else if (opt == QLatin1String("--size")) {
            const QRegularExpressionMatch m = size.match(value);
            options.pixels = QSize(m.captured(1).toInt(), m.captured(2).toInt());
            ok = m.hasMatch() && orvel::isValidBitmapSize(options.pixels);
            ++i;
        } else if (opt == QLatin1String("--out")) {
            options.out = value;
            ++i;
            if (!orvel::cli::isPlotPicture(value)) {
                printError(orvel::LoadStrArg(orvel::cli::kNotAPicture, value));
                return 2;
            }
        } else if (!opt.startsWith(QLatin1String("--")) && options.in.isEmpty()) {
            options.in = opt;
        } else {
            ok = false;
        }
        if (!ok)
            return usageError(QStringLiteral("plot"), opt);
    }
    if (options.in.isEmpty() || options.out.isEmpty())
        return usageError(QStringLiteral("plot"), QLatin1String(options.in.isEmpty() ? "FILE" : "--out"));
    return orvel::cli::plot(options);
}

// record --port NAME|PATH [--interval SECONDS|full] [--count N | --duration SECONDS]
//        [--start-when COND [--pre N]] [--stop-when COND]... [--mark-when COND]... [--on-mark CMD] [--tone]
//        --out FILE.g52 [--csv FILE.csv] [--force] [--json] [--rotate daily|DURATION|never] [--quiet]
int record(const QStringList &args)
{
    orvel::cli::RecordOptions options;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &opt = args[i];
        auto value = [&]() -> QString { return i + 1 < args.size() ? args[++i] : QString(); };
        bool ok = true;
        if (opt == QLatin1String("--port") && options.port.isEmpty()) {
            options.port = value();
            ok = !options.port.isEmpty();
        } else if (!opt.startsWith(u'-') && options.port.isEmpty()) {
            options.port = opt; // the port as the first argument
            ok = !opt.isEmpty();
        } else if (opt == QLatin1String("--interval")) {
            const QString text = value();
            const orvel::IntervalAnswer answer = orvel::parseIntervalSeconds(text);
            ok = text == QLatin1String("full") || answer.kind == orvel::IntervalAnswer::Seconds;
            options.intervalSeconds = text == QLatin1String("full") ? 0 : answer.seconds;
        } else if (opt == QLatin1String("--count") && options.durationMs < 0) {
            options.count = value().toLongLong(&ok);
            ok = ok && options.count >= 1;
        } else if (opt == QLatin1String("--duration") && options.count < 0) {
            const double seconds = value().toDouble(&ok);
            ok = ok && std::isfinite(seconds) && seconds > 0 && seconds <= orvel::kMaxIntervalSeconds;
            options.durationMs = ok ? qint64(std::llround(seconds * 1000)) : -1;
        } else if (opt == QLatin1String("--start-when") || opt == QLatin1String("--stop-when") ||
                   opt == QLatin1String("--mark-when")) {
            const QString text = value();
            const orvel::ConditionUse use = opt == QLatin1String("--start-when")  ? orvel::ConditionUse::Start
                                            : opt == QLatin1String("--stop-when") ? orvel::ConditionUse::Stop
                                                                                  : orvel::ConditionUse::Alarm;
            const orvel::ParsedCondition parsed = orvel::parseCondition(text, use);
            if (!parsed.condition || (use == orvel::ConditionUse::Start && options.run.start)) {
                if (parsed.condition)
                    return usageError(QStringLiteral("record"), opt);
                printError(orvel::LoadStr(kBadCondition).arg(opt, text, parsed.error));
                return 2;
            }
            if (use == orvel::ConditionUse::Start)
                options.run.start = parsed.condition;
            else
                (use == orvel::ConditionUse::Stop ? options.run.stops : options.run.alarms)
                    .push_back(*parsed.condition);
        } else if (opt == QLatin1String("--pre")) {
            options.run.preTrigger = value().toInt(&ok);
            ok = ok && options.run.preTrigger >= 0 && options.run.preTrigger <= orvel::kMaxPreTrigger;
        } else if (opt == QLatin1String("--on-mark")) {
            options.run.command = value().trimmed();
            ok = !options.run.command.isEmpty();
        } else if (opt == QLatin1String("--tone")) {
            options.run.alarmTone = true;
        } else if (opt == QLatin1String("--out")) {
            options.out = value();
            ok = !options.out.isEmpty();
        } else if (opt == QLatin1String("--csv")) {
            options.csv = value();
            ok = !options.csv.isEmpty();
        } else if (opt == QLatin1String("--force")) {
            options.force = true;
        } else if (opt == QLatin1String("--rotate")) {
            options.rotation = orvel::cli::parseRotation(value());
            ok = options.rotation.has_value();
        } else if (opt == QLatin1String("--quiet")) {
            options.quiet = true;
        } else if (opt == QLatin1String("--json")) {
            options.json = true;
        } else {
            ok = false;
        }
        if (!ok)
            return usageError(QStringLiteral("record"), opt);
    }
    if (options.port.isEmpty() || options.out.isEmpty() || (options.run.preTrigger > 0 && !options.run.start))
        return usageError(QStringLiteral("record"), QLatin1String(options.port.isEmpty()  ? "PORT"
                                                                  : options.out.isEmpty() ? "--out"
                                                                                          : "--pre"));
    // A shorter acquisition tick, for tests and demonstrations.
    if (const int tick = qEnvironmentVariableIntValue("ORVEL_TICK_MS"); tick > 0)
        options.tickMs = tick;
    return orvel::cli::record(options);
}

int simulate(const QStringList &args)
{
    orvel::cli::SimulateOptions options;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &opt = args[i];
        auto value = [&]() -> QString { return i + 1 < args.size() ? args[++i] : QString(); };
        bool ok = true;
        if (opt == QLatin1String("--period")) {
            options.periodMs = value().toInt(&ok);
            ok = ok && options.periodMs > 0;
        } else if (opt == QLatin1String("--pace")) {
            options.pace = true;
        } else if (opt == QLatin1String("--count")) {
            options.count = value().toLongLong(&ok);
            ok = ok && options.count >= 0;
        } else if (opt == QLatin1String("--fault")) {
            const auto fault = orvel::faultFromName(value());
            ok = fault.has_value();
            options.fault = fault.value_or(orvel::MeterFault::None);
        } else if (opt == QLatin1String("--link") && options.listen.isEmpty()) {
            options.linkPath = value();
            ok = !options.linkPath.isEmpty();
        } else if (opt == QLatin1String("--listen") && options.linkPath.isEmpty()) {
            options.listen = value(); // a terminal's link means nothing to a network client
            ok = !options.listen.isEmpty();
        } else if (opt == QLatin1String("--scenario")) {
            const QString file = value();
            if (const auto builtIn = orvel::builtInScenario(file)) { // "./tour" for a file of that name
                options.scenario = *builtIn;
                continue;
            }
            QFile f(file);
            if (!f.open(QIODevice::ReadOnly)) {
                printError(orvel::LoadStrArg(kCannotRead, file));
                return 2;
            }
            QString error;
            const auto steps = orvel::parseScenario(QString::fromUtf8(f.readAll()), &error);
            if (!steps) {
                printError(orvel::LoadStrArg(kBadScenario, error));
                return 2;
            }
            options.scenario = *steps;
        } else {
            ok = false;
        }
        if (!ok)
            return usageError(QStringLiteral("simulate"), opt);
    }
    return orvel::cli::simulate(options);
}

} // namespace

int main(int argc, char *argv[])
{
    // A write past a file-size limit fails with an error that is reported like
    // a full disk, instead of ending the process and what it holds.
    std::signal(SIGXFSZ, SIG_IGN);
    // plot paints with fonts, which takes a GUI application; its offscreen
    // platform needs no display. Every other command does without.
    const bool painting = argc > 1 && std::strcmp(argv[1], "plot") == 0;
    if (painting) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        // A service or a cron job has no runtime folder, and plot needs none.
        static const QtMessageHandler qtDefault = qInstallMessageHandler(nullptr);
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &context, const QString &message) {
            if (!message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR")))
                qtDefault(type, context, message);
        });
    }
    const std::unique_ptr<QCoreApplication> app =
        painting ? std::make_unique<QGuiApplication>(argc, argv) : std::make_unique<QCoreApplication>(argc, argv);
    orvel::installTranslations(*app);
    const QStringList args = QCoreApplication::arguments().mid(1);
    const QString command = args.value(0);
    const QStringList rest = args.mid(1);

    // "orvel-cli help", "orvel-cli help COMMAND" and "orvel-cli COMMAND --help".
    if (command == QLatin1String("help") || command == QLatin1String("--help") || command == QLatin1String("-h")) {
        printUsage(rest.value(0), stdout);
        return 0;
    }
    const QStringList commands = orvel::cli::usageCommands(orvel::LoadStr(kUsage));
    if (commands.contains(command) && (rest.contains(QLatin1String("--help")) || rest.contains(QLatin1String("-h")))) {
        printUsage(command, stdout);
        return 0;
    }
    if (command == QLatin1String("version") || command == QLatin1String("--version")) {
        std::printf("%s\n", qPrintable(orvel::LoadStrArg(kVersionLine, QStringLiteral(ORVEL_VERSION))));
        return 0;
    }
    if (command == QLatin1String("ports"))
        return rest.isEmpty() || rest == QStringList{QStringLiteral("--listen")}
                   ? listPorts(!rest.isEmpty())
                   : usageError(command, rest.value(rest.value(0) == QLatin1String("--listen")));
    if (command == QLatin1String("decode"))
        return decode(rest);
    if (command == QLatin1String("simulate"))
        return simulate(rest);
    if (command == QLatin1String("monitor"))
        return monitor(rest);
    if (command == QLatin1String("convert"))
        return fileCommand(rest, false);
    if (command == QLatin1String("stats"))
        return fileCommand(rest, true);
    if (command == QLatin1String("record"))
        return record(rest);
    if (painting)
        return plot(rest);

    if (!command.isEmpty())
        printError(orvel::LoadStrArg(kUnknownCommand, command) + QLatin1Char('\n'));
    printUsage(QString(), stderr);
    return 2;
}
