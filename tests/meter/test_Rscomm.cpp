#include "meter/Rscomm.h"

#include "meter/FrameEncoder.h"
#include "meter/MeterProbe.h"
#include "tests/support/PseudoTerminal.h"
#include "tests/support/ScriptedPrompt.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include <termios.h>

namespace orvel {
namespace {

using test::IsolatedPorts;
using test::openDescriptorCount;
using test::PseudoTerminal;
using test::ScopedPrompt;

const QStringList kOpenError{"Error[E9001]"};

// A real device whose time-out or state calls can be made to fail, and which
// tells whether it was closed.
struct FaultyDevice : SerialDevice
{
    std::unique_ptr<SerialDevice> real;
    bool failGetState = false, failSetState = false, failGetTimeouts = false, failSetTimeouts = false;
    bool *closed = nullptr;

    QString path() const override { return real->path(); }
    int descriptor() const override { return real->descriptor(); }
    bool getState(LineState &s) override { return !failGetState && real->getState(s); }
    bool setState(const LineState &s) override { return !failSetState && real->setState(s); }
    bool getTimeouts(CommTimeouts &t) override { return !failGetTimeouts && real->getTimeouts(t); }
    bool setTimeouts(const CommTimeouts &t) override { return !failSetTimeouts && real->setTimeouts(t); }
    bool purgeReceive() override { return real->purgeReceive(); }
    bool purgeTransmit() override { return real->purgeTransmit(); }
    bool flush() override { return real->flush(); }
    std::int64_t read(char *b, std::int64_t n) override { return real->read(b, n); }
    std::int64_t readAvailable(char *b, std::int64_t n) override { return real->readAvailable(b, n); }
    void close() override
    {
        *closed = true;
        real->close();
    }
};

class RscommTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        setSerialOpener(nullptr);
        setPauseFunction(nullptr);
    }

    // Opens devices through FaultyDevice with the given faults.
    void injectFault(void (*configure)(FaultyDevice &))
    {
        setSerialOpener([this, configure](const QString &path) -> std::unique_ptr<SerialDevice> {
            auto real = openSerialDevice(path);
            if (!real)
                return nullptr;
            auto dev = std::make_unique<FaultyDevice>();
            dev->real = std::move(real);
            dev->closed = &closed;
            configure(*dev);
            return dev;
        });
    }

    // Opens port 2 through FaultyDevice with the given faults: the open fails, and the device is closed with
    // nothing left open. Returns the captions of the boxes shown.
    QStringList captionsOfFailedOpen(void (*configure)(FaultyDevice &))
    {
        prompt->messages.clear();
        closed = false;
        injectFault(configure);
        const int before = openDescriptorCount();
        EXPECT_EQ(OpenComPort(2), nullptr);
        EXPECT_TRUE(closed);
        EXPECT_EQ(openDescriptorCount(), before);
        return prompt->captions();
    }

    IsolatedPorts ports;
    ScopedPrompt prompt;
    bool closed = false;
};

TEST_F(RscommTest, IndexesWithoutADeviceShowOneOpenErrorAndReturnNull)
{
    for (int index : {0, 4, 11, 12, -1}) {
        prompt->messages.clear();
        EXPECT_EQ(OpenComPort(index), nullptr) << index;
        ASSERT_EQ(prompt->captions(), kOpenError) << index;
        const MessageRequest &m = prompt->messages[0];
        EXPECT_EQ(m.text, "The specified serial port open error.");
        EXPECT_EQ(m.icon, PromptIcon::Stop);
        EXPECT_EQ(m.buttons, QList<PromptButton>{PromptButton::Ok});
        EXPECT_EQ(m.owner, nullptr) << "the open error has no owner window";
    }
}

TEST_F(RscommTest, EnvironmentOverrideReachesAPseudoTerminal)
{
    PseudoTerminal pty;
    ports.route(5, pty.path());
    ComHandle port = OpenComPort(5);
    ASSERT_NE(port, nullptr);
    EXPECT_TRUE(prompt->messages.isEmpty());
    EXPECT_EQ(port->path(), pty.path());

    // The meter's settings are in force and the 30 ms gap ends a short read.
    termios tio{};
    ASSERT_EQ(tcgetattr(port->descriptor(), &tio), 0);
    EXPECT_EQ(cfgetispeed(&tio), speed_t(B9600));
    EXPECT_EQ(tio.c_cflag & (CSIZE | PARENB | CSTOPB), tcflag_t(CS8));
    CommTimeouts t;
    ASSERT_TRUE(port->getTimeouts(t));
    EXPECT_EQ(t.readInterval, 30u);
    EXPECT_EQ(t.readTotalMultiplier, 0u);
    EXPECT_EQ(t.readTotalConstant, 12000u);
    EXPECT_EQ(t.writeTotalMultiplier, 0u);
    EXPECT_EQ(t.writeTotalConstant, 1000u);

    ASSERT_TRUE(pty.send("\x02\x14\x20"));
    char buf[15];
    EXPECT_EQ(port->read(buf, 15), 3);
    CloseComPort(std::move(port));
}

TEST_F(RscommTest, DeviceHeldByAnotherOpenFailsAndLeavesNothingOpen)
{
    PseudoTerminal pty;
    ports.route(3, pty.path());
    auto holder = openSerialDevice(pty.path());
    ASSERT_NE(holder, nullptr);
    const int before = openDescriptorCount();
    EXPECT_EQ(OpenComPort(3), nullptr);
    EXPECT_EQ(prompt->captions(), kOpenError);
    EXPECT_EQ(openDescriptorCount(), before);
}

TEST_F(RscommTest, SettingFailuresShowTheirBoxesAndClose)
{
    PseudoTerminal pty;
    ports.route(2, pty.path());
    // The line settings failing shows only the open error.
    EXPECT_EQ(captionsOfFailedOpen([](FaultyDevice &d) { d.failGetState = true; }), kOpenError);
    EXPECT_EQ(captionsOfFailedOpen([](FaultyDevice &d) { d.failSetState = true; }), kOpenError);

    // The time-outs failing shows three boxes in order, whether writing or reading them.
    const QStringList boxes{"Error[E9009]", "Warning[W8001]", "Error[E9001]"};
    EXPECT_EQ(captionsOfFailedOpen([](FaultyDevice &d) { d.failSetTimeouts = true; }), boxes);
    ASSERT_EQ(prompt->messages.size(), 3);
    EXPECT_EQ(prompt->messages[0].text, "The COM port setting raises an error.");
    EXPECT_EQ(prompt->messages[0].icon, PromptIcon::Exclamation);
    EXPECT_EQ(prompt->messages[1].text, "You must select a valid COM port before linking to the DMM.");
    EXPECT_EQ(prompt->messages[1].icon, PromptIcon::Exclamation);
    EXPECT_EQ(prompt->messages[2].icon, PromptIcon::Stop);
    EXPECT_EQ(captionsOfFailedOpen([](FaultyDevice &d) { d.failGetTimeouts = true; }), boxes);
}

TEST_F(RscommTest, SetComTimeoutsOnNullShowsTheSettingBoxes)
{
    EXPECT_FALSE(SetComTimeouts(nullptr, kReadTotalMs));
    EXPECT_EQ(prompt->captions(), (QStringList{"Error[E9009]", "Warning[W8001]"}));
}

TEST_F(RscommTest, BytesSentBeforeTheOpenAreNotReadAfterIt)
{
    PseudoTerminal pty;
    ports.route(1, pty.path());
    ASSERT_TRUE(pty.send("\x02\x14\x20\x30\x4A\x5B\x6D\x78\x8F\x94\xAE\xB0\xC0\xD0\xE4 old frame\n"));
    ComHandle port = OpenComPort(1);
    ASSERT_NE(port, nullptr);
    CommTimeouts shortWait{30, 0, 60, 0, 1000};
    ASSERT_TRUE(port->setTimeouts(shortWait));
    char buf[32];
    EXPECT_EQ(port->read(buf, sizeof buf), 0);
    ASSERT_TRUE(pty.send("new"));
    EXPECT_EQ(port->read(buf, sizeof buf), 3);
}

TEST_F(RscommTest, CloseOfNullReturnsAtOnceWithoutPausing)
{
    QList<int> pauses;
    setPauseFunction([&pauses](int ms) { pauses.append(ms); });
    CloseComPort(nullptr);
    EXPECT_TRUE(pauses.isEmpty());
}

TEST_F(RscommTest, CloseFlushesPausesAndFreesTheDevice)
{
    PseudoTerminal pty;
    ports.route(6, pty.path());
    const int before = openDescriptorCount();
    ComHandle port = OpenComPort(6);
    ASSERT_NE(port, nullptr);
    QList<int> pauses;
    int openDuringPause = -1;
    setPauseFunction([&](int ms) {
        pauses.append(ms);
        openDuringPause = openDescriptorCount();
    });
    CloseComPort(std::move(port));
    EXPECT_EQ(pauses, QList<int>{100});
    EXPECT_EQ(openDuringPause, before + 1) << "the pause comes before the close";
    EXPECT_EQ(openDescriptorCount(), before);
    EXPECT_TRUE(ProbeComPort(6)) << "the device can be opened again";
}

TEST_F(RscommTest, ProbeFindsOnlyPortsThatOpen)
{
    PseudoTerminal pty;
    ports.route(7, pty.path());
    EXPECT_TRUE(ProbeComPort(7));
    EXPECT_FALSE(ProbeComPort(8));
    EXPECT_FALSE(ProbeComPort(0));
    EXPECT_TRUE(prompt->messages.isEmpty()) << "probing shows nothing";
}

TEST_F(RscommTest, ListeningFindsAMeterThatTalksAndNothingOnASilentLine)
{
    PseudoTerminal meter;
    DisplayState shown = displayFromText(QStringLiteral("1.234")).value();
    shown.dc = shown.volt = true;
    const QByteArray frame = frameBytes(encodeFrame(shown).value());
    std::atomic<bool> stop = false;
    std::thread talker([&] {
        meter.send(frame.left(6)); // a read may start inside a frame
        while (!stop) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            meter.send(frame);
        }
    });
    const std::optional<QString> heard = listenForMeter(meter.path());
    stop = true;
    talker.join();
    ASSERT_TRUE(heard.has_value());
    EXPECT_EQ(*heard, QStringLiteral("1.234 V DC"));

    PseudoTerminal silent;
    EXPECT_FALSE(listenForMeter(silent.path(), 300).has_value());
    EXPECT_FALSE(listenForMeter(QStringLiteral("/nonexistent/tty"), 300).has_value());
    EXPECT_TRUE(prompt->messages.isEmpty()) << "listening shows nothing";
}

} // namespace
} // namespace orvel
