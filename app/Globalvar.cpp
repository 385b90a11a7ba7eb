#include "app/Globalvar.h"

namespace orvel {

int SelectedPort = 1;
std::array<bool, kProbedPorts> PortPresent{};
std::array<bool, kProbedPorts> PortDenied{};
ComHandle hComPort;
QString WorkDir;
int TaskbarReserve = 0;
double HiLimit = 0.0;
double LowLimit = 0.0;
bool ReadingReceived = false;
bool LoadInProgress = false;
bool ExportInProgress = false;
QStringList SettingsList;

ReadingBuffer &readingBuffer()
{
    static ReadingBuffer buffer;
    return buffer;
}

void ResetSharedState()
{
    SelectedPort = 1;
    PortPresent.fill(false);
    PortDenied.fill(false);
    hComPort.reset();
    WorkDir.clear();
    TaskbarReserve = 0;
    HiLimit = 0.0;
    LowLimit = 0.0;
    ReadingReceived = false;
    LoadInProgress = false;
    ExportInProgress = false;
    SettingsList.clear();
    readingBuffer().clear();
}

} // namespace orvel
