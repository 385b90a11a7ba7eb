#include "platform/WindowPlacement.h"

#include "platform/SystemMetrics.h"

#include <QEvent>
#include <QVariant>
#include <QWidget>
#include <QWindowStateChangeEvent>

namespace orvel {

namespace {
constexpr const char *kOuterProperty = "orvelOuterGeometry";  // the rectangle asked for
constexpr const char *kFittedProperty = "orvelFittedMargins"; // frame it was last fitted with
constexpr const char *kWatchedProperty = "orvelFrameWatched";
constexpr const char *kMinimumProperty = "orvelOuterMinimum";
constexpr const char *kMaximumProperty = "orvelOuterMaximum";
constexpr const char *kFixedProperty = "orvelFixedNormalSize";   // not resizable unless maximised
constexpr const char *kMaximisedProperty = "orvelMaximisedRect"; // where the window goes maximised
constexpr const char *kPlacingProperty = "orvelPlacingMaximised";
constexpr const char *kRetriesProperty = "orvelMaximisedRetries";
constexpr int kMaximisedRetries = 10; ///< times a window system may undo the maximised place

bool maximisedInItsRect(const QWidget *window)
{
    return window->isMaximized() && window->property(kMaximisedProperty).isValid();
}

QMargins frameMargins(const QWidget *window)
{
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
            frame.bottom() - client.bottom()};
}

QSize clientSize(const QSize &outer, const QMargins &m)
{
    return {std::max(1, outer.width() - m.left() - m.right()), std::max(1, outer.height() - m.top() - m.bottom())};
}

void applyLimits(QWidget *window, const QMargins &m)
{
    QVariant minimum = window->property(kMinimumProperty);
    QVariant maximum = window->property(kMaximumProperty);
    if (window->property(kFixedProperty).toBool() && !maximisedInItsRect(window))
        minimum = maximum = outerGeometry(window).size();
    if (minimum.isValid())
        window->setMinimumSize(clientSize(minimum.toSize(), m));
    if (maximisedInItsRect(window))
        window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX); // the maximised rectangle decides
    else if (maximum.isValid())
        window->setMaximumSize(clientSize(maximum.toSize(), m));
}

// Puts a maximised window into its maximised rectangle. Qt takes any move of a
// maximised widget for the end of its maximised state, while the window system
// still has it maximised; the widget is told its state again, so that restoring
// it works as ever.
void placeMaximised(QWidget *window, const QMargins &m)
{
    const QRect outer = window->property(kMaximisedProperty).toRect();
    const Qt::WindowStates state = window->windowState();
    window->setProperty(kPlacingProperty, true);
    window->move(outer.topLeft());
    window->resize(clientSize(outer.size(), m));
    if (window->windowState() != state)
        window->overrideWindowState(state);
    window->setProperty(kPlacingProperty, false);
}

// Moves and sizes the window so that, with the frame it has now, it fills its outer
// rectangle (the maximised one while it is maximised).
void fit(QWidget *window)
{
    const QMargins m = frameMargins(window);
    window->setProperty(kFittedProperty, QVariant::fromValue(m));
    applyLimits(window, m);
    if (maximisedInItsRect(window)) {
        placeMaximised(window, m);
        return;
    }
    const QVariant stored = window->property(kOuterProperty);
    if (!stored.isValid())
        return;
    const QRect outer = stored.toRect();
    const QSize client = clientSize(outer.size(), m);
    window->move(outer.topLeft());
    if (window->minimumSize() == window->maximumSize())
        window->setFixedSize(client);
    else
        window->resize(client);
}

// A window that has just been maximised goes to its maximised rectangle; one that
// has just been restored gets back its normal limits and its place from the
// window system.
void windowStateChanged(QWidget *window)
{
    if (!window->property(kMaximisedProperty).isValid() || window->property(kPlacingProperty).toBool())
        return;
    const QMargins m = frameMargins(window);
    applyLimits(window, m);
    if (window->isMaximized()) {
        window->setProperty(kRetriesProperty, kMaximisedRetries);
        placeMaximised(window, m);
    }
}

// The window system may set its own maximised geometry after the state change
// (late, or again); the window goes back to its rectangle, a few times at most,
// so that a window system that insists does not play ping-pong with it.
void movedWhileMaximised(QWidget *window)
{
    if (!maximisedInItsRect(window) || window->property(kPlacingProperty).toBool() ||
        window->frameGeometry() == window->property(kMaximisedProperty).toRect())
        return;
    const int retries = window->property(kRetriesProperty).toInt();
    if (retries <= 0)
        return;
    window->setProperty(kRetriesProperty, retries - 1);
    placeMaximised(window, frameMargins(window));
}

// A window manager adds its frame some time after a window is first shown.
// Whenever the frame turns out to differ from the one the window was last
// fitted with, the window is fitted again, so that frame and all keep to the
// outer rectangle. Moves by the user leave the frame as it is and change nothing.
class FrameWatcher : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const auto type = event->type();
        auto *window = static_cast<QWidget *>(watched);
        if (type == QEvent::WindowStateChange) {
            windowStateChanged(window);
            return false;
        }
        if (type != QEvent::Show && type != QEvent::Move && type != QEvent::Resize)
            return false;
        if (window->isVisible() && frameMargins(window) != window->property(kFittedProperty).value<QMargins>())
            fit(window);
        else if (type != QEvent::Show)
            movedWhileMaximised(window);
        return false;
    }
};
} // namespace

void watchFrame(QWidget *window)
{
    if (!window->property(kWatchedProperty).toBool()) {
        window->setProperty(kWatchedProperty, true);
        window->installEventFilter(new FrameWatcher(window));
    }
}

void setOuterGeometry(QWidget *window, const QRect &outer)
{
    window->setProperty(kOuterProperty, outer);
    watchFrame(window);
    fit(window);
}

void setSizeLimits(QWidget *window, const SizeLimits &limits, NormalSize normal)
{
    window->setProperty(kMinimumProperty, limits.minimumTrackingSize);
    window->setProperty(kMaximumProperty, QVariant());
    window->setProperty(kFixedProperty, normal == NormalSize::Fixed);
    window->setProperty(kMaximisedProperty, QRect(limits.maximisedPosition, limits.maximisedSize));
    window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    watchFrame(window);
    fit(window);
}

void centreOnScreen(QWidget *window)
{
    const QSize screen = primaryScreenSize();
    const QSize outer = window->frameGeometry().size();
    window->move((screen.width() - outer.width()) / 2, (screen.height() - outer.height()) / 2);
}

QRect outerGeometry(const QWidget *window)
{
    const QVariant stored = window->property(kOuterProperty);
    return stored.isValid() ? stored.toRect() : window->frameGeometry();
}

} // namespace orvel
