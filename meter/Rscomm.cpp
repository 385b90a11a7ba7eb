#include "meter/Rscomm.h"

#include "base/Messageshow.h"
#include "platform/NetworkDevice.h"
#include "platform/PortNames.h"
#include "resources/Strings.h"

#include <QCoreApplication>
#include <QThread>

#include <cerrno>

namespace orvel {

namespace {
constexpr int kPortOpenError = 9001;
constexpr int kNoValidPort = 8001;
constexpr int kPortSettingError = 9009;

SerialOpener &opener()
{
    static SerialOpener current;
    return current;
}

PauseFunction &pauser()
{
    static PauseFunction current;
    return current;
}

std::unique_ptr<SerialDevice> openDevice(const QString &path, int *errorCode = nullptr)
{
    if (opener()) {
        errno = 0; // a test's opener tells why it failed the way the system does
        auto device = opener()(path);
        if (!device && errorCode)
            *errorCode = errno;
        return device;
    }
    return openSerialDevice(path, nullptr, errorCode);
}

void pause(int ms)
{
    if (pauser())
        pauser()(ms);
    else
        QThread::msleep(ulong(ms));
}

// The open error is a plain box without an owner window.
void showOpenError()
{
    MessageShow(nullptr, str::ErrorCaption, kPortOpenError, {PromptButton::Ok}, PromptIcon::Stop);
}

ComHandle failAndClose(ComHandle port)
{
    showOpenError();
    port->close();
    return nullptr;
}
} // namespace

SerialOpener setSerialOpener(SerialOpener next)
{
    std::swap(opener(), next);
    return next;
}

PauseFunction setPauseFunction(PauseFunction next)
{
    std::swap(pauser(), next);
    return next;
}

ComHandle OpenComPort(int portIndex)
{
    // Index 0 and indexes above 10 have no name: they fail like a missing port.
    return OpenComDevice(devicePathForPort(portIndex));
}

ComHandle OpenComDevice(const QString &path)
{
    // A network port written wrong is named, with what is wrong with it.
    QString why;
    if (isNetworkPath(path) && !parseNetworkAddress(path, &why)) {
        MessageShowText(nullptr, str::ErrorCaption, str::NotANetworkPort, notANetworkPortText(path, why),
                        {PromptButton::Ok}, PromptIcon::Stop);
        return nullptr;
    }
    ComHandle port = path.isEmpty() ? nullptr : openDevice(path);
    if (!port) {
        showOpenError();
        return nullptr;
    }

    if (!SetMeterLine(*port))
        return failAndClose(std::move(port));

    if (!SetComTimeouts(port.get(), kReadTotalMs))
        return failAndClose(std::move(port));

    // Whatever arrived before now belongs to no read of ours.
    port->purgeReceive();
    port->purgeTransmit();
    return port;
}

bool SetMeterLine(SerialDevice &port)
{
    LineState state;
    if (!port.getState(state))
        return false;
    state.baudRate = kMeterBaudRate;
    state.byteSize = 8;
    state.parity = Parity::None;
    state.stopBits = StopBits::One;
    state.rtsControl = RtsControl::Disable;
    return port.setState(state);
}

bool SetComTimeouts(SerialDevice *port, std::uint32_t readTotalMs)
{
    CommTimeouts timeouts;
    if (!port || !port->getTimeouts(timeouts)) {
        ShowPortSettingError();
        return false;
    }
    timeouts.readInterval = kReadIntervalMs;
    timeouts.readTotalMultiplier = 0;
    timeouts.readTotalConstant = readTotalMs;
    timeouts.writeTotalMultiplier = 0;
    timeouts.writeTotalConstant = kWriteTotalMs;
    if (!port->setTimeouts(timeouts)) {
        ShowPortSettingError();
        return false;
    }
    return true;
}

void ShowPortSettingError()
{
    // These two go through the application's own message box.
    const QObject *app = QCoreApplication::instance();
    MessageShow(app, str::ErrorCaption, kPortSettingError, {PromptButton::Ok}, PromptIcon::Exclamation);
    MessageShow(app, str::WarningCaption, kNoValidPort, {PromptButton::Ok}, PromptIcon::Exclamation);
}

void CloseComPort(ComHandle port)
{
    if (!port)
        return;
    if (!port->hungUp()) { // nothing to flush on a line that is gone
        port->flush();
        pause(kClosePauseMs);
    }
    port->close();
}

Frame LastFrame{};

int ReadMeterFrame(SerialDevice *port, QString &sValue, QString &sExponent, std::uint32_t &dwMode)
{
    if (!port)
        return 0;
    port->purgeReceive(); // start on fresh data: frames are never queued
    std::uint8_t buffer[kFrameSize];
    const auto got = port->read(reinterpret_cast<char *>(buffer), kFrameSize);
    const auto frame = frameOfRead(buffer, int(got), LastFrame);
    if (!frame)
        return 0;
    if (got < kFrameSize)
        pause(1);
    const auto decoded = decodeFrame(*frame);
    if (!decoded)
        return 0;
    sValue = decoded->sValue;
    sExponent = decoded->sExponent;
    dwMode = decoded->dwMode;
    return 1;
}

bool ProbeComPort(int portIndex)
{
    return ProbeComDevice(devicePathForPort(portIndex)) == PortProbe::Opens;
}

PortProbe ProbeComDevice(const QString &path)
{
    if (path.isEmpty())
        return PortProbe::Fails;
    // Not connected here: a connection may take seconds, and the probe must not.
    if (isNetworkPath(path))
        return parseNetworkAddress(path) ? PortProbe::Network : PortProbe::Fails;
    int errorCode = 0;
    if (openDevice(path, &errorCode))
        return PortProbe::Opens;
    return isAccessDenied(errorCode) ? PortProbe::Denied : PortProbe::Fails;
}

} // namespace orvel
