#pragma once
// State shared by several windows. Plain globals on the one GUI thread.

#include "meter/Rscomm.h"
#include "platform/PortNames.h"

#include <QString>
#include <QStringList>

#include <array>

namespace orvel {

extern int SelectedPort;                           ///< port index of the meter, 1..8
extern std::array<bool, kProbedPorts> PortPresent; ///< COM1..COM8 found by the start-up probe
extern std::array<bool, kProbedPorts> PortDenied;  ///< COM1..COM8 the user may not open (device permissions)
extern ComHandle hComPort;                         ///< the open meter port, or null
extern QString WorkDir;                            ///< folder that was current at start-up
extern int TaskbarReserve;                         ///< pixels reserved for the task bar at the screen's bottom
extern double HiLimit;                             ///< comparator upper limit, as loaded or last accepted
extern double LowLimit;                            ///< comparator lower limit, as loaded or last accepted
extern bool ReadingReceived;                       ///< a reading was decoded since the last unlink
extern QStringList SettingsList;                   ///< lines written to the settings file at exit

class Recording;

/// The program's one recording: the reading buffer and the recorder's state.
/// It is made before the windows and goes after them (WindowSet); the recorder
/// window stores, clears and loads, the data list, the viewer, the export and
/// the statistics read it.
Recording &recording();
/// Makes `r` the program's recording (null when it goes).
void setProgramRecording(Recording *r);

/// Puts every shared value back to its value before start-up (for tests and restarts).
void ResetSharedState();

} // namespace orvel
