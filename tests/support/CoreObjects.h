#pragma once
// The core objects a window is made from, without the main window or any other
// window: a recording, the shared state and a placement, and the context that
// hands them to a window.

#include "meter/ProgramState.h"
#include "platform/WindowPlacement.h"
#include "recorder/Recording.h"
#include "recorder/WindowContext.h"

namespace orvel::test {

struct CoreObjects
{
    ProgramState state;
    Recording recording;
    PlacementContext placement;
    WindowContext context{state, recording, placement};
};

} // namespace orvel::test
