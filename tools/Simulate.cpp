#include "tools/Simulate.h"

#include "tools/Output.h"

#include "resources/Strings.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <optional>
#include <random>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

namespace orvel::cli {

namespace {
constexpr int kNoPty = 2105;
constexpr int kNoLink = 2106;
constexpr int kCannotListen = 2109; // "orvel-cli: cannot listen on %1: %2"
// One byte on a 9600 baud 8N1 line: ten bits.
constexpr auto kByteTime = std::chrono::microseconds(1042);
constexpr std::size_t kBurstPiece = 7; // bytes a write in a burst

volatile std::sig_atomic_t stopRequested = 0;

void onSignal(int)
{
    stopRequested = 1;
}

// Sleeps in short slices so that a signal ends the wait soon.
void sleepFor(std::chrono::microseconds total)
{
    const auto end = std::chrono::steady_clock::now() + total;
    while (!stopRequested) {
        const auto left = end - std::chrono::steady_clock::now();
        if (left <= std::chrono::steady_clock::duration::zero())
            return;
        std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(left, std::chrono::milliseconds(20)));
    }
}

// Writes what the line takes; a full buffer (nobody reading) drops the rest,
// as a meter's bytes are lost when no one listens.
void send(int master, const std::uint8_t *bytes, std::size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(master, bytes, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        bytes += n;
        size -= std::size_t(n);
    }
}
// The pseudo-terminal that plays the meter's end of the cable.
struct Terminal
{
    int master = -1;
    int slave = -1;
};

// Opens a pseudo-terminal and (re)points the link at it; prints its path.
std::optional<Terminal> openTerminal(const SimulateOptions &options)
{
    Terminal t;
    t.master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (t.master < 0 || ::grantpt(t.master) != 0 || ::unlockpt(t.master) != 0) {
        std::fprintf(stderr, "%s\n", qPrintable(LoadStr(kNoPty)));
        if (t.master >= 0)
            ::close(t.master);
        return std::nullopt;
    }
    const char *name = ::ptsname(t.master);
    const QString path = QString::fromLocal8Bit(name ? name : "");
    // Hold the terminal end open ourselves, raw, so that it keeps its settings
    // between the program's opens and never echoes.
    t.slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (t.slave >= 0) {
        termios tio{};
        if (::tcgetattr(t.slave, &tio) == 0) {
            ::cfmakeraw(&tio);
            ::cfsetispeed(&tio, B9600);
            ::cfsetospeed(&tio, B9600);
            ::tcsetattr(t.slave, TCSANOW, &tio);
        }
    }
    if (!options.linkPath.isEmpty()) {
        const QByteArray link = options.linkPath.toLocal8Bit();
        ::unlink(link.constData());
        if (::symlink(name, link.constData()) != 0) {
            std::fprintf(stderr, "%s\n", qPrintable(LoadStrArg(kNoLink, options.linkPath)));
            ::close(t.slave);
            ::close(t.master);
            return std::nullopt;
        }
    }
    std::printf("%s\n", qPrintable(path));
    std::fflush(stdout);
    return t;
}

void closeTerminal(Terminal &t, const SimulateOptions &options)
{
    if (!options.linkPath.isEmpty())
        ::unlink(options.linkPath.toLocal8Bit().constData());
    if (t.slave >= 0)
        ::close(t.slave);
    if (t.master >= 0)
        ::close(t.master); // the program's end hangs up
    t = Terminal{};
}

// The meter served on TCP: a listening socket and the one client it serves.
struct Listener
{
    int fd = -1;
    int client = -1; ///< the client served now, or -1
    QString address; ///< tcp://HOST:PORT as clients reach it
};

// Binds to `where` ([HOST:]PORT; 127.0.0.1 unless a host is given; "[::1]:PORT"
// for IPv6) and prints the address clients reach it at.
std::optional<Listener> openListener(const QString &where)
{
    QString host = QStringLiteral("127.0.0.1");
    QString port = where;
    const qsizetype colon = where.lastIndexOf(QLatin1Char(':'));
    if (colon >= 0) {
        host = where.left(colon);
        port = where.mid(colon + 1);
        if (host.startsWith(QLatin1Char('[')) && host.endsWith(QLatin1Char(']')))
            host = host.mid(1, host.size() - 2);
    }
    auto fail = [&where](const QString &why) {
        printError(LoadStr(kCannotListen).arg(where, why));
        return std::nullopt;
    };
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_PASSIVE | AI_NUMERICSERV;
    addrinfo *list = nullptr;
    if (const int status = ::getaddrinfo(host.toUtf8().constData(), port.toUtf8().constData(), &hints, &list))
        return fail(QString::fromLocal8Bit(::gai_strerror(status)));
    Listener l;
    int error = 0;
    for (const addrinfo *a = list; a && l.fd < 0; a = a->ai_next) {
        l.fd = ::socket(a->ai_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        const int on = 1;
        if (l.fd >= 0 && (::setsockopt(l.fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) != 0 ||
                          ::bind(l.fd, a->ai_addr, a->ai_addrlen) != 0 || ::listen(l.fd, 1) != 0)) {
            error = errno;
            ::close(l.fd);
            l.fd = -1;
        }
    }
    ::freeaddrinfo(list);
    if (l.fd < 0)
        return fail(QString::fromLocal8Bit(std::strerror(error ? error : EADDRNOTAVAIL)));
    sockaddr_storage bound{};
    socklen_t size = sizeof bound;
    ::getsockname(l.fd, reinterpret_cast<sockaddr *>(&bound), &size);
    char name[INET6_ADDRSTRLEN] = {};
    char service[8] = {};
    ::getnameinfo(reinterpret_cast<sockaddr *>(&bound), size, name, sizeof name, service, sizeof service,
                  NI_NUMERICHOST | NI_NUMERICSERV);
    l.address = bound.ss_family == AF_INET6 ? QStringLiteral("tcp://[%1]:%2").arg(name, service)
                                            : QStringLiteral("tcp://%1:%2").arg(name, service);
    std::printf("%s\n", qPrintable(l.address));
    std::fflush(stdout);
    return l;
}

void dropClient(Listener &l)
{
    if (l.client >= 0)
        ::close(l.client); // the client's end hangs up
    l.client = -1;
}

// The client to send to: the one served now while it stays, else the next one
// waiting; -1 when nobody is there.
int clientOf(Listener &l)
{
    if (l.client >= 0) {
        // The program never writes to the meter: anything readable is the end of the connection.
        pollfd pfd{l.client, POLLIN | POLLRDHUP, 0};
        if (::poll(&pfd, 1, 0) > 0) {
            char sink[256];
            const ssize_t n = ::recv(l.client, sink, sizeof sink, MSG_DONTWAIT);
            if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR) || (pfd.revents & (POLLHUP | POLLERR)))
                dropClient(l);
        }
    }
    if (l.client < 0)
        l.client = ::accept4(l.fd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    return l.client;
}

// The bytes of one frame as the fault lets them through.
std::vector<std::uint8_t> faultyFrame(const Frame &frame, MeterFault fault, std::mt19937 &rng)
{
    std::vector<std::uint8_t> bytes;
    if (fault == MeterFault::Noise) {
        const int noise = std::uniform_int_distribution<int>(1, 6)(rng);
        for (int i = 0; i < noise; ++i)
            bytes.push_back(std::uint8_t(std::uniform_int_distribution<int>(0, 255)(rng)));
    }
    bytes.insert(bytes.end(), frame.begin(), frame.end());
    if (fault == MeterFault::Drop && std::bernoulli_distribution(0.5)(rng))
        bytes.erase(bytes.begin() + std::uniform_int_distribution<int>(0, kFrameSize - 1)(rng));
    return bytes;
}
} // namespace

int simulate(const SimulateOptions &options)
{
    // Signals first: whoever reads the path may end us at once.
    struct sigaction action = {};
    action.sa_handler = onSignal;
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    std::optional<Listener> listener;
    std::optional<Terminal> terminal;
    if (!options.listen.isEmpty())
        listener = openListener(options.listen);
    else
        terminal = openTerminal(options);
    if (!terminal && !listener)
        return 1;

    ScenarioPlayer player(options.scenario.isEmpty() ? batteryScenario() : options.scenario);
    std::mt19937 rng(1); // the same faults every run
    const auto period = std::chrono::milliseconds(std::max(1, options.periodMs));
    const int framesPerPeriod = options.fault == MeterFault::Burst ? kBurstFrames : 1;
    for (qint64 sent = 0; !stopRequested && (options.count < 0 || sent < options.count); ++sent) {
        if (options.fault == MeterFault::HangUp && sent == kHangUpAfter) {
            if (listener) {
                // The connection closes; clients that come meanwhile wait to be served.
                dropClient(*listener);
                sleepFor(std::chrono::milliseconds(kHangUpMs));
                std::printf("%s\n", qPrintable(listener->address));
                std::fflush(stdout);
            } else {
                closeTerminal(*terminal, options);
                sleepFor(std::chrono::milliseconds(kHangUpMs));
                terminal = openTerminal(options);
                if (!terminal)
                    return 1;
            }
        }
        if (options.fault == MeterFault::Stall && sent > 0 && sent % kStallEvery == 0)
            sleepFor(std::chrono::milliseconds(kStallMs));
        const auto start = std::chrono::steady_clock::now();
        std::vector<std::uint8_t> bytes; // what this period sends
        for (int i = 0; i < framesPerPeriod; ++i) {
            if (const auto frame = encodeFrame(player.next())) {
                const auto frameBytes = faultyFrame(*frame, options.fault, rng);
                bytes.insert(bytes.end(), frameBytes.begin(), frameBytes.end());
            }
        }
        const int out = listener ? clientOf(*listener) : terminal->master; // -1: nobody listens
        if (out < 0) {
            // The meter talks on; its bytes reach no one.
        } else if (options.pace) {
            for (std::size_t at = 0; at < bytes.size() && !stopRequested; ++at) {
                send(out, &bytes[at], 1);
                sleepFor(kByteTime);
            }
        } else if (options.fault == MeterFault::Burst) {
            // Back to back, in pieces that cut across frames, faster than 9600 baud carries them.
            for (std::size_t at = 0; at < bytes.size() && !stopRequested; at += kBurstPiece) {
                send(out, bytes.data() + at, std::min(kBurstPiece, bytes.size() - at));
                sleepFor(std::chrono::microseconds(500));
            }
        } else {
            send(out, bytes.data(), bytes.size());
        }
        const auto spent = std::chrono::steady_clock::now() - start;
        if (options.count < 0 || sent + 1 < options.count)
            sleepFor(std::chrono::duration_cast<std::chrono::microseconds>(period - spent));
    }
    // Let the last frame drain before the line goes away.
    if (listener) {
        sleepFor(std::chrono::milliseconds(50));
        dropClient(*listener);
        ::close(listener->fd);
        return 0;
    }
    if (terminal->slave >= 0)
        sleepFor(std::chrono::milliseconds(50));
    closeTerminal(*terminal, options);
    return 0;
}

} // namespace orvel::cli
