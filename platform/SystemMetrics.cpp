#include "platform/SystemMetrics.h"

#include "platform/TaskbarReserve.h"

#include <QApplication>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>

namespace orvel {

namespace {
int positiveOr(int value, int fallback)
{
    return value > 0 ? value : fallback;
}
} // namespace

SystemMetrics systemMetrics()
{
    SystemMetrics m;
    const QStyle *style = QApplication::style();
    if (!style)
        return m;
    m.caption = positiveOr(style->pixelMetric(QStyle::PM_TitleBarHeight), m.caption);
    m.dialogFrame = positiveOr(style->pixelMetric(QStyle::PM_DefaultFrameWidth) + 1, m.dialogFrame);
    m.sizingFrame = positiveOr(style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth), m.sizingFrame);

    // A menu bar is as high as one item plus the bar's own margins.
    QMenuBar probe;
    probe.addMenu(QStringLiteral("M"));
    m.menu = positiveOr(probe.sizeHint().height(), m.menu);
    return m;
}

QSize primaryScreenSize()
{
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        return screen->geometry().size();
    return {1024, 768};
}

int systemTaskbarReserve()
{
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        return taskbarReserveFor(screen->geometry(), screen->availableGeometry());
    return 0;
}

} // namespace orvel
