#pragma once
// A port that is a network stream: "tcp://HOST:PORT" names a raw TCP connection
// that carries the meter's bytes unchanged, as a serial-to-network server beside
// the meter serves them. It is a SerialDevice like a terminal: the line settings
// are accepted and ignored, the read time-outs are the same, and a connection
// the other end closes is a hang-up.
//
// Opening never blocks: a numeric host needs no look-up, a host name is looked
// up on a thread of its own, and the connection is made without waiting. Reads
// carry it forward while the event loop runs; it gives up after
// kConnectTimeoutMs from the open, and the device then hangs up with failure()
// saying why (refused, no route, name unknown, no answer).

#include "platform/SerialDevice.h"

#include <QString>

#include <memory>
#include <optional>

namespace orvel {

inline constexpr int kConnectTimeoutMs = 2000; ///< longest wait for a connection, look-up included

/// True when `path` is written as an address ("scheme://…"), whatever the scheme:
/// such a text never names a device file.
bool isNetworkPath(const QString &path);

struct NetworkAddress
{
    QString host;         ///< a host name, an IPv4 address, or an IPv6 address without its brackets
    quint16 port = 0;     ///< 1..65535
    bool numeric = false; ///< the host is an address: nothing to look up
};

/// Reads "tcp://HOST:PORT" ("tcp://[::1]:4001" for an IPv6 address). Nothing for
/// a malformed text; then `why` says what is wrong with it.
std::optional<NetworkAddress> parseNetworkAddress(const QString &text, QString *why = nullptr);

/// The message for `text` that names no network port, `why` being parseNetworkAddress's reason.
QString notANetworkPortText(const QString &text, const QString &why);

/// Starts connecting to the address `path` and returns the device at once
/// (a connection that fails shows as a hang-up of the device, with its
/// failure()). Null only for a malformed address (`errorCode` EINVAL, `error`
/// the reason) or when no socket can be made.
std::unique_ptr<SerialDevice> openNetworkDevice(const QString &path, QString *error = nullptr,
                                                int *errorCode = nullptr);

} // namespace orvel
