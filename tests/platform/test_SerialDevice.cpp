#include "platform/SerialDevice.h"

#include "tests/support/PseudoTerminal.h"

#include <QTemporaryFile>

#include <gtest/gtest.h>

#include <termios.h>

namespace orvel {
namespace {

using test::openDescriptorCount;
using test::PseudoTerminal;

std::unique_ptr<SerialDevice> openRaw(const PseudoTerminal &pty, const CommTimeouts &t)
{
    auto dev = openSerialDevice(pty.path());
    if (!dev)
        return dev;
    LineState state;
    dev->getState(state);
    state.baudRate = 9600;
    state.byteSize = 8;
    state.parity = Parity::None;
    state.stopBits = StopBits::One;
    state.rtsControl = RtsControl::Disable;
    if (!dev->setState(state) || !dev->setTimeouts(t))
        return nullptr;
    return dev;
}

TEST(SerialDeviceOpen, OpensATerminalExclusively)
{
    PseudoTerminal pty;
    ASSERT_TRUE(pty.isValid());
    const int before = openDescriptorCount();
    auto first = openSerialDevice(pty.path());
    ASSERT_NE(first, nullptr);
    QString error;
    EXPECT_EQ(openSerialDevice(pty.path(), &error), nullptr) << "a second open of a held device fails";
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(probeSerialDevice(pty.path()));
    first->close();
    EXPECT_EQ(openDescriptorCount(), before);
    EXPECT_TRUE(probeSerialDevice(pty.path())) << "free again once closed";
}

TEST(SerialDeviceOpen, RefusesWhatIsNotATerminal)
{
    QTemporaryFile file;
    ASSERT_TRUE(file.open());
    const int before = openDescriptorCount();
    for (const QString &path :
         {QStringLiteral("/nonexistent/ttyS9"), QStringLiteral(""), QStringLiteral("/dev/null"), file.fileName()})
        EXPECT_EQ(openSerialDevice(path), nullptr) << qPrintable(path);
    EXPECT_EQ(openDescriptorCount(), before) << "failed opens leave nothing open";
}

TEST(SerialDeviceState, AppliesRawEightNoneOne)
{
    PseudoTerminal pty;
    auto dev = openRaw(pty, {});
    ASSERT_NE(dev, nullptr);
    LineState state;
    ASSERT_TRUE(dev->getState(state));
    EXPECT_EQ(state.baudRate, 9600);
    EXPECT_EQ(state.byteSize, 8);
    EXPECT_EQ(state.parity, Parity::None);
    EXPECT_EQ(state.stopBits, StopBits::One);
    EXPECT_EQ(state.rtsControl, RtsControl::Disable);

    termios tio{};
    ASSERT_EQ(tcgetattr(dev->descriptor(), &tio), 0);
    EXPECT_EQ(cfgetispeed(&tio), speed_t(B9600));
    EXPECT_EQ(tio.c_cflag & CSIZE, tcflag_t(CS8));
    EXPECT_FALSE(tio.c_cflag & (PARENB | CSTOPB | CRTSCTS));
    EXPECT_FALSE(tio.c_lflag & (ICANON | ECHO | ISIG)) << "raw: no line editing, echo or signals";
    EXPECT_FALSE(tio.c_iflag & (ICRNL | IXON)) << "raw: no translation, no software flow control";

    state.byteSize = 9;
    EXPECT_FALSE(dev->setState(state));
}

TEST(SerialDeviceRead, EndsWithAFullBufferAfterABurstOrWhenTheLineStaysSilent)
{
    const struct
    {
        std::uint32_t totalTimeout;
        QByteArray sent;
        int received;
    } rows[] = {
        {2000, QByteArray(20, 'x'), 15},            // a full buffer at once
        {10000, "\x01\x12\x23\x34\x45\x56\x67", 7}, // the gap after a short burst ends it
        {50, QByteArray(), 0},                      // nothing arrives
    };
    for (const auto &row : rows) {
        PseudoTerminal pty;
        auto dev = openRaw(pty, {30, 0, row.totalTimeout, 0, 0});
        ASSERT_NE(dev, nullptr);
        ASSERT_TRUE(row.sent.isEmpty() || pty.send(row.sent));
        char buf[15] = {};
        EXPECT_EQ(dev->read(buf, 15), row.received) << row.totalTimeout;
        EXPECT_EQ(QByteArray(buf, row.received), row.sent.left(row.received));
    }
}

TEST(SerialDeviceRead, PurgeDiscardsWhatArrivedEarlier)
{
    PseudoTerminal pty;
    auto dev = openRaw(pty, {30, 0, 50, 0, 0});
    ASSERT_NE(dev, nullptr);
    ASSERT_TRUE(pty.send("stale bytes"));
    char buf[15];
    ASSERT_EQ(dev->readAvailable(buf, 1), 1) << "bytes are there before the purge";
    EXPECT_TRUE(dev->purgeReceive());
    EXPECT_EQ(dev->read(buf, 15), 0);
    ASSERT_TRUE(pty.send("new"));
    EXPECT_EQ(dev->read(buf, 15), 3);
}

TEST(SerialDeviceRead, FailsOnceClosed)
{
    PseudoTerminal pty;
    auto dev = openRaw(pty, {30, 0, 50, 0, 0});
    ASSERT_NE(dev, nullptr);
    dev->close();
    char buf[4];
    EXPECT_EQ(dev->read(buf, 4), -1);
    CommTimeouts t;
    EXPECT_FALSE(dev->getTimeouts(t));
    EXPECT_FALSE(dev->setTimeouts(t));
    LineState s;
    EXPECT_FALSE(dev->getState(s));
    EXPECT_EQ(dev->descriptor(), -1);
}

} // namespace
} // namespace orvel
