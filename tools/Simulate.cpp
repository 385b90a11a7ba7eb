#include "tools/Simulate.h"

#include "resources/Strings.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <optional>
#include <random>
#include <thread>
#include <vector>

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

    auto terminal = openTerminal(options);
    if (!terminal)
        return 1;

    ScenarioPlayer player(options.scenario.isEmpty() ? demoScenario() : options.scenario);
    std::mt19937 rng(1); // the same faults every run
    const auto period = std::chrono::milliseconds(std::max(1, options.periodMs));
    const int framesPerPeriod = options.fault == MeterFault::Burst ? kBurstFrames : 1;
    for (qint64 sent = 0; !stopRequested && (options.count < 0 || sent < options.count); ++sent) {
        if (options.fault == MeterFault::HangUp && sent == kHangUpAfter) {
            closeTerminal(*terminal, options);
            sleepFor(std::chrono::milliseconds(kHangUpMs));
            terminal = openTerminal(options);
            if (!terminal)
                return 1;
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
        if (options.pace) {
            for (std::size_t at = 0; at < bytes.size() && !stopRequested; ++at) {
                send(terminal->master, &bytes[at], 1);
                sleepFor(kByteTime);
            }
        } else if (options.fault == MeterFault::Burst) {
            // Back to back, in pieces that cut across frames, faster than 9600 baud carries them.
            for (std::size_t at = 0; at < bytes.size() && !stopRequested; at += kBurstPiece) {
                send(terminal->master, bytes.data() + at, std::min(kBurstPiece, bytes.size() - at));
                sleepFor(std::chrono::microseconds(500));
            }
        } else {
            send(terminal->master, bytes.data(), bytes.size());
        }
        const auto spent = std::chrono::steady_clock::now() - start;
        if (options.count < 0 || sent + 1 < options.count)
            sleepFor(std::chrono::duration_cast<std::chrono::microseconds>(period - spent));
    }
    // Let the last frame drain before the terminal goes away.
    if (terminal->slave >= 0)
        sleepFor(std::chrono::milliseconds(50));
    closeTerminal(*terminal, options);
    return 0;
}

} // namespace orvel::cli
