#include "platform/WindowPlacement.h"

#include "platform/SystemMetrics.h"

#include <QEvent>
#include <QVariant>
#include <QWidget>

namespace orvel {

namespace {
constexpr const char *kOuterProperty = "orvelOuterGeometry";
constexpr const char *kWatchedProperty = "orvelFrameWatched";

QMargins frameMargins(const QWidget *window)
{
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
            frame.bottom() - client.bottom()};
}

void apply(QWidget *window, const QRect &outer)
{
    const QMargins m = frameMargins(window);
    const QSize client(std::max(1, outer.width() - m.left() - m.right()),
                       std::max(1, outer.height() - m.top() - m.bottom()));
    const bool fixed = window->minimumSize() == window->maximumSize();
    window->move(outer.topLeft());
    if (fixed)
        window->setFixedSize(client);
    else
        window->resize(client);
}

// The window system adds its frame only when a window is first shown; the
// outer rectangle is applied again then, so that frame and all fit it.
class FrameWatcher : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show) {
            auto *window = static_cast<QWidget *>(watched);
            const QVariant outer = window->property(kOuterProperty);
            if (outer.isValid() && frameMargins(window) != QMargins())
                apply(window, outer.toRect());
        }
        return false;
    }
};
} // namespace

void setOuterGeometry(QWidget *window, const QRect &outer)
{
    window->setProperty(kOuterProperty, outer);
    apply(window, outer);
    if (!window->property(kWatchedProperty).toBool()) {
        window->setProperty(kWatchedProperty, true);
        window->installEventFilter(new FrameWatcher(window));
    }
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
