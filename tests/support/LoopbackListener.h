#pragma once
// A TCP listener on 127.0.0.1 with a free port of its own, for network ports.
// It sends nothing; the test accepts the connections that come.

#include <QString>

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace orvel::test {

class LoopbackListener
{
public:
    LoopbackListener()
    {
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof a;
        if (fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr *>(&a), size) == 0 && ::listen(fd, 4) == 0 &&
            ::getsockname(fd, reinterpret_cast<sockaddr *>(&a), &size) == 0)
            port = ntohs(a.sin_port);
    }
    ~LoopbackListener() { ::close(fd); }

    QString address() const { return QStringLiteral("tcp://127.0.0.1:%1").arg(port); }
    /// A connection waits to be accepted (within `ms`).
    bool waiting(int ms) const
    {
        pollfd p{fd, POLLIN, 0};
        return ::poll(&p, 1, ms) > 0;
    }
    /// A port on 127.0.0.1 that nothing listens on.
    static int freePort()
    {
        const LoopbackListener gone; // its port is free again once it closes
        return gone.port;
    }

    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    int port = 0;
};

} // namespace orvel::test
