#pragma once
// What the windows share of the program's state: the meter's port (the one
// chosen, the one open, the ones the start-up probe found), the comparator's
// limits, the start-up folder, the settings file's lines and whether the link
// has brought a reading. app/ owns one beside the recording and hands it to
// each window that reads or changes it; a test makes its own.

#include "meter/Rscomm.h"
#include "platform/PortNames.h"

#include <QString>
#include <QStringList>

#include <array>

namespace orvel {

struct ProgramState
{
    int SelectedPort = 1;                         ///< port index of the meter, 1..8
    std::array<bool, kProbedPorts> PortPresent{}; ///< COM1..COM8 found by the start-up probe
    std::array<bool, kProbedPorts> PortDenied{};  ///< COM1..COM8 the user may not open (device permissions)
    ComHandle hComPort;                           ///< the open meter port, or null
    QString WorkDir;                              ///< folder that was current at start-up
    double HiLimit = 0.0;                         ///< comparator upper limit, as loaded or last accepted
    double LowLimit = 0.0;                        ///< comparator lower limit, as loaded or last accepted
    bool ReadingReceived = false;                 ///< a reading was decoded since the last unlink
    QStringList SettingsList;                     ///< lines written to the settings file at exit
};

} // namespace orvel
