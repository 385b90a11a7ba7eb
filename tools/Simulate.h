#pragma once
// orvel-cli simulate: a meter on a pseudo-terminal, or served on TCP.

#include "meter/Simulator.h"

#include <QString>

namespace orvel::cli {

struct SimulateOptions
{
    int periodMs = 250;                  ///< time from one frame to the next
    bool pace = false;                   ///< byte by byte at the line's real rate
    qint64 count = -1;                   ///< frames to send; -1 for no end
    QString linkPath;                    ///< a symbolic link to the terminal end, or empty
    QString listen;                      ///< [HOST:]PORT to serve on TCP instead of a terminal, or empty
    MeterFault fault = MeterFault::None; ///< how the meter misbehaves
    QList<ScenarioStep> scenario;
};

/// Opens a pseudo-terminal, prints the path of its terminal end as the first
/// line of standard output, then streams frames until the count is reached or
/// SIGINT/SIGTERM arrives. After a hang-up (MeterFault::HangUp) the new
/// terminal's path is printed as the next line, and the link follows it.
/// With `listen`, the meter is served on TCP instead, to one client at a time
/// (the address, tcp://HOST:PORT, is the first line); a hang-up closes the
/// client's connection, and the address is printed again once the meter is back.
/// Returns the exit status.
int simulate(const SimulateOptions &options);

} // namespace orvel::cli
