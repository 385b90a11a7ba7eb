#pragma once
// Start-up and shutdown: the fifteen windows, the port probe, the settings file.

#include "meter/ProgramState.h"
#include "platform/WindowPlacement.h"

#include <QList>

#include <memory>
#include <vector>

class QWidget;

namespace orvel {

class Recording;

/// Every window of the program, created once in a fixed order (the main window
/// first: the others read its height, the task-bar reserve and the limits) and
/// destroyed in the reverse order; and the program's core objects (the
/// recording, the shared state, where windows go), made before them and gone
/// after them. Each window is handed the core objects it needs, and is also
/// reachable through the global pointer of its class (FormMain, DigitalMeterForm, …).
class WindowSet
{
public:
    WindowSet();
    ~WindowSet();
    WindowSet(const WindowSet &) = delete;
    WindowSet &operator=(const WindowSet &) = delete;

    /// The windows in creation order.
    QList<QWidget *> windows() const;

    Recording &recording() const { return *recording_; }
    ProgramState &state() { return state_; }

private:
    std::unique_ptr<Recording> recording_;
    ProgramState state_;
    PlacementContext placement_;
    std::vector<std::unique_ptr<QWidget>> windows_;
};

/// Fills PortPresent and PortDenied: COM1..COM8 each opened and closed again
/// (a network port is present without a connection being made).
void ProbePorts(ProgramState &state);

/// Reads the settings file of WorkDir into SelectedPort, HiLimit and LowLimit;
/// a missing file or any unreadable value gives the fallback values.
void LoadSettings(ProgramState &state);

/// Writes SelectedPort and the comparator's limits to the settings file.
/// A failure is reported in a message box; returns whether the file was written.
bool SaveSettings(ProgramState &state);

} // namespace orvel
