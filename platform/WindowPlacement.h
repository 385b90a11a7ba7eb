#pragma once
// Window bounds as the program reasons about them: the outer rectangle, frame
// and title bar included. Qt positions a window by its frame but sizes it by its
// client area, so the two are kept together here.

#include "platform/SystemMetrics.h"

#include <QMargins>
#include <QRect>
#include <QSize>

class QWidget;

namespace orvel {

/// How a window may be sized: where and how large it is when maximised, and the
/// smallest size the user can drag it to (outer sizes).
struct SizeLimits
{
    QSize maximisedSize;
    QPoint maximisedPosition;
    QSize minimumTrackingSize;
};

/// What the windows below the main window's strip are placed by: the strip's
/// height and the frame metrics its layout came from (the main window fills
/// them in once it has laid itself out), and the task bar's reserve, taken
/// anew whenever the windows are tiled.
struct PlacementContext
{
    int stripHeight = 0;    ///< outer height of the main window's strip, pixels
    SystemMetrics metrics;  ///< the frame metrics of the running style
    int taskbarReserve = 0; ///< pixels reserved for the task bar at the screen's bottom
};

/// A dialog that cannot change its size: title bar, system menu and close box,
/// no maximise box (nor a minimise box).
inline constexpr Qt::WindowFlags kFixedDialogFlags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                                     Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                                                     Qt::MSWindowsFixedSizeDialogHint;

/// Places `window` so that its outer rectangle is `outer`. The frame is taken
/// from the window system where it has already decorated the window.
void setOuterGeometry(QWidget *window, const QRect &outer);

/// How a window with size limits may be sized while it is not maximised.
enum class NormalSize {
    Resizable, ///< by dragging, down to the smallest tracking size
    Fixed,     ///< only by code: the outer size setOuterGeometry gave it
};

/// Gives `window` its size limits (outer sizes): it cannot be made
/// smaller than `limits.minimumTrackingSize`, and maximised it takes exactly the
/// rectangle at `limits.maximisedPosition` of `limits.maximisedSize` instead of
/// what the window system would give it (the whole screen, over the main strip).
/// Restored, it leaves that rectangle to the window system again.
void setSizeLimits(QWidget *window, const SizeLimits &limits, NormalSize normal);

/// Centres `window` on the primary screen.
void centreOnScreen(QWidget *window);

/// The outer rectangle last given to `window` by setOuterGeometry, or its frame
/// geometry when it was never placed that way.
QRect outerGeometry(const QWidget *window);

} // namespace orvel
