#pragma once
// Serial ports are known by the names COM1 … COM10; this maps such a name to a
// device path. In order, the first rule that names the port wins:
//   1. the environment variable ORVEL_COMn (one run, for scripts and tests);
//   2. a line "COMn=/dev/…" in the per-user file <config>/orvel/ports.conf;
//   3. the default table below.

#include <QString>

namespace orvel {

inline constexpr int kComPortCount = 10; ///< ports COM1 … COM10
inline constexpr int kProbedPorts = 8;   ///< ports offered to the user: COM1 … COM8

/// Device names by port index, one fixed 8-byte zero-padded slot each;
/// index 0 has no name.
extern const char ComPortNames[kComPortCount + 1][8];

/// "COMn" for 1..10, an empty text for any other index.
QString comPortName(int index);

/// The default device of port `index` (1..10), empty for any other index.
QString defaultDevicePath(int index);

/// The per-user override file (it need not exist).
QString portOverrideFilePath();

/// Name of the environment variable that overrides port `name` for one run.
QString portEnvironmentVariable(const QString &name);

enum class PortSource { None, Environment, UserFile, Default };

struct ResolvedPort
{
    QString path; ///< empty when the name maps to nothing
    PortSource source = PortSource::None;
};

/// The device path of port `name` ("COM3"); letter case of the name is ignored.
ResolvedPort resolvePort(const QString &name);

/// The device path of port `index`; empty for an index outside 1..10.
QString devicePathForPort(int index);

} // namespace orvel
