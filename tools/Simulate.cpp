#include "tools/Simulate.h"

#include "resources/Strings.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <thread>

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace orvel::cli {

namespace {
constexpr int kNoPty = 2105;
constexpr int kNoLink = 2106;
// One byte on a 9600 baud 8N1 line: ten bits.
constexpr auto kByteTime = std::chrono::microseconds(1042);

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
} // namespace

int simulate(const SimulateOptions &options)
{
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) {
        std::fprintf(stderr, "%s\n", qPrintable(LoadStr(kNoPty)));
        return 1;
    }
    const char *name = ::ptsname(master);
    const QString path = QString::fromLocal8Bit(name ? name : "");
    // Hold the terminal end open ourselves, raw, so that it keeps its settings
    // between the program's opens and never echoes.
    const int slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave >= 0) {
        termios tio{};
        if (::tcgetattr(slave, &tio) == 0) {
            ::cfmakeraw(&tio);
            ::cfsetispeed(&tio, B9600);
            ::cfsetospeed(&tio, B9600);
            ::tcsetattr(slave, TCSANOW, &tio);
        }
    }
    if (!options.linkPath.isEmpty()) {
        const QByteArray link = options.linkPath.toLocal8Bit();
        ::unlink(link.constData());
        if (::symlink(name, link.constData()) != 0) {
            std::fprintf(stderr, "%s\n", qPrintable(LoadStrArg(kNoLink, options.linkPath)));
            return 1;
        }
    }

    struct sigaction action = {};
    action.sa_handler = onSignal;
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    std::printf("%s\n", qPrintable(path));
    std::fflush(stdout);

    ScenarioPlayer player(options.scenario.isEmpty() ? demoScenario() : options.scenario);
    const auto period = std::chrono::milliseconds(std::max(1, options.periodMs));
    for (qint64 sent = 0; !stopRequested && (options.count < 0 || sent < options.count); ++sent) {
        const auto start = std::chrono::steady_clock::now();
        const auto frame = encodeFrame(player.next());
        if (frame) {
            if (options.pace) {
                for (std::uint8_t b : *frame) {
                    send(master, &b, 1);
                    sleepFor(kByteTime);
                }
            } else {
                send(master, frame->data(), frame->size());
            }
        }
        const auto spent = std::chrono::steady_clock::now() - start;
        if (options.count < 0 || sent + 1 < options.count)
            sleepFor(std::chrono::duration_cast<std::chrono::microseconds>(period - spent));
    }
    // Let the last frame drain before the terminal goes away.
    if (slave >= 0)
        sleepFor(std::chrono::milliseconds(50));

    if (!options.linkPath.isEmpty())
        ::unlink(options.linkPath.toLocal8Bit().constData());
    if (slave >= 0)
        ::close(slave);
    ::close(master);
    return 0;
}

} // namespace orvel::cli
