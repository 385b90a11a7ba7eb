#include "meter/Acquisition.h"
#include "meter/FrameEncoder.h"
#include "meter/Rscomm.h"
#include "tests/support/PseudoTerminal.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

namespace orvel {
namespace {

using test::PseudoTerminal;

QByteArray frameBytes(const char *display)
{
    DisplayState s = displayFromText(QString::fromLatin1(display)).value();
    s.dc = s.volt = true;
    const Frame f = encodeFrame(s).value();
    return QByteArray(reinterpret_cast<const char *>(f.data()), kFrameSize);
}

struct Read
{
    int count = 0;
    QByteArray bytes;
    bool hungUp = false;
};

// One read on a pseudo-terminal: `send` is written once the read has started.
Read readOnce(PseudoTerminal &pty, const std::function<void()> &send)
{
    ComHandle port = OpenComDevice(pty.path()); // raw, 9600 8N1, as the program opens it
    EXPECT_TRUE(port);
    CommTimeouts t;
    port->getTimeouts(t);
    t.readInterval = 30;
    t.readTotalConstant = 2000;
    port->setTimeouts(t);
    FrameReader reader;
    Read result;
    bool done = false;
    QObject::connect(&reader, &FrameReader::finished, [&](int count, const QByteArray &bytes) {
        result = {count, bytes, reader.hungUp()};
        done = true;
    });
    reader.start(port.get());
    send();
    QElapsedTimer clock;
    clock.start();
    while (!done && clock.elapsed() < 5000) // a safety net; the read ends on its own
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    EXPECT_TRUE(done);
    return result;
}

// Bytes that are not one whole frame never come out as one: the reader passes
// over what precedes an index 0 and drops a frame that meets a repeated index.
TEST(FrameReader, OnlyWholeFramesComeOut)
{
    const QByteArray a = frameBytes("1.111");
    const QByteArray b = frameBytes("2.222");
    QByteArray aWithoutByte7 = a;
    aWithoutByte7.remove(7, 1);
    const struct
    {
        const char *what;
        QByteArray sent;
        int count;
        QByteArray frame; ///< the whole frame read, or empty for a short read
    } cases[] = {
        {"a whole frame", a, kFrameSize, a},
        {"the tail of one frame runs into the next", a.mid(6) + b, kFrameSize, b},
        {"noise before the frame", QByteArray::fromHex("02e13f00d2") + b, kFrameSize, b},
        {"a frame that lost a byte, then the next", aWithoutByte7 + b, kFrameSize, b},
        {"two frames back to back", a + b, kFrameSize, a},
        {"a frame cut short", a.left(9), 9, {}},
        {"noise only", QByteArray::fromHex("5a5b5c"), 3, {}},
        {"a frame with a byte of index 15", a.left(5) + QByteArray::fromHex("f0") + a.mid(6), kFrameSize - 1, {}},
    };
    for (const auto &c : cases) {
        PseudoTerminal pty;
        const Read r = readOnce(pty, [&] { pty.send(c.sent); });
        EXPECT_EQ(r.count, c.count) << c.what;
        EXPECT_EQ(r.bytes.toHex(' '), c.frame.toHex(' ')) << c.what;
        EXPECT_FALSE(r.hungUp) << c.what;
    }
}

// A pulled cable ends the read at once and says so; it does not wait out the
// time-out or leave the event loop polling an end that stays readable.
TEST(FrameReader, AHangUpEndsTheReadAtOnce)
{
    PseudoTerminal pty;
    QElapsedTimer clock;
    clock.start();
    const Read r = readOnce(pty, [&] { pty.hangUp(); });
    EXPECT_EQ(r.count, -1);
    EXPECT_TRUE(r.hungUp);
    EXPECT_LT(clock.elapsed(), 1500) << "the read waited for its time-out";
}

// The cycle ends the link on a hang-up: the tick ends as aborted, no warning,
// and lineHungUp follows.
TEST(AcquisitionCycle, AHangUpEndsTheTickAsAbortedWithoutAWarning)
{
    PseudoTerminal pty;
    ComHandle port = openSerialDevice(pty.path());
    ASSERT_TRUE(port);
    AcquisitionCycle cycle;
    int warnings = 0;
    cycle.showWarning = [&](int) {
        ++warnings;
        return PromptButton::Yes;
    };
    QList<bool> ended;
    int hungUp = 0;
    QObject::connect(&cycle, &AcquisitionCycle::tickEnded, [&](bool aborted) { ended << aborted; });
    QObject::connect(&cycle, &AcquisitionCycle::lineHungUp, [&] { ++hungUp; });
    pty.hangUp();
    for (int tick = 0; tick < 3; ++tick) {
        cycle.startTick(port.get());
        QElapsedTimer clock;
        clock.start();
        while (ended.size() == tick && clock.elapsed() < 1500)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        ASSERT_EQ(ended.size(), tick + 1) << "tick " << tick << " did not end at once";
        EXPECT_TRUE(ended.last()) << "tick " << tick;
    }
    EXPECT_EQ(hungUp, 3);
    EXPECT_EQ(warnings, 0);
}

} // namespace
} // namespace orvel
