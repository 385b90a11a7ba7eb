// Renders the program's SVG icon to a square PNG at build time:
//   orvel-render-icon IN.svg OUT.png SIZE

#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char *argv[])
{
    // Painting into an image needs no window system: the icon has no text.
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    bool ok = args.size() == 4;
    const int size = ok ? args[3].toInt(&ok) : 0;
    if (!ok || size <= 0) {
        std::fputs("usage: orvel-render-icon IN.svg OUT.png SIZE\n", stderr);
        return 2;
    }
    QSvgRenderer renderer(args[1]);
    if (!renderer.isValid()) {
        std::fprintf(stderr, "orvel-render-icon: cannot read %s\n", qPrintable(args[1]));
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        renderer.render(&painter, QRectF(0, 0, size, size));
    }
    if (!image.save(args[2], "PNG")) {
        std::fprintf(stderr, "orvel-render-icon: cannot write %s\n", qPrintable(args[2]));
        return 1;
    }
    return 0;
}
