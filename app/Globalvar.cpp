#include "app/Globalvar.h"

#include "recorder/Recording.h"

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
QStringList SettingsList;

namespace {
Recording *programRecording = nullptr;
} // namespace

Recording &recording()
{
    Q_ASSERT(programRecording);
    return *programRecording;
}

void setProgramRecording(Recording *r)
{
    programRecording = r;
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
    SettingsList.clear();
}

} // namespace orvel
