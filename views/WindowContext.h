#pragma once
// What a window is handed when it is made: the program's recording and shared
// state, where to place itself, and the few things of the main window it may
// use (the current reading, the progress window, the window that holds the
// link). app/ fills one in; a test fills one in from core objects alone.

class QObject;

namespace orvel {

struct PlacementContext;
struct ProgramState;
struct TMeterReading;
class ProgressWindow;
class Recording;

struct WindowContext
{
    ProgramState &state;
    Recording &recording;
    PlacementContext &placement;
    const TMeterReading *reading = nullptr; ///< the one current reading (the link's), or null without one
    ProgressWindow *progress = nullptr;     ///< shows a file load, or null for none
    QObject *linkWindow = nullptr;          ///< told UM_UNLINK and UM_STATE_CHANGED, or null
};

} // namespace orvel
