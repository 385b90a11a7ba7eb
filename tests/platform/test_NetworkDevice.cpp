// Network ports: which tcp:// texts name one, and a connection on the loopback
// address made, read, closed by the other end, refused, or never reached.

#include "meter/Rscomm.h"
#include "platform/NetworkDevice.h"
#include "tests/support/LoopbackListener.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace orvel {
namespace {

TEST(NetworkAddress, ReadsTcpAddressesAndSaysWhatIsWrongWithOthers)
{
    struct Case
    {
        const char *text;
        const char *host; ///< nullptr: refused
        int port;
        bool numeric;
        const char *why;
    };
    const Case cases[] = {
        {"tcp://127.0.0.1:4001", "127.0.0.1", 4001, true, ""},
        {"TCP://bench-board.local:1", "bench-board.local", 1, false, ""},
        {"tcp://[::1]:65535", "::1", 65535, true, ""},
        {"tcp://bench", nullptr, 0, false, "no port is given"},
        {"tcp://bench:", nullptr, 0, false, "no port is given"},
        {"tcp://[::1]", nullptr, 0, false, "no port is given"},
        {"tcp://bench:0", nullptr, 0, false, "the port is not a number from 1 to 65535"},
        {"tcp://bench:65536", nullptr, 0, false, "the port is not a number from 1 to 65535"},
        {"tcp://bench:40x1", nullptr, 0, false, "the port is not a number from 1 to 65535"},
        {"udp://bench:4001", nullptr, 0, false, "only tcp:// is understood"},
        {"tcp://:4001", nullptr, 0, false, "the host is missing or is no valid name or address"},
        {"tcp://.bench:1", nullptr, 0, false, "the host is missing or is no valid name or address"},
        {"tcp://::1:4001", nullptr, 0, false, "the host is missing or is no valid name or address"},
        {"tcp://[fe:zz::1]:4001", nullptr, 0, false, "the host is missing or is no valid name or address"},
    };
    for (const Case &c : cases) {
        QString why;
        const auto address = parseNetworkAddress(QString::fromUtf8(c.text), &why);
        EXPECT_TRUE(isNetworkPath(QString::fromUtf8(c.text))) << c.text;
        ASSERT_EQ(address.has_value(), c.host != nullptr) << c.text;
        EXPECT_EQ(why.toStdString(), c.why) << c.text;
        if (address) {
            EXPECT_EQ(address->host.toStdString(), c.host);
            EXPECT_EQ(address->port, c.port);
            EXPECT_EQ(address->numeric, c.numeric) << c.text;
        }
    }
    EXPECT_FALSE(isNetworkPath(QStringLiteral("/dev/ttyUSB0")));
}

using Listener = test::LoopbackListener;

// By address and by name (looked up on its own thread, "localhost" trying each
// of its addresses): the bytes come through unchanged, and a connection the
// other end closes is a hang-up that names no failure.
TEST(NetworkDevice, CarriesTheBytesAndHangsUpWhenTheOtherEndCloses)
{
    for (const char *host : {"127.0.0.1", "localhost"}) {
        Listener server;
        ASSERT_GT(server.port, 0);
        auto device = openSerialDevice(QStringLiteral("tcp://%1:%2").arg(host).arg(server.port));
        ASSERT_NE(device, nullptr) << host;
        ASSERT_TRUE(SetMeterLine(*device)) << "line settings are accepted and ignored";
        ASSERT_TRUE(device->setTimeouts(CommTimeouts{kReadIntervalMs, 0, 3000}));
        char byte = 0;
        for (int i = 0; i < 100 && !server.waiting(50); ++i)
            ASSERT_EQ(device->readAvailable(&byte, 1), 0) << host; // carries the connection forward
        const int peer = ::accept(server.fd, nullptr, nullptr);
        ASSERT_GE(peer, 0) << host;

        const QByteArray frame("\x02\x14\x20\x30\x4A\x5B\x6D\x78\x8F\x94\xAE\xB0\xC0\xD0\xE4", 15);
        ASSERT_EQ(::write(peer, frame.constData(), 15), 15);
        char got[15] = {};
        EXPECT_EQ(device->read(got, 15), 15) << host;
        EXPECT_EQ(QByteArray(got, 15), frame) << host;
        EXPECT_FALSE(device->hungUp());

        ::close(peer);
        EXPECT_EQ(device->read(got, 15), -1) << host;
        EXPECT_TRUE(device->hungUp()) << host;
        EXPECT_EQ(device->failure(), QString()) << "a plain hang-up, as a pulled cable";
    }
}

// A refused port and a host that cannot be reached: the open returns at once,
// the read fails, and the failure names host, port and why.
TEST(NetworkDevice, AConnectionThatCannotBeMadeHangsUpAndSaysWhy)
{
    const int freePort = Listener::freePort();
    auto refused = openSerialDevice(QStringLiteral("tcp://127.0.0.1:%1").arg(freePort));
    ASSERT_NE(refused, nullptr);
    refused->setTimeouts(CommTimeouts{kReadIntervalMs, 0, 10000});
    char got[15];
    EXPECT_EQ(refused->read(got, 15), -1);
    EXPECT_TRUE(refused->hungUp());
    EXPECT_EQ(refused->failure(), QStringLiteral("Cannot reach the meter at 127.0.0.1 port %1: the connection was "
                                                 "refused (nothing listens on that port).")
                                      .arg(freePort));

    // A name is looked up on another thread: the open does not wait for it,
    // and the read gives up within the connection's time (not the read's 10 s).
    // A label longer than 63 letters is unknown without asking any server.
    const QString host = QString(64, 'x') + ".invalid";
    auto unknown = openSerialDevice(QStringLiteral("tcp://%1:4001").arg(host));
    ASSERT_NE(unknown, nullptr);
    EXPECT_GE(unknown->connectingMs(), 0) << "still looking up after the open";
    unknown->setTimeouts(CommTimeouts{kReadIntervalMs, 0, 10000});
    EXPECT_EQ(unknown->read(got, 15), -1);
    EXPECT_EQ(unknown->failure().toStdString(),
              ("Cannot reach the meter at " + host + " port 4001: the host name is unknown.").toStdString());
    EXPECT_EQ(unknown->connectingMs(), -1);
}

// The probe offers a network port without connecting to it.
TEST(NetworkDevice, TheProbeNeverConnects)
{
    Listener server;
    EXPECT_EQ(ProbeComDevice(server.address()), PortProbe::Network);
    EXPECT_FALSE(server.waiting(200)) << "nobody connected";
    EXPECT_EQ(ProbeComDevice(QStringLiteral("tcp://127.0.0.1")), PortProbe::Fails);
}

} // namespace
} // namespace orvel
