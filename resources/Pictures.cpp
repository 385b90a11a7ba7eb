#include "resources/Pictures.h"

#include <QHash>
#include <QPainter>
#include <QSvgRenderer>

// The pictures live in the static library's resources, which the linker would
// drop unless something refers to them. Registering them again is harmless.
static void initPictureResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace orvel {

namespace {

struct PictureEntry
{
    int id;
    int width;
    int height;
};

constexpr PictureEntry kPictures[] = {
    {11, 198, 178}, // analog meter face
    {12, 201, 122}, // comparator frame
    {13, 180, 60},  // scale 0 … 10
    {15, 180, 62},  // scale 0 … 20
    {16, 168, 77},  // comparator zones
    {17, 11, 11},   // minus sign
    {18, 11, 11},   // plus sign
    {30, 180, 62},  // scale 0 … 6
};

const PictureEntry *findPicture(int id)
{
    for (const PictureEntry &entry : kPictures)
        if (entry.id == id)
            return &entry;
    return nullptr;
}

} // namespace

QString pictureResourcePath(int id)
{
    static const bool initialised = (initPictureResources(), true);
    Q_UNUSED(initialised);
    if (!findPicture(id))
        return {};
    return QStringLiteral(":/orvel/pictures/pic%1.svg").arg(id);
}

QSize pictureSize(int id)
{
    const PictureEntry *entry = findPicture(id);
    return entry ? QSize(entry->width, entry->height) : QSize();
}

namespace {
QImage renderPicture(int id)
{
    const QString path = pictureResourcePath(id);
    if (path.isEmpty())
        return {};
    QSvgRenderer renderer(path);
    if (!renderer.isValid())
        return {};
    const QSize size = pictureSize(id);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    return image;
}
} // namespace

QImage programBitmap(int id)
{
    // Each picture is drawn once; the windows paint it many times (QImage shares the pixels).
    static QHash<int, QImage> rendered;
    const auto it = rendered.constFind(id);
    if (it != rendered.constEnd())
        return *it;
    const QImage image = renderPicture(id);
    if (!image.isNull())
        rendered.insert(id, image);
    return image;
}

} // namespace orvel
