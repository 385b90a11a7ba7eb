#pragma once
// The meter's serial port: opened by its index (COM1 … COM10), set to the
// meter's fixed line settings and read time-outs, closed at exit. The link only
// listens; nothing is ever written to the meter.

#include "meter/FrameDecoder.h"
#include "platform/SerialDevice.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

namespace orvel {

using ComHandle = std::unique_ptr<SerialDevice>; ///< an open port, or null

inline constexpr int kMeterBaudRate = 9600;
inline constexpr std::uint32_t kReadIntervalMs = 30; ///< gap after the last byte that ends a read
inline constexpr std::uint32_t kReadTotalMs = 12000; ///< longest wait for one read
inline constexpr std::uint32_t kWriteTotalMs = 1000; ///< write time-out (nothing is written)
inline constexpr int kClosePauseMs = 100;            ///< pause between flush and close

/// Opens port `portIndex` (1..10) exclusively and configures it: 9600 baud, 8N1,
/// raw, RTS held off, read time-outs 30 ms between bytes and 12 s in all; then
/// discards both buffers. Returns null after showing the error boxes
/// (E9001; E9009, W8001, E9001 when the time-outs cannot be set).
ComHandle OpenComPort(int portIndex);

/// The same for a device given by its path (orvel-cli's --port /dev/…). A
/// network port (tcp://HOST:PORT) is returned while it connects; a connection
/// that fails shows as a hang-up with the device's failure(). A malformed
/// tcp:// text gets E9011 naming it.
ComHandle OpenComDevice(const QString &path);

/// Sets the meter's line: 9600 baud, 8 data bits, no parity, one stop bit, RTS
/// off. No message boxes; false when the device refused.
bool SetMeterLine(SerialDevice &port);

/// Sets the port's time-outs (`readTotalMs` in all per read). On failure shows
/// E9009 and W8001 and returns false.
bool SetComTimeouts(SerialDevice *port, std::uint32_t readTotalMs);

/// The two boxes that follow a failure to set the time-outs.
void ShowPortSettingError();

/// Flushes, pauses 100 ms and closes `port` (a line that hung up is only
/// closed). Returns at once for a null handle.
void CloseComPort(ComHandle port);

/// The last 15 bytes read in full (all zero at start-up); a short read decodes it again.
extern Frame LastFrame;

/// Reads and decodes one frame from `port`: discards what waited in the receive
/// buffer, reads up to 15 bytes under the port's time-outs, and decodes them
/// (a read of 1 to 14 bytes decodes LastFrame instead). Returns 1 with the three
/// outputs set, or 0 with them untouched (no port, nothing read, or a frame
/// that fails its check).
int ReadMeterFrame(SerialDevice *port, QString &sValue, QString &sExponent, std::uint32_t &dwMode);

/// True when port `portIndex` exists and could be opened now.
bool ProbeComPort(int portIndex);

/// What a probe of a device found: it opens, it does not, the user may not use
/// it, or it is a network port (tcp://HOST:PORT), which is offered like one that opens.
enum class PortProbe { Opens, Fails, Denied, Network };

/// Opens the device at `path` and closes it again at once; no message is shown.
/// A network port is not connected to: a well-formed address gives Network.
PortProbe ProbeComDevice(const QString &path);

// Seams for tests: how a device is opened (a failing opener may set errno to
// say why), and how the close pauses.
using SerialOpener = std::function<std::unique_ptr<SerialDevice>(const QString &path)>;
SerialOpener setSerialOpener(SerialOpener opener); ///< returns the previous opener; null restores the real one
using PauseFunction = std::function<void(int ms)>;
PauseFunction setPauseFunction(PauseFunction pause); ///< null restores the real sleep

} // namespace orvel
