#pragma once
// Window bounds as the program reasons about them: the outer rectangle, frame
// and title bar included. Qt positions a window by its frame but sizes it by its
// client area, so the two are kept together here.

#include <QMargins>
#include <QRect>
#include <QSize>

class QWidget;

namespace orvel {

/// Places `window` so that its outer rectangle is `outer`. The frame is taken
/// from the window system where it has already decorated the window.
void setOuterGeometry(QWidget *window, const QRect &outer);

/// Keeps the window's outer size between `minimum` and `maximum` (frame
/// included); the client limits follow the frame the window system draws.
void setOuterSizeLimits(QWidget *window, const QSize &minimum, const QSize &maximum);

/// Centres `window` on the primary screen.
void centreOnScreen(QWidget *window);

/// The outer rectangle last given to `window` by setOuterGeometry, or its frame
/// geometry when it was never placed that way.
QRect outerGeometry(const QWidget *window);

} // namespace orvel
