#include "platform/NetworkDevice.h"

#include "resources/Strings.h"

#include <QRegularExpression>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace orvel {

namespace {

using Clock = std::chrono::steady_clock;

// Why an address or a connection failed: string ids.
namespace why {
constexpr int Refused = 2071, NoRoute = 2072, NameUnknown = 2073, NoAnswer = 2074, NetUnreachable = 2075, NoPort = 2076,
              BadPort = 2077, BadScheme = 2078, BadHost = 2079;
}

// The keep-alive probes find a peer that vanished without closing (a machine
// switched off): the connection then hangs up instead of staying silent for ever.
constexpr int kKeepIdleS = 10, kKeepIntervalS = 5, kKeepCount = 3;

struct Endpoint
{
    sockaddr_storage address{};
    socklen_t size = 0;
    int family = AF_UNSPEC;
};

std::vector<Endpoint> endpointsOf(const addrinfo *list)
{
    std::vector<Endpoint> found;
    for (const addrinfo *a = list; a; a = a->ai_next) {
        if (a->ai_addrlen > sizeof(sockaddr_storage))
            continue;
        Endpoint e;
        std::memcpy(&e.address, a->ai_addr, a->ai_addrlen);
        e.size = a->ai_addrlen;
        e.family = a->ai_family;
        found.push_back(e);
    }
    return found;
}

int lookUp(const NetworkAddress &address, bool numericOnly, std::vector<Endpoint> &found)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICSERV | (numericOnly ? AI_NUMERICHOST : 0);
    addrinfo *list = nullptr;
    const int status =
        ::getaddrinfo(address.host.toUtf8().constData(), QByteArray::number(address.port).constData(), &hints, &list);
    if (status == 0)
        found = endpointsOf(list);
    if (list)
        ::freeaddrinfo(list);
    return status;
}

// A look-up of a host name on a thread of its own, shared with that thread:
// whichever of the two ends last frees it.
struct LookUp
{
    std::mutex mutex;
    bool done = false;
    int status = 0;
    std::vector<Endpoint> found;
    int signal = -1; ///< an event counter written when done (a duplicate of the device's placeholder)
    ~LookUp()
    {
        if (signal >= 0)
            ::close(signal);
    }
};

class NetworkDevice final : public SerialDevice
{
public:
    NetworkDevice(QString path, NetworkAddress address)
        : path_(std::move(path))
        , address_(std::move(address))
        , deadline_(Clock::now() + std::chrono::milliseconds(kConnectTimeoutMs))
    {}
    ~NetworkDevice() override { close(); }

    // Starts the look-up or the connection; false when not even that could start.
    bool start(int *errorCode)
    {
        if (address_.numeric) {
            if (lookUp(address_, true, endpoints_) != 0) {
                fail(why::BadHost);
                return true;
            }
            tryNextEndpoint();
            return fd_ >= 0 || hungUp_;
        }
        // Until the look-up ends, an event counter stands in for the socket: it
        // becomes readable when the look-up is done, so a waiting read wakes up.
        fd_ = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
        if (fd_ < 0) {
            if (errorCode)
                *errorCode = errno;
            return false;
        }
        auto job = std::make_shared<LookUp>();
        job->signal = ::fcntl(fd_, F_DUPFD_CLOEXEC, 0);
        lookUp_ = job;
        try {
            std::thread([job, address = address_] {
                std::vector<Endpoint> found;
                const int status = lookUp(address, false, found);
                {
                    const std::lock_guard lock(job->mutex);
                    job->done = true;
                    job->status = status;
                    job->found = std::move(found);
                }
                const std::uint64_t one = 1;
                [[maybe_unused]] const ssize_t n = ::write(job->signal, &one, sizeof one);
            }).detach();
        } catch (const std::system_error &) {
            fail(why::NameUnknown);
        }
        return true;
    }

    QString path() const override { return path_; }
    int descriptor() const override { return fd_; }

    // A stream carries bytes, not line settings: they are kept and ignored.
    bool getState(LineState &state) override
    {
        state = line_;
        return fd_ >= 0;
    }
    bool setState(const LineState &state) override
    {
        line_ = state;
        return fd_ >= 0;
    }
    bool getTimeouts(CommTimeouts &timeouts) override
    {
        timeouts = timeouts_;
        return fd_ >= 0;
    }
    bool setTimeouts(const CommTimeouts &timeouts) override
    {
        timeouts_ = timeouts;
        return fd_ >= 0;
    }

    bool purgeReceive() override
    {
        if (fd_ < 0)
            return false;
        advance();
        if (phase_ != Phase::Connected || hungUp_)
            return true;
        // Only what is waiting now: a peer that floods cannot keep us here.
        int waiting = 0;
        if (::ioctl(fd_, FIONREAD, &waiting) != 0)
            return false;
        char sink[4096];
        while (waiting > 0) {
            const ssize_t n = ::recv(fd_, sink, std::min<std::size_t>(sizeof sink, std::size_t(waiting)), MSG_DONTWAIT);
            if (n <= 0)
                break;
            waiting -= int(n);
        }
        return true;
    }
    bool purgeTransmit() override { return fd_ >= 0; }
    bool flush() override { return fd_ >= 0; }

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
        advance();
        if (hungUp_)
            return -1;
        if (phase_ != Phase::Connected)
            return 0;
        for (;;) {
            const ssize_t n = ::recv(fd_, buffer, std::size_t(size), MSG_DONTWAIT);
            if (n > 0)
                return n;
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
                return 0;
            hungUp_ = true; // closed by the other end (0), or reset: the line is gone
            return -1;
        }
    }

    bool hungUp() const override { return hungUp_; }

    int connectingMs() const override
    {
        if (phase_ != Phase::LookingUp && phase_ != Phase::Connecting)
            return -1;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline_ - Clock::now()).count();
        return int(std::max<long long>(0, left));
    }

    QString failure() const override { return failure_; }

    void close() override
    {
        lookUp_.reset(); // the look-up's thread still holds it
        if (fd_ < 0)
            return;
        ::close(fd_);
        fd_ = -1;
    }

private:
    enum class Phase { LookingUp, Connecting, Connected, Failed };

    // Carries the connection forward: takes a finished look-up, sees whether a
    // connection under way was made, and gives up at the deadline.
    void advance()
    {
        if (phase_ == Phase::LookingUp)
            takeLookUp();
        if (phase_ == Phase::Connecting)
            checkConnection();
        if ((phase_ == Phase::LookingUp || phase_ == Phase::Connecting) && Clock::now() >= deadline_)
            fail(why::NoAnswer);
    }

    void takeLookUp()
    {
        int status = 0;
        {
            const std::lock_guard lock(lookUp_->mutex);
            if (!lookUp_->done)
                return;
            status = lookUp_->status;
            endpoints_ = std::move(lookUp_->found);
        }
        lookUp_.reset();
        if (status != 0 || endpoints_.empty())
            return fail(why::NameUnknown);
        tryNextEndpoint();
    }

    // Starts a connection to the next address the host has; fails with the
    // last reason when none is left.
    void tryNextEndpoint()
    {
        while (next_ < endpoints_.size()) {
            const Endpoint &e = endpoints_[next_++];
            const int s = ::socket(e.family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
            if (s < 0) {
                lastError_ = errno;
                continue;
            }
            place(s);
            const int on = 1;
            ::setsockopt(fd_, SOL_SOCKET, SO_KEEPALIVE, &on, sizeof on);
            ::setsockopt(fd_, IPPROTO_TCP, TCP_KEEPIDLE, &kKeepIdleS, sizeof kKeepIdleS);
            ::setsockopt(fd_, IPPROTO_TCP, TCP_KEEPINTVL, &kKeepIntervalS, sizeof kKeepIntervalS);
            ::setsockopt(fd_, IPPROTO_TCP, TCP_KEEPCNT, &kKeepCount, sizeof kKeepCount);
            if (::connect(fd_, reinterpret_cast<const sockaddr *>(&e.address), e.size) == 0) {
                phase_ = Phase::Connected;
                return;
            }
            if (errno == EINPROGRESS || errno == EINTR) {
                phase_ = Phase::Connecting;
                return;
            }
            lastError_ = errno;
        }
        fail(reasonOf(lastError_));
    }

    void checkConnection()
    {
        pollfd pfd{fd_, POLLOUT, 0};
        if (::poll(&pfd, 1, 0) <= 0)
            return; // still under way
        int error = 0;
        socklen_t size = sizeof error;
        if (::getsockopt(fd_, SOL_SOCKET, SO_ERROR, &error, &size) != 0)
            error = errno;
        if (error == 0) {
            phase_ = Phase::Connected;
            return;
        }
        lastError_ = error;
        tryNextEndpoint();
    }

    // The descriptor keeps its number for the device's life, so that whoever
    // watches it (a socket notifier) goes on watching the right thing.
    void place(int s)
    {
        if (fd_ < 0) {
            fd_ = s;
            return;
        }
        ::dup3(s, fd_, O_CLOEXEC);
        ::close(s);
    }

    static int reasonOf(int error)
    {
        switch (error) {
        case ECONNREFUSED: return why::Refused;
        case EHOSTUNREACH: return why::NoRoute;
        case ENETUNREACH: return why::NetUnreachable;
        case ETIMEDOUT: return why::NoAnswer;
        default: return 0;
        }
    }

    // The connection could not be made: the device hangs up, and says why.
    void fail(int reasonId)
    {
        phase_ = Phase::Failed;
        hungUp_ = true;
        const QString reason =
            reasonId ? LoadStr(reasonId) : QString::fromLocal8Bit(std::strerror(lastError_ ? lastError_ : EIO));
        failure_ = LoadStr(str::ConnectFailed).arg(address_.host, QString::number(address_.port), reason);
    }

    QString path_;
    NetworkAddress address_;
    Clock::time_point deadline_; ///< when a connection not yet made gives up
    Phase phase_ = Phase::LookingUp;
    int fd_ = -1;
    std::shared_ptr<LookUp> lookUp_;
    std::vector<Endpoint> endpoints_; ///< the host's addresses, tried in turn
    std::size_t next_ = 0;
    int lastError_ = 0;
    bool hungUp_ = false;
    QString failure_;
    LineState line_;
    CommTimeouts timeouts_{};
};

} // namespace

bool isNetworkPath(const QString &path)
{
    return path.contains(QLatin1String("://"));
}

std::optional<NetworkAddress> parseNetworkAddress(const QString &text, QString *why)
{
    auto refuse = [why](int reasonId) -> std::optional<NetworkAddress> {
        if (why)
            *why = LoadStr(reasonId);
        return std::nullopt;
    };
    const qsizetype schemeEnd = text.indexOf(QLatin1String("://"));
    if (schemeEnd < 0 || text.left(schemeEnd).compare(QLatin1String("tcp"), Qt::CaseInsensitive) != 0)
        return refuse(why::BadScheme);
    static const QRegularExpression form(QStringLiteral(R"(^(?:\[([0-9A-Fa-f:.]+)\]|([A-Za-z0-9._-]+))(?::(.*))?$)"));
    const QRegularExpressionMatch m = form.match(text.mid(schemeEnd + 3));
    if (!m.hasMatch())
        return refuse(why::BadHost);
    if (!m.hasCaptured(3) || m.captured(3).isEmpty())
        return refuse(why::NoPort);
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,5}$"));
    const QString portText = m.captured(3);
    const int port = digits.match(portText).hasMatch() ? portText.toInt() : 0;
    if (port < 1 || port > 65535)
        return refuse(why::BadPort);

    NetworkAddress address;
    address.port = quint16(port);
    in6_addr v6{};
    in_addr v4{};
    if (m.hasCaptured(1)) {
        address.host = m.captured(1);
        if (::inet_pton(AF_INET6, address.host.toLatin1().constData(), &v6) != 1)
            return refuse(why::BadHost);
        address.numeric = true;
    } else {
        address.host = m.captured(2);
        if (address.host.startsWith(QLatin1Char('-')) || address.host.startsWith(QLatin1Char('.')))
            return refuse(why::BadHost);
        address.numeric = ::inet_pton(AF_INET, address.host.toLatin1().constData(), &v4) == 1;
    }
    return address;
}

QString notANetworkPortText(const QString &text, const QString &why)
{
    return LoadStr(str::NotANetworkPort).arg(text, why);
}

std::unique_ptr<SerialDevice> openNetworkDevice(const QString &path, QString *error, int *errorCode)
{
    QString reason;
    const auto address = parseNetworkAddress(path, &reason);
    if (!address) {
        if (error)
            *error = reason;
        if (errorCode)
            *errorCode = EINVAL;
        return nullptr;
    }
    auto device = std::make_unique<NetworkDevice>(path, *address);
    int code = 0;
    if (!device->start(&code)) {
        if (error)
            *error = QString::fromLocal8Bit(std::strerror(code));
        if (errorCode)
            *errorCode = code;
        return nullptr;
    }
    return device;
}

} // namespace orvel
