#pragma once
// A serial device opened by path: the small part of a serial port that the
// meter link needs, with the read time-outs of the classic communications API
// (an interval between bytes and a total per read) done in user space.

#include <QString>

#include <cstdint>
#include <memory>

namespace orvel {

enum class Parity { None, Odd, Even };
enum class StopBits { One, Two };
enum class RtsControl { Disable, Enable, Handshake };

/// Line settings of an open port (the device control block).
struct LineState
{
    int baudRate = 9600;
    int byteSize = 8; ///< data bits, 5..8
    Parity parity = Parity::None;
    StopBits stopBits = StopBits::One;
    RtsControl rtsControl = RtsControl::Enable;
};

/// Time-outs in milliseconds. A read returns when its buffer is full, when
/// `readInterval` passes after a byte without the next one, or when the total
/// (`readTotalMultiplier` × bytes asked + `readTotalConstant`) has passed.
/// Zero means "not used" for each part.
struct CommTimeouts
{
    std::uint32_t readInterval = 0;
    std::uint32_t readTotalMultiplier = 0;
    std::uint32_t readTotalConstant = 0;
    std::uint32_t writeTotalMultiplier = 0;
    std::uint32_t writeTotalConstant = 0;
};

class SerialDevice
{
public:
    virtual ~SerialDevice() = default;

    virtual QString path() const = 0;
    /// The file descriptor, for socket notifiers; -1 once closed.
    virtual int descriptor() const = 0;

    virtual bool getState(LineState &state) = 0;
    /// Applies the settings in raw mode (no echo, no line editing, no
    /// translation, receiver on, modem status lines ignored).
    virtual bool setState(const LineState &state) = 0;
    virtual bool getTimeouts(CommTimeouts &timeouts) = 0;
    virtual bool setTimeouts(const CommTimeouts &timeouts) = 0;

    /// Discards what was received and not yet read.
    virtual bool purgeReceive() = 0;
    /// Discards what was written and not yet sent.
    virtual bool purgeTransmit() = 0;
    /// Waits until everything written has been sent.
    virtual bool flush() = 0;

    /// Reads up to `size` bytes under the time-outs; the number of bytes read
    /// (0 when the time-out passed with nothing), or -1 when the read failed.
    virtual std::int64_t read(char *buffer, std::int64_t size) = 0;
    /// Reads what has already arrived, without waiting; -1 on failure.
    virtual std::int64_t readAvailable(char *buffer, std::int64_t size) = 0;
    /// The other end hung up (a pulled cable, a closed pseudo-terminal): reads
    /// fail at once from then on, and nothing comes again until the device is
    /// opened anew. Set by the read that met the hang-up.
    virtual bool hungUp() const { return false; }
    /// While the device is still being reached (a network connection under way):
    /// milliseconds until it gives up, after which a read fails and hungUp() is
    /// set; -1 for a device that is not connecting.
    virtual int connectingMs() const { return -1; }
    /// Why a device that hung up never carried the meter's bytes (a connection
    /// refused, a host unknown), as a message naming it; empty for a plain hang-up.
    virtual QString failure() const { return {}; }

    virtual void close() = 0;
};

/// Reads up to `size` bytes from `device` under `timeouts` (the rules of
/// SerialDevice::read), waiting for its descriptor to become readable; a wait
/// never outlasts the device's connectingMs().
std::int64_t readUnderTimeouts(SerialDevice &device, const CommTimeouts &timeouts, char *buffer, std::int64_t size);

/// Opens `path` for reading and writing, exclusively (a second open of the same
/// device, by this or another process that honours the lock, fails), without
/// making it the controlling terminal and without waiting for a carrier.
/// Fails when the device does not exist or is not a terminal; then `errorCode`
/// gets the system's error number (ENOENT, EACCES, EBUSY, ENOTTY, …).
/// A path "tcp://HOST:PORT" opens a network stream instead (NetworkDevice.h).
std::unique_ptr<SerialDevice> openSerialDevice(const QString &path, QString *error = nullptr, int *errorCode = nullptr);

/// True when `path` opens as a terminal right now (it is closed again at once).
bool probeSerialDevice(const QString &path);

/// True for the error numbers that mean the user may not use the device
/// (on most systems: not a member of the group that owns serial devices).
bool isAccessDenied(int errorCode);

} // namespace orvel
