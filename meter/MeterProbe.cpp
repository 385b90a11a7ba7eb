#include "meter/MeterProbe.h"

#include "meter/FrameDecoder.h"
#include "meter/MeterReading.h"
#include "platform/SerialDevice.h"

#include <QElapsedTimer>

namespace orvel {

namespace {
constexpr int kInterByteMs = 30; // a gap this long ends a frame
} // namespace

QString displayLine(const DigitalPanels &p)
{
    QString line = p.DataPanel;
    const QString unit = labelText(p.UnitPanel, p.style.prefixFace) + labelText(p.FuncPanel, p.style.unitFace);
    if (!unit.isEmpty())
        line += QLatin1Char(' ') + unit;
    if (!p.pnlAcDc.isEmpty())
        line += QLatin1Char(' ') + p.pnlAcDc;
    return line;
}

std::optional<QString> listenForMeter(const QString &path, int timeoutMs)
{
    std::unique_ptr<SerialDevice> device = openSerialDevice(path);
    if (!device)
        return std::nullopt;
    LineState state;
    if (!device->getState(state))
        return std::nullopt;
    state.baudRate = 9600;
    state.byteSize = 8;
    state.parity = Parity::None;
    state.stopBits = StopBits::One;
    state.rtsControl = RtsControl::Disable;
    if (!device->setState(state))
        return std::nullopt;
    device->purgeReceive();

    QElapsedTimer clock;
    clock.start();
    for (qint64 left = timeoutMs; left > 0; left = timeoutMs - clock.elapsed()) {
        CommTimeouts t;
        t.readInterval = kInterByteMs;
        t.readTotalConstant = std::uint32_t(left);
        if (!device->setTimeouts(t))
            return std::nullopt;
        Frame frame{};
        const std::int64_t n = device->read(reinterpret_cast<char *>(frame.data()), std::int64_t(frame.size()));
        if (n < 0)
            return std::nullopt;
        // Only a whole frame counts; a read that started inside one ends at its gap.
        if (n != std::int64_t(frame.size()))
            continue;
        const std::optional<DecodedFrame> decoded = decodeFrame(frame);
        if (!decoded)
            continue;
        ReadingComputation computation;
        computation.takeFrame(*decoded);
        computation.complete(0.0, 0.0);
        return displayLine(computation.digital);
    }
    return std::nullopt;
}

} // namespace orvel
