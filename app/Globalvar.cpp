#include "app/Globalvar.h"

#include <QtGlobal>

namespace orvel {

namespace {
Recording *programRecording = nullptr;
ProgramState *sharedState = nullptr;
PlacementContext *windowPlacement = nullptr;
} // namespace

Recording &recording()
{
    Q_ASSERT(programRecording);
    return *programRecording;
}

ProgramState &programState()
{
    Q_ASSERT(sharedState);
    return *sharedState;
}

PlacementContext &placement()
{
    Q_ASSERT(windowPlacement);
    return *windowPlacement;
}

void setProgramObjects(Recording *r, ProgramState *s, PlacementContext *p)
{
    programRecording = r;
    sharedState = s;
    windowPlacement = p;
}

} // namespace orvel
