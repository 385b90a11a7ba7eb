#pragma once
// What a window is handed when it is made: the program's recording and shared
// state, where to place itself, and the few things of the windows above it
// that it may use (the current reading, the progress window, the window that
// holds the link; for the recorder window the data list, the viewer and the
// export dialog). app/ fills one in; a test fills one in from core objects alone.

#include <functional>

class QObject;

namespace orvel {

class PEGraph;
class ProgressWindow;
class Recording;
struct PlacementContext;
struct ProgramState;
struct TMeterReading;

struct WindowContext
{
    ProgramState &state;
    Recording &recording;
    PlacementContext &placement;
    const TMeterReading *reading = nullptr; ///< the one current reading (the link's), or null without one
    ProgressWindow *progress = nullptr;     ///< shows a file load, or null for none
    QObject *linkWindow = nullptr;          ///< told UM_UNLINK and UM_STATE_CHANGED, or null
    QObject *dataList = nullptr;            ///< told UM_LIST_ADD and UM_LIST_RESET, or null
    /// Shows the whole recording in the graph viewer (Fit view); none: nothing.
    std::function<void()> fitView{};
    /// The export dialog for pages of the recording on `chart`, each put there
    /// by the second argument; none: nothing.
    std::function<void(PEGraph &chart, const std::function<void(int page)> &loadPage)> exportPages{};
};

} // namespace orvel
