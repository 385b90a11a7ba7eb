#pragma once
// Start-up and shutdown: the fifteen windows, the port probe, the settings file.

#include <QList>

#include <memory>
#include <vector>

class QWidget;

namespace orvel {

class Recording;

/// Every window of the program, created once in a fixed order (the main window
/// first: the others read its height, the task-bar reserve and the limits) and
/// destroyed in the reverse order; and the program's recording, made before
/// them and gone after them. Each is also reachable through the global
/// pointer of its class (FormMain, DigitalMeterForm, …).
class WindowSet
{
public:
    WindowSet();
    ~WindowSet();
    WindowSet(const WindowSet &) = delete;
    WindowSet &operator=(const WindowSet &) = delete;

    /// The windows in creation order.
    QList<QWidget *> windows() const;

private:
    std::unique_ptr<Recording> recording_;
    std::vector<std::unique_ptr<QWidget>> windows_;
};

/// Fills PortPresent and PortDenied: COM1..COM8 each opened and closed again
/// (a network port is present without a connection being made).
void ProbePorts();

/// Reads the settings file of WorkDir into SelectedPort, HiLimit and LowLimit;
/// a missing file or any unreadable value gives the fallback values.
void LoadSettings();

/// Writes SelectedPort and the comparator's limits to the settings file.
/// A failure is reported in a message box; returns whether the file was written.
bool SaveSettings(double hiLimit, double lowLimit);

} // namespace orvel
