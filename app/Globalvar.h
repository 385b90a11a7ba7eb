#pragma once
// The program's core objects as the top of the program reaches them: the
// recording and the shared state that WindowSet owns. Only app/ (and the
// tests, which sit above it) use these; every window below is handed what it
// needs (recorder/WindowContext.h).

namespace orvel {

class Recording;
struct ProgramState;
struct PlacementContext;

/// The program's one recording: the reading buffer and the recorder's state.
/// It is made before the windows and goes after them (WindowSet).
Recording &recording();
/// The program's shared state: ports, comparator limits, start-up folder.
ProgramState &programState();
/// Where the windows are placed below the main window's strip.
PlacementContext &placement();

/// Makes these the program's core objects (null when they go).
void setProgramObjects(Recording *r, ProgramState *s, PlacementContext *p);

} // namespace orvel
