#include "platform/WindowPlacement.h"

#include "platform/SystemMetrics.h"

#include <QEvent>
#include <QVariant>
#include <QWidget>

namespace orvel {

namespace {
constexpr const char *kOuterProperty = "orvelOuterGeometry";  // the rectangle asked for
constexpr const char *kFittedProperty = "orvelFittedMargins"; // frame it was last fitted with
constexpr const char *kWatchedProperty = "orvelFrameWatched";
constexpr const char *kMinimumProperty = "orvelOuterMinimum";
constexpr const char *kMaximumProperty = "orvelOuterMaximum";

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
    const QVariant minimum = window->property(kMinimumProperty);
    const QVariant maximum = window->property(kMaximumProperty);
    if (minimum.isValid())
        window->setMinimumSize(clientSize(minimum.toSize(), m));
    if (maximum.isValid())
        window->setMaximumSize(clientSize(maximum.toSize(), m));
}

// Moves and sizes the window so that, with the frame it has now, it fills its outer rectangle.
void fit(QWidget *window)
{
    const QMargins m = frameMargins(window);
    window->setProperty(kFittedProperty, QVariant::fromValue(m));
    applyLimits(window, m);
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
        if (type != QEvent::Show && type != QEvent::Move && type != QEvent::Resize)
            return false;
        auto *window = static_cast<QWidget *>(watched);
        if (window->isVisible() && frameMargins(window) != window->property(kFittedProperty).value<QMargins>())
            fit(window);
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

void setOuterSizeLimits(QWidget *window, const QSize &minimum, const QSize &maximum)
{
    window->setProperty(kMinimumProperty, minimum);
    window->setProperty(kMaximumProperty, maximum);
    watchFrame(window);
    applyLimits(window, frameMargins(window));
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
