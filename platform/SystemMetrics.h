#pragma once
// The few window-frame measurements the layout of the windows is computed from,
// taken from the running widget style.

#include <QSize>

namespace orvel {

struct SystemMetrics
{
    int dialogFrame = 3; ///< thickness of a fixed (dialog) frame, pixels
    int caption = 19;    ///< height of a title bar
    int menu = 19;       ///< height of a one-line menu bar
    int sizingFrame = 4; ///< thickness of a resizable frame
};

/// The metrics of the running style; defaults where the style reports nothing.
/// Needs a QApplication.
SystemMetrics systemMetrics();

/// Size of the primary screen in pixels (a 1024 × 768 stand-in without a screen).
QSize primaryScreenSize();

/// The task-bar reserve of the primary screen right now.
int systemTaskbarReserve();

} // namespace orvel
