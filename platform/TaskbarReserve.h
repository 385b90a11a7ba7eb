#pragma once
// Room that the desktop keeps free at the bottom of the screen for its task bar
// or panel: the windows that reach down to the bottom stop above it.

#include <QRect>

namespace orvel {

/// Pixels between the bottom of the screen's available area and the bottom of
/// the screen; 0 when nothing is reserved at the bottom (a panel elsewhere, or
/// one that hides itself).
int taskbarReserveFor(const QRect &screen, const QRect &available);

} // namespace orvel
