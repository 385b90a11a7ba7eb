#include "meter/MeterProbe.h"

#include "meter/FrameDecoder.h"
#include "meter/MeterReading.h"
#include "meter/Rscomm.h"
#include "platform/SerialDevice.h"
#include "resources/Strings.h"

#include <QElapsedTimer>

namespace orvel {

namespace {
constexpr int kMeterHeard = 2096;   // "meter: %s"
constexpr int kNoMeterHeard = 2097; // "no meter heard"
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
    if (!SetMeterLine(*device))
        return std::nullopt;
    device->purgeReceive();

    QElapsedTimer clock;
    clock.start();
    for (qint64 left = timeoutMs; left > 0; left = timeoutMs - clock.elapsed()) {
        CommTimeouts t;
        t.readInterval = kReadIntervalMs;
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

QString heardText(const std::optional<QString> &heard)
{
    return heard ? LoadStrArg(kMeterHeard, *heard) : LoadStr(kNoMeterHeard);
}

} // namespace orvel
