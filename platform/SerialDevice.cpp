#include "platform/SerialDevice.h"

#include "platform/NetworkDevice.h"

#include <cerrno>
#include <chrono>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace orvel {

namespace {

using Clock = std::chrono::steady_clock;

speed_t speedFor(int baud)
{
    switch (baud) {
    case 1200: return B1200;
    case 2400: return B2400;
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    default: return 0;
    }
}

int baudFor(speed_t speed)
{
    switch (speed) {
    case B1200: return 1200;
    case B2400: return 2400;
    case B4800: return 4800;
    case B9600: return 9600;
    case B19200: return 19200;
    case B38400: return 38400;
    case B57600: return 57600;
    case B115200: return 115200;
    default: return 0;
    }
}

QString systemError(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

class PosixSerialDevice final : public SerialDevice
{
public:
    PosixSerialDevice(int fd, QString path)
        : fd_(fd)
        , path_(std::move(path))
    {}
    ~PosixSerialDevice() override { close(); }

    QString path() const override { return path_; }
    int descriptor() const override { return fd_; }

    bool getState(LineState &state) override
    {
        termios tio{};
        if (fd_ < 0 || ::tcgetattr(fd_, &tio) != 0)
            return false;
        state.baudRate = baudFor(::cfgetispeed(&tio));
        switch (tio.c_cflag & CSIZE) {
        case CS5: state.byteSize = 5; break;
        case CS6: state.byteSize = 6; break;
        case CS7: state.byteSize = 7; break;
        default: state.byteSize = 8; break;
        }
        state.parity = !(tio.c_cflag & PARENB) ? Parity::None : (tio.c_cflag & PARODD) ? Parity::Odd : Parity::Even;
        state.stopBits = (tio.c_cflag & CSTOPB) ? StopBits::Two : StopBits::One;
        state.rtsControl = rtsControl_;
        return true;
    }

    bool setState(const LineState &state) override
    {
        termios tio{};
        const speed_t speed = speedFor(state.baudRate);
        if (fd_ < 0 || speed == 0 || ::tcgetattr(fd_, &tio) != 0)
            return false;
        ::cfmakeraw(&tio);
        tio.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB);
        tio.c_cflag |= CLOCAL | CREAD;
        switch (state.byteSize) {
        case 5: tio.c_cflag |= CS5; break;
        case 6: tio.c_cflag |= CS6; break;
        case 7: tio.c_cflag |= CS7; break;
        case 8: tio.c_cflag |= CS8; break;
        default: return false;
        }
        if (state.parity != Parity::None)
            tio.c_cflag |= PARENB | (state.parity == Parity::Odd ? PARODD : 0);
        if (state.stopBits == StopBits::Two)
            tio.c_cflag |= CSTOPB;
        // With hardware handshake the driver would drive RTS itself.
        if (state.rtsControl == RtsControl::Handshake)
            tio.c_cflag |= CRTSCTS;
        else
            tio.c_cflag &= ~CRTSCTS;
        tio.c_cc[VMIN] = 0; // reads never block; read() waits with poll()
        tio.c_cc[VTIME] = 0;
        if (::cfsetispeed(&tio, speed) != 0 || ::cfsetospeed(&tio, speed) != 0)
            return false;
        if (::tcsetattr(fd_, TCSANOW, &tio) != 0)
            return false;
        if (state.rtsControl != RtsControl::Handshake && !setRts(state.rtsControl == RtsControl::Enable))
            return false;
        rtsControl_ = state.rtsControl;
        return true;
    }

    bool getTimeouts(CommTimeouts &timeouts) override
    {
        if (!stillTerminal())
            return false;
        timeouts = timeouts_;
        return true;
    }

    bool setTimeouts(const CommTimeouts &timeouts) override
    {
        if (!stillTerminal())
            return false;
        timeouts_ = timeouts;
        return true;
    }

    bool purgeReceive() override { return fd_ >= 0 && ::tcflush(fd_, TCIFLUSH) == 0; }
    bool purgeTransmit() override { return fd_ >= 0 && ::tcflush(fd_, TCOFLUSH) == 0; }
    bool flush() override { return fd_ >= 0 && ::tcdrain(fd_) == 0; }

    std::int64_t read(char *buffer, std::int64_t size) override
    {
        return readUnderTimeouts(*this, timeouts_, buffer, size);
    }

    std::int64_t readAvailable(char *buffer, std::int64_t size) override
    {
        if (fd_ < 0)
            return -1;
        if (size == 0)
            return 0;
        if (hungUp_)
            return -1;
        for (;;) {
            const ssize_t n = ::read(fd_, buffer, size_t(size));
            if (n > 0)
                return n;
            // Raw reads without a minimum return nothing both for a quiet line
            // and for one that hung up; only the latter reports a hang-up.
            if (n == 0)
                return checkHangUp() ? -1 : 0;
            if (errno == EINTR)
                continue;
            if (errno == EAGAIN || errno == EWOULDBLOCK)
                return checkHangUp() ? -1 : 0;
            if (errno == EIO || errno == ENXIO || errno == ENODEV)
                hungUp_ = true; // the device went away
            return -1;
        }
    }

    bool hungUp() const override { return hungUp_; }

    void close() override
    {
        if (fd_ < 0)
            return;
        ::ioctl(fd_, TIOCNXCL);
        ::flock(fd_, LOCK_UN);
        ::close(fd_);
        fd_ = -1;
    }

private:
    // A read gave nothing: a hang-up shows in the descriptor's poll events.
    bool checkHangUp()
    {
        pollfd pfd{fd_, POLLIN, 0};
        if (::poll(&pfd, 1, 0) > 0 && (pfd.revents & (POLLHUP | POLLERR | POLLNVAL)))
            hungUp_ = true;
        return hungUp_;
    }

    bool stillTerminal() const
    {
        termios tio{};
        return fd_ >= 0 && ::tcgetattr(fd_, &tio) == 0;
    }

    bool setRts(bool on)
    {
        int bits = TIOCM_RTS;
        if (::ioctl(fd_, on ? TIOCMBIS : TIOCMBIC, &bits) == 0)
            return true;
        // Devices without modem lines (pseudo-terminals, some adapters) have no
        // RTS to set; that is not a failure of the line settings.
        return errno == ENOTTY || errno == EINVAL || errno == ENOTSUP || errno == EOPNOTSUPP;
    }

    int fd_ = -1;
    QString path_;
    CommTimeouts timeouts_{};
    bool hungUp_ = false;
    RtsControl rtsControl_ = RtsControl::Enable;
};

int openTerminal(const QString &path, QString *error, int *errorCode)
{
    auto fail = [error, errorCode](int code) {
        if (error)
            *error = systemError(code);
        if (errorCode)
            *errorCode = code;
        return -1;
    };
    if (path.isEmpty())
        return fail(ENOENT);
    const QByteArray native = path.toLocal8Bit();
    const int fd = ::open(native.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return fail(errno);
    auto closeAndFail = [&](int code) {
        ::close(fd);
        return fail(code);
    };
    if (!::isatty(fd))
        return closeAndFail(ENOTTY);
    // The advisory lock keeps out every process that asks for it (root included);
    // TIOCEXCL also keeps out ordinary processes that do not.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
        return closeAndFail(errno == EWOULDBLOCK ? EBUSY : errno);
    ::ioctl(fd, TIOCEXCL);
    return fd;
}

} // namespace

std::int64_t readUnderTimeouts(SerialDevice &device, const CommTimeouts &timeouts, char *buffer, std::int64_t size)
{
    if (device.descriptor() < 0 || size < 0)
        return -1;
    const auto start = Clock::now();
    const auto totalMs = std::uint64_t(timeouts.readTotalMultiplier) * std::uint64_t(size) + timeouts.readTotalConstant;
    const bool hasTotal = totalMs > 0;
    const auto totalDeadline = start + std::chrono::milliseconds(totalMs);
    std::int64_t got = 0;
    Clock::time_point lastByte{};
    while (got < size) {
        const std::int64_t n = device.readAvailable(buffer + got, size - got);
        if (n < 0)
            return got > 0 ? got : -1;
        if (n > 0) {
            got += n;
            lastByte = Clock::now();
            continue;
        }
        // Nothing waiting: work out how long we may still wait.
        auto deadline = Clock::time_point::max();
        if (hasTotal)
            deadline = totalDeadline;
        if (got > 0 && timeouts.readInterval > 0)
            deadline = std::min(deadline, lastByte + std::chrono::milliseconds(timeouts.readInterval));
        if (!hasTotal && timeouts.readInterval == 0)
            break; // no time-outs at all: return what was there
        const auto now = Clock::now();
        if (now >= deadline)
            break;
        auto waitMs = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now).count() + 1;
        if (const int connecting = device.connectingMs(); connecting >= 0)
            waitMs = std::min<long long>(waitMs, connecting + 1); // then the device gives up
        pollfd pfd{device.descriptor(), POLLIN, 0};
        const int ready = ::poll(&pfd, 1, int(std::min<long long>(waitMs, 60'000)));
        if (ready < 0 && errno != EINTR)
            return got > 0 ? got : -1;
        if (ready > 0 && (pfd.revents & (POLLERR | POLLNVAL | POLLHUP)) && !(pfd.revents & POLLIN)) {
            // Nothing will come: the device marks its hang-up as it reads.
            const std::int64_t last = device.readAvailable(buffer + got, size - got);
            if (last <= 0)
                return got > 0 ? got : -1;
            got += last;
            lastByte = Clock::now();
        }
    }
    return got;
}

std::unique_ptr<SerialDevice> openSerialDevice(const QString &path, QString *error, int *errorCode)
{
    if (isNetworkPath(path))
        return openNetworkDevice(path, error, errorCode);
    const int fd = openTerminal(path, error, errorCode);
    if (fd < 0)
        return nullptr;
    return std::make_unique<PosixSerialDevice>(fd, path);
}

bool probeSerialDevice(const QString &path)
{
    return openSerialDevice(path) != nullptr;
}

bool isAccessDenied(int errorCode)
{
    return errorCode == EACCES || errorCode == EPERM;
}

} // namespace orvel
