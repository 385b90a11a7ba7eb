#include "resources/Icons.h"

#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>

// The pictures are compiled into a static library, which the linker would drop
// unless something refers to them.
static void initPictureResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace orvel {

QString iconResourcePath(int id)
{
    static const bool initialised = (initPictureResources(), true);
    Q_UNUSED(initialised);
    if (id < 1 || id > kIconCount)
        return {};
    return QStringLiteral(":/orvel/icons/icon%1.svg").arg(id);
}

QPixmap programIconPixmap(int id, int size)
{
    QSvgRenderer renderer(iconResourcePath(id));
    if (!renderer.isValid() || size <= 0)
        return {};
    const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    QPixmap pixmap(QSize(size, size) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(0, 0, size, size));
    return pixmap;
}

QIcon programIcon(int id)
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64})
        if (const QPixmap p = programIconPixmap(id, size); !p.isNull())
            icon.addPixmap(p);
    return icon;
}

} // namespace orvel
