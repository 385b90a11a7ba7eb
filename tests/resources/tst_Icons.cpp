// The icons render from their SVG sources into real pictures.

#include "resources/Icons.h"

#include <QApplication>
#include <QImage>
#include <QSet>
#include <QSvgRenderer>
#include <QTest>

using namespace orvel;

class TestIcons : public QObject
{
    Q_OBJECT

private slots:
    void everyIconRendersAPicture_data()
    {
        QTest::addColumn<int>("id");
        for (int id = 1; id <= kIconCount; ++id)
            QTest::addRow("icon %d", id) << id;
    }

    void everyIconRendersAPicture()
    {
        QFETCH(int, id);
        QSvgRenderer renderer(iconResourcePath(id));
        QVERIFY(renderer.isValid());
        for (int size : {16, 32, 48}) {
            const QImage image = programIconPixmap(id, size).toImage();
            QCOMPARE(image.size(), QSize(size, size) * image.devicePixelRatio());
            int opaque = 0;
            QSet<QRgb> colours;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) {
                    const QRgb p = image.pixel(x, y);
                    if (qAlpha(p) > 200)
                        ++opaque;
                    colours.insert(p);
                }
            // A drawn icon covers a good part of its square and has some detail.
            QVERIFY2(opaque > image.width() * image.height() / 4, qPrintable(QString::number(opaque)));
            QVERIFY(colours.size() > 8);
        }
        QVERIFY(!programIcon(id).isNull());
    }

    void iconsDiffer()
    {
        QSet<QByteArray> seen;
        for (int id = 1; id <= kIconCount; ++id) {
            const QImage image = programIconPixmap(id, 32).toImage();
            seen.insert(QByteArray(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes()));
        }
        QCOMPARE(seen.size(), kIconCount);
    }

    void unknownIdsGiveNothing()
    {
        QVERIFY(iconResourcePath(0).isEmpty());
        QVERIFY(iconResourcePath(8).isEmpty());
        QVERIFY(programIconPixmap(8, 32).isNull());
        QVERIFY(programIcon(0).isNull());
    }
};

QTEST_MAIN(TestIcons)
#include "tst_Icons.moc"
