// orvel-cli: the program's command-line companion.

#include "meter/Rscomm.h"
#include "platform/PortNames.h"
#include "platform/UserPrompt.h"
#include "resources/Strings.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

namespace {

constexpr int kUsage = 2100;
constexpr int kUnknownCommand = 2101;

const char *sourceName(orvel::PortSource source)
{
    switch (source) {
    case orvel::PortSource::Environment: return "environment";
    case orvel::PortSource::UserFile: return "user file";
    case orvel::PortSource::Default: return "default";
    case orvel::PortSource::None: break;
    }
    return "-";
}

// One line per port: name, device path, where the path came from, and whether
// the device opens now.
int listPorts()
{
    for (int i = 1; i <= orvel::kComPortCount; ++i) {
        const QString name = orvel::comPortName(i);
        const orvel::ResolvedPort port = orvel::resolvePort(name);
        const bool present = orvel::ProbeComPort(i);
        std::printf("%-6s %-24s %-12s %s\n", qPrintable(name), qPrintable(port.path), sourceName(port.source),
                    present ? "present" : "absent");
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    const QString command = args.value(0);

    if (command.isEmpty() || command == QLatin1String("help") || command == QLatin1String("--help") ||
        command == QLatin1String("-h")) {
        std::fputs(qPrintable(orvel::LoadStr(kUsage)), command.isEmpty() ? stderr : stdout);
        return command.isEmpty() ? 2 : 0;
    }
    if (command == QLatin1String("ports"))
        return listPorts();

    std::fprintf(stderr, "%s\n\n", qPrintable(orvel::LoadStrArg(kUnknownCommand, command)));
    std::fputs(qPrintable(orvel::LoadStr(kUsage)), stderr);
    return 2;
}
