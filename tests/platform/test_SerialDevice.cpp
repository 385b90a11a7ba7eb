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
    EXPECT_EQ(openSerialDevice("/nonexistent/ttyS9"), nullptr);
    EXPECT_EQ(openSerialDevice(""), nullptr);
    EXPECT_EQ(openSerialDevice("/dev/null"), nullptr);
    EXPECT_EQ(openSerialDevice(file.fileName()), nullptr);
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

TEST(SerialDeviceRead, ReturnsAFullBufferAtOnce)
{
    PseudoTerminal pty;
    auto dev = openRaw(pty, {30, 0, 2000, 0, 0});
    ASSERT_NE(dev, nullptr);
    ASSERT_TRUE(pty.send(QByteArray(20, 'x')));
    char buf[15];
    EXPECT_EQ(dev->read(buf, 15), 15);
}

TEST(SerialDeviceRead, EndsAfterTheGapThatFollowsAShortBurst)
{
    PseudoTerminal pty;
    auto dev = openRaw(pty, {30, 0, 10000, 0, 0});
    ASSERT_NE(dev, nullptr);
    ASSERT_TRUE(pty.send("\x01\x12\x23\x34\x45\x56\x67"));
    char buf[15];
    EXPECT_EQ(dev->read(buf, 15), 7);
    EXPECT_EQ(QByteArray(buf, 7), QByteArray("\x01\x12\x23\x34\x45\x56\x67"));
}

TEST(SerialDeviceRead, ReturnsNothingWhenTheLineStaysSilent)
{
    PseudoTerminal pty;
    auto dev = openRaw(pty, {30, 0, 50, 0, 0});
    ASSERT_NE(dev, nullptr);
    char buf[15];
    EXPECT_EQ(dev->read(buf, 15), 0);
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
